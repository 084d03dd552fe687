#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/file_system.h"

namespace vesk::platform {

namespace {

void SetCause(int* cause, int value) {
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

bool CreateFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  // Someone else may have made it between the caller's check and ours.
  return errno == EEXIST && GetPathKind(path) == PathKind::Folder;
}

}  // namespace vesk::platform

namespace vesk {

int FileErrorCauseFromErrno(int err) {
  switch (err) {
    case 0:
      return 0;
    case ENOENT:
      return kFileErrNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
    case ELOOP:
      return kFileErrBadPath;
    case EMFILE:
    case ENFILE:
      return kFileErrTooManyOpen;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST:
      return kFileErrAccessDenied;
    case EBADF:
      return kFileErrInvalidFile;
    case ESPIPE:
      return kFileErrBadSeek;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return kFileErrDiskFull;
    case EIO:
    case ENXIO:
      return kFileErrHardIO;
    case EBUSY:
    case ETXTBSY:
      return kFileErrSharingViolation;
    case ENOLCK:
    case EDEADLK:
      return kFileErrLockViolation;
    default:
      return kFileErrGeneric;
  }
}

}  // namespace vesk

namespace vesk::platform {

bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes, int* cause) {
  out.clear();
  if (path.find('\0') != std::string::npos) {
    SetCause(cause, kFileErrBadPath);
    return false;
  }
  // Non-blocking open: a FIFO without a writer must not hang the caller.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    return false;
  }
  struct stat st;
  if (::fstat(fd, &st) != 0) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    ::close(fd);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    SetCause(cause, kFileErrAccessDenied);
    ::close(fd);
    return false;
  }
  // The size is only a hint (pipes, growing files): the read loop enforces the limit itself.
  if (S_ISREG(st.st_mode) && static_cast<unsigned long long>(st.st_size) <= maxBytes)
    out.reserve(static_cast<std::size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    ssize_t got = ::read(fd, buf, sizeof buf);
    if (got < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN) break;  // an idle FIFO: nothing more to read
      SetCause(cause, FileErrorCauseFromErrno(errno));
      ::close(fd);
      out.clear();
      return false;
    }
    if (got == 0) break;
    if (out.size() + static_cast<std::size_t>(got) > maxBytes) {
      SetCause(cause, kFileErrInvalidFile);
      ::close(fd);
      out.clear();
      return false;
    }
    out.append(buf, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return true;
}

bool ReplaceFileAtomically(const std::string& path, const std::string& bytes, int* cause) {
  std::string folder = FolderOf(path);
  std::string temp = path + ".tmpXXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    return false;
  }
  // Keep the permissions of the file being replaced, or the usual ones for a new file.
  struct stat st;
  mode_t mode = 0666;
  if (::stat(path.c_str(), &st) == 0) {
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
