#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/file_error_cause.h"
#include "platform/read_only_file.h"

namespace vesk::platform {

namespace {

void SetCause(FileErrorCause* cause, FileErrorCause value) {
  if (cause) *cause = value;
}

}  // namespace

bool CReadOnlyFile::Open(const std::string& path, FileErrorCause* cause) {
  Close();
  // Non-blocking so that a named pipe does not hold the caller until a writer appears.
  int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    SetCause(cause, FileErrorCauseFromErrno(errno));
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    SetCause(cause, S_ISDIR(st.st_mode) ? kFileErrAccessDenied : kFileErrInvalidFile);
    ::close(fd);
    return false;
  }
  int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  m_fd = fd;
  return true;
}

long CReadOnlyFile::Read(void* buffer, std::size_t size, FileErrorCause* cause) {
  if (m_fd < 0) {
    SetCause(cause, kFileErrGeneric);
    return -1;
  }
  std::size_t done = 0;
  char* out = static_cast<char*>(buffer);
  while (done < size) {
    ssize_t n = ::read(m_fd, out + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetCause(cause, FileErrorCauseFromErrno(errno));
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<long>(done);
}

bool CReadOnlyFile::Skip(unsigned long count, FileErrorCause* cause) {
  if (m_fd < 0 || ::lseek(m_fd, static_cast<off_t>(count), SEEK_CUR) < 0) {
    SetCause(cause, m_fd < 0 ? kFileErrGeneric : kFileErrBadSeek);
    return false;
  }
  return true;
}

bool CReadOnlyFile::Size(unsigned long long& size) const {
  struct stat st {};
  if (m_fd < 0 || ::fstat(m_fd, &st) != 0) return false;
  size = static_cast<unsigned long long>(st.st_size);
  return true;
}

void CReadOnlyFile::Close() {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = -1;
}

}  // namespace vesk::platform
