#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <climits>
#include <cstdint>

#include "platform/file_error_cause.h"
#include "platform/read_only_file.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {

namespace {

void SetCause(FileErrorCause* cause, FileErrorCause value) {
  if (cause) *cause = value;
}

}  // namespace

bool CReadOnlyFile::Open(const std::string& path, FileErrorCause* cause) {
  Close();
  std::wstring wide;
  if (!CheckedWidePath(path, wide, cause)) return false;
  // Without backup semantics a folder cannot be opened at all (access denied, as on POSIX).
  CWinHandle h(::CreateFileW(wide.c_str(), GENERIC_READ,
                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.Ok()) {
    const FileErrorCause c = FileErrorCauseFromWin32(::GetLastError());
    SetCause(cause, c == kFileErrNone ? kFileErrGeneric : c);
    return false;
  }
  // Only a file on a disk: a pipe or a console never ends or never answers.
  BY_HANDLE_FILE_INFORMATION info;
  if (::GetFileType(h.Get()) != FILE_TYPE_DISK || !::GetFileInformationByHandle(h.Get(), &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    SetCause(cause, kFileErrInvalidFile);
    return false;
  }
  const int fd = ::_open_osfhandle(reinterpret_cast<std::intptr_t>(h.Get()), _O_RDONLY | _O_BINARY);
  if (fd < 0) {
    SetCause(cause, kFileErrTooManyOpen);
    return false;
  }
  h.Release();  // the descriptor owns it now
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
    const std::size_t want = size - done < INT_MAX ? size - done : INT_MAX;
    const int n = ::_read(m_fd, out + done, static_cast<unsigned>(want));
    if (n < 0) {
      SetCause(cause, FileErrorCauseFromErrno(errno));
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<long>(done);
}

bool CReadOnlyFile::Skip(unsigned long count, FileErrorCause* cause) {
  if (m_fd < 0 || ::_lseeki64(m_fd, static_cast<long long>(count), SEEK_CUR) < 0) {
    SetCause(cause, m_fd < 0 ? kFileErrGeneric : kFileErrBadSeek);
    return false;
  }
  return true;
}

bool CReadOnlyFile::Size(unsigned long long& size) const {
  if (m_fd < 0) return false;
  LARGE_INTEGER length;
  HANDLE h = reinterpret_cast<HANDLE>(::_get_osfhandle(m_fd));
  if (h == INVALID_HANDLE_VALUE || !::GetFileSizeEx(h, &length)) return false;
  size = static_cast<unsigned long long>(length.QuadPart);
  return true;
}

void CReadOnlyFile::Close() {
  if (m_fd >= 0) ::_close(m_fd);
  m_fd = -1;
}

}  // namespace vesk::platform
