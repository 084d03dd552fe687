// File-system services the core needs: kind of a path, folder creation, whole-file read and
// atomic replacement.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_error_cause.h"

namespace vesk::platform {

enum class PathKind { Missing, Folder, Other };

// What the directory entry at path itself is (a symbolic link is not followed).
enum class EntryKind { Missing, Regular, Link, Folder, Special };

// What stands at path (symbolic links followed; a dangling link counts as Other).
PathKind GetPathKind(const std::string& path);

EntryKind GetEntryKind(const std::string& path);

// One entry of a folder listing: its name and what the entry itself is (links not followed).
struct FolderEntry {
  std::string name;
  EntryKind kind = EntryKind::Missing;
};
// The entries of the folder at path, without "." and "..", sorted by name (byte order) so that a
// listing does not depend on the file system's order. False with cause when it cannot be read.
bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries,
                FileErrorCause* cause = nullptr);

// The absolute path with every symbolic link, "." and ".." resolved; empty when path does not
// exist or cannot be resolved.
std::string RealPath(const std::string& path);

// Identity of an existing file (device and inode), to tell whether two names are one file.
struct FileId {
  unsigned long long dev = 0;
  unsigned long long ino = 0;
  bool operator==(const FileId&) const = default;
};
// False when nothing can be found at path (symbolic links followed).
bool GetFileId(const std::string& path, FileId& id);

// Creates path for writing, refusing to follow a symbolic link: a regular file or a link under
// the name (a leftover temporary file, a planted link) is removed first, then the file is
// created exclusively; a folder or a special file there makes it fail. Returns the open
// descriptor, or -1 with cause set.
int CreateExclusiveFile(const std::string& path, FileErrorCause* cause = nullptr);

// Renames from to to in one step (never through a link at to: the entry itself is replaced).
bool RenameFile(const std::string& from, const std::string& to, FileErrorCause* cause = nullptr);

// Creates one folder; true when it was created or a folder already stands there.
bool CreateFolder(const std::string& path);

// Reads the whole file at path into out. Fails (cause set) when the file cannot be opened or read,
// when it is not a regular file (a device, a FIFO: cause kFileErrInvalidFile) or when it is
// larger than maxBytes (cause kFileErrInvalidFile): callers taking outside files pass a limit so
// a huge file is refused instead of exhausting memory. Never blocks on a FIFO.
bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes,
                   FileErrorCause* cause = nullptr);

// Replaces the file at path with bytes so that a reader sees either the old or the new content:
// a temporary file in the same folder is created exclusively, written, flushed to disk and
// renamed over path. The temporary name is fixed per target and short enough for a target name
// of 255 bytes, so a leftover of a killed run is reused by the next one.
bool ReplaceFileAtomically(const std::string& path, const std::string& bytes,
                           FileErrorCause* cause = nullptr);
// The same for the name itself: a symbolic link standing at path is replaced by the new file,
// never written through (for files under names another program could plant a link at).
bool ReplaceEntryAtomically(const std::string& path, const std::string& bytes,
                            FileErrorCause* cause = nullptr);

}  // namespace vesk::platform
