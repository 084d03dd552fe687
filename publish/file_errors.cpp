#include "publish/file_errors.h"

#include <cerrno>
#include <cstdio>

#include "publish/encoding.h"

namespace vesk {

int FileErrorCauseFromErrno(int err) {
  switch (err) {
    case 0:
      return kFileErrNone;
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
    case EBUSY:
    case ETXTBSY:
      return kFileErrSharingViolation;
    case ENOLCK:
    case EDEADLK:
      return kFileErrLockViolation;
    case ESPIPE:
      return kFileErrBadSeek;
    case EIO:
    case ENXIO:
      return kFileErrHardIO;
    case ENOSPC:
    case EDQUOT:
      return kFileErrDiskFull;
    default:
      return kFileErrGeneric;
  }
}

void ReportBadFileName(IUserInterface& ui) {
  ui.MessageBox(ToCp932("ファイル名に使用できない文字が有ります。"), MbButtons::Ok, MbIcon::Stop);
}

void ReportBadFileName(IUserInterface& ui, const std::string& name) {
  ui.MessageBox(ToCp932("ファイル名に使用できない文字が有ります。") + "\n" + name, MbButtons::Ok,
                MbIcon::Stop);
}

std::string FileErrorText(int cause) {
  switch (cause) {
    case kFileErrNotFound:
      return ToCp932("ファイルが見つかりません");
    case kFileErrDiskFull:
      return ToCp932("ディスク容量が足りません。");
    default: {
      char text[32];
      std::snprintf(text, sizeof text, " Error Code (%d)", cause);
      return text;
    }
  }
}

void ReportFileError(IUserInterface& ui, int cause) {
  ui.MessageBox(FileErrorText(cause), MbButtons::Ok, MbIcon::Stop);
}

}  // namespace vesk
