#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/file_system.h"

namespace vesk::platform {

namespace {

void SetCause(FileErrorCause* cause, FileErrorCause value) {
  if (cause) *cause = value;
}

// Writes every byte, retrying short writes and interrupted calls.
bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t done = ::write(fd, data, size);
    if (done < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += done;
    size -= static_cast<std::size_t>(done);
  }
  return true;
}

// ".<name>.vesk-tmp" beside path, the name cut so that the whole stays within the 255 bytes a
// file name may have.
std::string TempNameFor(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() > 200) name.resize(200);
  return folder + "." + name + ".vesk-tmp";
}

std::string FolderOf(const std::string& path) {
  std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace

PathKind GetPathKind(const std::string& path) {
  if (path.empty()) return PathKind::Missing;
  struct stat st;
  if (::stat(path.c_str(), &st) == 0)
    return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::Other;
  if (::lstat(path.c_str(), &st) == 0) return PathKind::Other;
  return PathKind::Missing;
}

EntryKind GetEntryKind(const std::string& path) {
  struct stat st;
  if (path.empty() || ::lstat(path.c_str(), &st) != 0) return EntryKind::Missing;
  if (S_ISLNK(st.st_mode)) return EntryKind::Link;
  if (S_ISDIR(st.st_mode)) return EntryKind::Folder;
  if (S_ISREG(st.st_mode)) return EntryKind::Regular;
  return EntryKind::Special;
}

bool ListFolder(const std::string& path, std::vector<FolderEntry>& entries, FileErrorCause* cause) {
  entries.clear();
  if (path.empty() || path.find('\0') != std::string::npos) {
    SetCause(cause, kFileErrBadPath);
    return false;
  }
  DIR* dir = ::opendir(path.c_str());
  if (!dir) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    return false;
  }
  const std::string prefix = path.back() == '/' ? path : path + "/";
  while (const dirent* entry = ::readdir(dir)) {
    std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    entries.push_back({name, GetEntryKind(prefix + name)});
  }
  ::closedir(dir);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  return true;
}

std::string RealPath(const std::string& path) {
  if (path.empty() || path.find('\0') != std::string::npos) return {};
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return {};
  std::string result(resolved);
  std::free(resolved);
  return result;
}

bool GetFileId(const std::string& path, FileId& id) {
  struct stat st;
  if (path.empty() || ::stat(path.c_str(), &st) != 0) return false;
  id.dev = static_cast<unsigned long long>(st.st_dev);
  id.ino = static_cast<unsigned long long>(st.st_ino);
  return true;
}

int CreateExclusiveFile(const std::string& path, FileErrorCause* cause) {
  if (path.empty() || path.find('\0') != std::string::npos) {
    SetCause(cause, kFileErrBadPath);
    return -1;
  }
  // A leftover file or a link is removed (unlink takes the link itself, never what it points
  // to); a folder or a special file is left alone and makes the exclusive create fail below.
  EntryKind kind = GetEntryKind(path);
  if (kind == EntryKind::Regular || kind == EntryKind::Link) ::unlink(path.c_str());
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) {
    FileErrorCause cause932 = FileErrorCauseFromErrno(errno);
    SetCause(cause, cause932 == kFileErrNone ? kFileErrGeneric : cause932);
  }
  return fd;
}

bool RenameFile(const std::string& from, const std::string& to, FileErrorCause* cause) {
  if (::rename(from.c_str(), to.c_str()) == 0) return true;
  FileErrorCause c = FileErrorCauseFromErrno(errno);
  SetCause(cause, c == kFileErrNone ? kFileErrGeneric : c);
  return false;
}

bool CreateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  // Someone else may have made it between the caller's check and ours.
  return errno == EEXIST && GetPathKind(path) == PathKind::Folder;
}

bool ReplaceFileAtomically(const std::string& target, const std::string& bytes,
                           FileErrorCause* cause) {
  // A file reached through a symbolic link is saved where the link points; the link stays.
  std::string path = target;
  if (GetEntryKind(target) == EntryKind::Link) {
    std::string real = RealPath(target);
    if (!real.empty()) path = real;
  }
  return ReplaceEntryAtomically(path, bytes, cause);
}

bool ReplaceEntryAtomically(const std::string& path, const std::string& bytes,
                            FileErrorCause* cause) {
  std::string folder = FolderOf(path);
  std::string temp = TempNameFor(path);
  int fd = CreateExclusiveFile(temp, cause);
  if (fd < 0) return false;
  // Keep the permissions of the file being replaced, or the usual ones for a new file.
  struct stat st;
  mode_t mode = 0666;
  // lstat: a link being replaced lends nothing, not even the mode of what it points at.
  if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) {
    mode = st.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode &= ~mask;
  }
  ::fchmod(fd, mode);
  if (!WriteAll(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    ::close(fd);
    ::unlink(temp.c_str());
    return false;
  }
  if (::close(fd) != 0) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    ::unlink(temp.c_str());
    return false;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    ::unlink(temp.c_str());
    return false;
  }
  // Make the rename itself durable.
  int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

}  // namespace vesk::platform
