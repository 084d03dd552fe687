// Whole-file reading and text-mode writing of the HTML output (causes as in file_errors.h).
#pragma once

#include <string>

namespace vesk {

enum class ReadResult { Ok, CannotOpen, ReadFailed };
// Reads the whole file as bytes; a folder or other non-regular file counts as not openable.
ReadResult ReadWholeFile(const std::string& path, std::string& out, int& cause);

enum class WriteResult { Ok, CannotCreate, WriteFailed };
// Creates (or truncates) path and writes text with every LF written as CR LF.
WriteResult WriteTextFile(const std::string& path, const std::string& text, int& cause);

}  // namespace vesk
