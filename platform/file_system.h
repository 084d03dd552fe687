// File-system services the core needs: kind of a path, folder creation, whole-file read and
// atomic replacement.
#pragma once

#include <cstddef>
#include <string>

#include "platform/file_error_cause.h"

namespace vesk::platform {

enum class PathKind { Missing, Folder, Other };

// What stands at path (symbolic links followed; a dangling link counts as Other).
PathKind GetPathKind(const std::string& path);

// Creates one folder; true when it was created or a folder already stands there.
bool CreateFolder(const std::string& path);

// Reads the whole file at path into out. Fails (cause set) when the file cannot be opened or read,
// or when it is larger than maxBytes (cause kCauseInvalidFile): callers taking outside files pass
// a limit so a huge file is refused instead of exhausting memory.
bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes,
                   int* cause = nullptr);

// Replaces the file at path with bytes so that a reader sees either the old or the new content:
// a temporary file in the same folder is written, flushed to disk and renamed over path.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, int* cause = nullptr);

}  // namespace vesk::platform
