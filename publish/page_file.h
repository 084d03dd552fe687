// Whole-file reading and text-mode writing of the HTML output, with the file-error causes.
#pragma once

#include <string>

namespace vesk {

class IUserInterface;

// The standard file-error causes reported to the user.
enum FileErrorCause : int {
  kFileErrGeneric = 1,
  kFileErrNotFound = 2,
  kFileErrBadPath = 3,
  kFileErrTooManyOpen = 4,
  kFileErrAccessDenied = 5,
  kFileErrDiskFull = 13,
};

// Maps an errno value to its file-error cause.
int FileErrorCauseFromErrno(int err);

enum class ReadResult { Ok, CannotOpen, ReadFailed };
// Reads the whole file as bytes; a folder or other non-regular file counts as not openable.
ReadResult ReadWholeFile(const std::string& path, std::string& out, int& cause);

enum class WriteResult { Ok, CannotCreate, WriteFailed };
// Creates (or truncates) path and writes text with every LF written as CR LF.
WriteResult WriteTextFile(const std::string& path, const std::string& text, int& cause);

// The stop-icon box for a failed read or write ("ファイルが見つかりません", disk full, or the
// code).
void ReportPageFileError(IUserInterface& ui, int cause);

}  // namespace vesk
