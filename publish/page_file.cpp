#include "publish/page_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include <sys/stat.h>

#include "publish/file_errors.h"

namespace vesk {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

ReadResult ReadWholeFile(const std::string& path, std::string& out, int& cause) {
  out.clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
    cause = kFileErrNotFound;
    return ReadResult::CannotOpen;
  }
  errno = 0;
  FilePtr f(std::fopen(path.c_str(), "rb"));
  if (!f) {
    cause = FileErrorCauseFromErrno(errno);
    return ReadResult::CannotOpen;
  }
  char buf[65536];
  for (;;) {
    std::size_t n = std::fread(buf, 1, sizeof buf, f.get());
    out.append(buf, n);
    if (n < sizeof buf) break;
  }
  if (std::ferror(f.get())) {
    cause = FileErrorCauseFromErrno(errno);
    return ReadResult::ReadFailed;
  }
  return ReadResult::Ok;
}

WriteResult WriteTextFile(const std::string& path, const std::string& text, int& cause) {
  errno = 0;
  std::FILE* raw = std::fopen(path.c_str(), "wb");
  if (raw == nullptr) {
    cause = FileErrorCauseFromErrno(errno);
    return WriteResult::CannotCreate;
  }
  std::string disk;
  disk.reserve(text.size() + text.size() / 16 + 16);
  for (char c : text) {
    if (c == '\n') disk += '\r';
    disk += c;
  }
  bool ok = std::fwrite(disk.data(), 1, disk.size(), raw) == disk.size();
  int err = errno;
  if (std::fclose(raw) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    cause = FileErrorCauseFromErrno(err);
    return WriteResult::WriteFailed;
  }
  return WriteResult::Ok;
}

}  // namespace vesk
