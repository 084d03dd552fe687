#include "publish/page_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include <sys/stat.h>

#include "document/user_interface.h"
#include "publish/encoding.h"

namespace vesk {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

int FileErrorCauseFromErrno(int err) {
  switch (err) {
    case ENOENT:
      return kFileErrNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EISDIR:
      return kFileErrBadPath;
    case EMFILE:
    case ENFILE:
      return kFileErrTooManyOpen;
    case EACCES:
    case EPERM:
    case EROFS:
      return kFileErrAccessDenied;
    case ENOSPC:
    case EDQUOT:
      return kFileErrDiskFull;
    default:
      return kFileErrGeneric;
  }
}

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

void ReportPageFileError(IUserInterface& ui, int cause) {
  std::string text;
  if (cause == kFileErrNotFound) {
    text = ToCp932("ファイルが見つかりません");
  } else if (cause == kFileErrDiskFull) {
    text = ToCp932("ディスク容量が足りません。");
  } else {
    char buf[32];
    std::snprintf(buf, sizeof buf, " Error Code (%d)", cause);
    text = buf;
  }
  ui.MessageBox(text, MbButtons::Ok, MbIcon::Stop);
}

}  // namespace vesk
