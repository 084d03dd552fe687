// One file opened for reading only, read in small pieces from the front (image headers).
#pragma once

#include <cstddef>
#include <string>
#include "platform/file_error_cause.h"

namespace vesk::platform {

// Owns one open file descriptor or none; moving and copying are not needed and not allowed.
class CReadOnlyFile {
 public:
  CReadOnlyFile() = default;
  CReadOnlyFile(const CReadOnlyFile&) = delete;
  CReadOnlyFile& operator=(const CReadOnlyFile&) = delete;
  ~CReadOnlyFile() { Close(); }

  // Opens a regular file; anything else (a folder, a pipe, a device) is refused without waiting
  // on it. False with *cause (file-error cause) on failure.
  bool Open(const std::string& path, FileErrorCause* cause = nullptr);
  bool IsOpen() const { return m_fd >= 0; }
  // Reads up to size bytes; the count read (short only at the end of the file), or -1 on a read
  // error with *cause set.
  long Read(void* buffer, std::size_t size, FileErrorCause* cause = nullptr);
  // Moves forward by count bytes without reading them; false with *cause when the position
  // cannot be set. Moving past the end is allowed: the next read then reads nothing.
  bool Skip(unsigned long count, FileErrorCause* cause = nullptr);
  // The file's size at this moment; false when it cannot be told.
  bool Size(unsigned long long& size) const;
  void Close();
  // Hands the open descriptor to the caller (who closes it); -1 when none is open.
  int Release() {
    int fd = m_fd;
    m_fd = -1;
    return fd;
  }

 private:
  int m_fd = -1;
};

}  // namespace vesk::platform
