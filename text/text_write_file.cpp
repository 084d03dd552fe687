#include "text/text_write_file.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "platform/file_error_cause.h"
#include "platform/file_system.h"

namespace vesk {
namespace {

FileErrorCause CauseFromErrno() {
  FileErrorCause cause = FileErrorCauseFromErrno(errno);
  return cause == kFileErrNone ? kFileErrGeneric : cause;
}

}  // namespace

CTextWriteFile::~CTextWriteFile() {
  if (m_pFile) std::fclose(m_pFile);
}

bool CTextWriteFile::Open(const std::string& path) {
  m_nCause = kFileErrNone;
  if (path.find('\0') != std::string::npos) {
    m_nCause = kFileErrBadPath;
    return false;
  }
  int fd = platform::CreateExclusiveFile(path, &m_nCause);
  if (fd < 0) return false;
  errno = 0;
  m_pFile = ::fdopen(fd, "wb");
  if (!m_pFile) {
    m_nCause = CauseFromErrno();
    ::close(fd);
    return false;
  }
  std::setvbuf(m_pFile, nullptr, _IOFBF, 1 << 16);
  return true;
}

void CTextWriteFile::Put(const char* data, std::size_t size) {
  if (size == 0 || m_nCause != 0 || !m_pFile) return;
  errno = 0;
  if (std::fwrite(data, 1, size, m_pFile) != size) m_nCause = CauseFromErrno();
}

void ToDiskForm(std::string_view text, std::string& disk) {
  disk.clear();
  disk.reserve(text.size() + text.size() / 16);
  for (;;) {
    const std::size_t lf = text.find('\n');
    if (lf == std::string_view::npos) {
      disk.append(text);
      return;
    }
    disk.append(text.substr(0, lf));
    disk += "\r\n";
    text.remove_prefix(lf + 1);
  }
}

void CTextWriteFile::Write(std::string_view text) {
  while (!text.empty()) {
    const void* lf = std::memchr(text.data(), '\n', text.size());
    if (!lf) {
      Put(text.data(), text.size());
      return;
    }
    std::size_t n = static_cast<const char*>(lf) - text.data();
    Put(text.data(), n);
    Put("\r\n", 2);
    text.remove_prefix(n + 1);
  }
}

bool CTextWriteFile::Close() {
  if (!m_pFile) return m_nCause == 0;
  errno = 0;
  if (std::fflush(m_pFile) != 0 && m_nCause == 0) m_nCause = CauseFromErrno();
  errno = 0;
  if (std::fclose(m_pFile) != 0 && m_nCause == 0) m_nCause = CauseFromErrno();
  m_pFile = nullptr;
  return m_nCause == 0;
}

}  // namespace vesk
