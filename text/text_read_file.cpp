#include "text/text_read_file.h"

#include <cerrno>
#include <cstring>

#include <unistd.h>

#include "platform/file_error_cause.h"
#include "platform/read_only_file.h"

namespace vesk {

CTextReadFile::~CTextReadFile() { Close(); }

void CTextReadFile::Close() {
  if (m_pFile) std::fclose(m_pFile);
  m_pFile = nullptr;
}

bool CTextReadFile::Open(const std::string& path) {
  Close();
  m_nCause = kFileErrNone;
  m_nPos = m_nEnd = 0;
  m_bEof = false;
  if (path.find('\0') != std::string::npos) {
    m_nCause = kFileErrBadPath;
    return false;
  }
  // Only a regular file of at most kMaxFileBytes is read: a device never ends, and a FIFO
  // without a writer must not hang the open.
  platform::CReadOnlyFile file;
  if (!file.Open(path, &m_nCause)) {
    if (m_nCause == kFileErrNone) m_nCause = kFileErrGeneric;
    return false;
  }
  unsigned long long size = 0;
  if (!file.Size(size) || size > kMaxFileBytes) {
    m_nCause = kFileErrInvalidFile;
    return false;
  }
  int fd = file.Release();
  errno = 0;
  m_pFile = ::fdopen(fd, "rb");
  if (!m_pFile) {
    m_nCause = FileErrorCauseFromErrno(errno);
    if (m_nCause == kFileErrNone) m_nCause = kFileErrGeneric;
    ::close(fd);
    return false;
  }
  m_buffer.resize(1 << 16);
  return true;
}

bool CTextReadFile::Fill() {
  if (m_bEof || !m_pFile) return false;
  errno = 0;
  std::size_t n = std::fread(m_buffer.data(), 1, m_buffer.size(), m_pFile);
  m_nPos = 0;
  m_nEnd = n;
  if (n == 0) {
    m_bEof = true;
    if (std::ferror(m_pFile)) {
      m_nCause = FileErrorCauseFromErrno(errno);
      if (m_nCause == kFileErrNone) m_nCause = kFileErrGeneric;
    }
    return false;
  }
  return true;
}

bool CTextReadFile::ReadLine(std::string& line) {
  line.clear();
  if (!m_pFile || m_nCause != 0) return false;
  bool any = false;
  for (;;) {
    if (m_nPos == m_nEnd && !Fill()) {
      if (m_nCause != 0) return false;
      break;
    }
    any = true;
    const char* start = m_buffer.data() + m_nPos;
    const void* lf = std::memchr(start, '\n', m_nEnd - m_nPos);
    std::size_t take = lf ? static_cast<const char*>(lf) - start : m_nEnd - m_nPos;
    std::size_t room = kMaxLineBytes > line.size() ? kMaxLineBytes - line.size() : 0;
    line.append(start, take < room ? take : room);
    m_nPos += take;
    if (lf) {
      ++m_nPos;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

}  // namespace vesk
