// The file-error causes: one vocabulary for every file failure the program reports, and the
// mapping from the system's error numbers to it.
#pragma once

namespace vesk {

// File-error causes (the numbers the messages and " Error Code (%d)" show).
enum FileErrorCause : int {
  kFileErrNone = 0,
  kFileErrGeneric = 1,
  kFileErrNotFound = 2,
  kFileErrBadPath = 3,
  kFileErrTooManyOpen = 4,
  kFileErrAccessDenied = 5,
  kFileErrInvalidFile = 6,
  kFileErrRemoveCurrentDir = 7,
  kFileErrDirectoryFull = 8,
  kFileErrBadSeek = 9,
  kFileErrHardIO = 10,
  kFileErrSharingViolation = 11,
  kFileErrLockViolation = 12,
  kFileErrDiskFull = 13,
  kFileErrEndOfFile = 14,
};

// The cause for an errno value (0 gives kFileErrNone, unknown values kFileErrGeneric).
FileErrorCause FileErrorCauseFromErrno(int err);

}  // namespace vesk
