#include "platform/file_error_cause.h"

#include <cerrno>

namespace vesk {

FileErrorCause FileErrorCauseFromErrno(int err) {
  switch (err) {
    case 0:
      return kFileErrNone;
    case ENOENT:
      return kFileErrNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL:
#ifdef ELOOP
    case ELOOP:
#endif
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
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
      return kFileErrDiskFull;
    case EIO:
    case ENXIO:
      return kFileErrHardIO;
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
      return kFileErrSharingViolation;
    case ENOLCK:
    case EDEADLK:
      return kFileErrLockViolation;
    default:
      return kFileErrGeneric;
  }
}

}  // namespace vesk
