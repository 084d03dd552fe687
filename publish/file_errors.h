// The two file-failure messages every output and import shows, and the mapping from the
// system's error numbers to the file-error causes those messages are keyed by.
#pragma once

#include <string>

#include "document/user_interface.h"

namespace vesk {

// File-error causes (the numbers the messages and " Error Code (%d)" show).
enum FileErrorCause : int {
  kFileErrNone = 0,
  kFileErrGeneric = 1,
  kFileErrNotFound = 2,
  kFileErrBadPath = 3,
  kFileErrTooManyOpen = 4,
  kFileErrAccessDenied = 5,
  kFileErrInvalidFile = 6,
  kFileErrRemoveCurrentDir = 7,
  kFileErrDirectoryFull = 8,
  kFileErrBadSeek = 9,
  kFileErrHardIO = 10,
  kFileErrSharingViolation = 11,
  kFileErrLockViolation = 12,
  kFileErrDiskFull = 13,
  kFileErrEndOfFile = 14,
};

// The cause for an errno value (0 gives kFileErrNone, unknown values kFileErrGeneric).
int FileErrorCauseFromErrno(int err);

// "ファイル名に使用できない文字が有ります。" with the stop icon: an output or temporary file
// could not be created.
void ReportBadFileName(IUserInterface& ui);
// The same message followed by a line with the refused name (Shift_JIS).
void ReportBadFileName(IUserInterface& ui, const std::string& name);

// The message for a failed read or write, stop icon: cause 2 "ファイルが見つかりません",
// 13 "ディスク容量が足りません。", any other " Error Code (%d)".
void ReportFileError(IUserInterface& ui, int cause);
// The text ReportFileError shows (Shift_JIS).
std::string FileErrorText(int cause);

}  // namespace vesk
