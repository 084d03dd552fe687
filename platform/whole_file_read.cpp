#include "platform/file_error_cause.h"
#include "platform/file_system.h"
#include "platform/read_only_file.h"

namespace vesk::platform {

bool ReadWholeFile(const std::string& path, std::string& out, std::size_t maxBytes,
                   FileErrorCause* cause) {
  out.clear();
  if (path.find('\0') != std::string::npos) {
    if (cause) *cause = kFileErrBadPath;
    return false;
  }
  // Only a regular file is opened, without waiting on a FIFO: a device or a FIFO never ends or
  // never answers.
  CReadOnlyFile file;
  if (!file.Open(path, cause)) return false;
  unsigned long long size = 0;
  if (file.Size(size)) {
    if (size > maxBytes) {
      if (cause) *cause = kFileErrInvalidFile;
      return false;
    }
    out.reserve(static_cast<std::size_t>(size));
  }
  // The size is only a hint (a growing file): the read loop enforces the limit itself.
  char buf[65536];
  for (;;) {
    long got = file.Read(buf, sizeof buf, cause);
    if (got < 0) {
      out.clear();
      return false;
    }
    if (out.size() + static_cast<std::size_t>(got) > maxBytes) {
      if (cause) *cause = kFileErrInvalidFile;
      out.clear();
      return false;
    }
    out.append(buf, static_cast<std::size_t>(got));
    if (static_cast<std::size_t>(got) < sizeof buf) break;
  }
  return true;
}

}  // namespace vesk::platform
