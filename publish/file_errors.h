// The file-failure messages every output and import shows.
#pragma once

#include <string>

#include "document/user_interface.h"
#include "platform/file_error_cause.h"
#include "resources/file_error_text.h"

namespace vesk {

// "ファイル名に使用できない文字が有ります。" with the stop icon: an output or temporary file
// could not be created.
void ReportBadFileName(IUserInterface& ui);
// The same message followed by a line with the refused name (Shift_JIS).
void ReportBadFileName(IUserInterface& ui, const std::string& name);

// The message for a failed read or write, stop icon: the cause in words (not found, disk full,
// no permission, bad path or name too long, not a regular file) or " Error Code (%d)".
void ReportFileError(IUserInterface& ui, FileErrorCause cause);
// The same, followed by a line naming the file (path in the file system's UTF-8).
void ReportFileError(IUserInterface& ui, FileErrorCause cause, const std::string& path);

}  // namespace vesk
