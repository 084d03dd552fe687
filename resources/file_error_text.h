// The words for a file-error cause, shared by every message about a failed read or write.
#pragma once

#include <string>
#include "platform/file_error_cause.h"

namespace vesk {

// The cause in words (Shift_JIS): not found, disk full, no permission, bad path or name too
// long, not a regular file; any other cause " Error Code (%d)".
std::string FileErrorText(FileErrorCause cause);
// FileErrorText followed by a line naming the file (path in the file system's UTF-8).
std::string FileErrorText(FileErrorCause cause, const std::string& path);

}  // namespace vesk
