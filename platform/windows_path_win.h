// Paths at the Win32 boundary: the program's UTF-8 paths in the file system's UTF-16 form, the
// Windows forms of the names that are refused for safety, and Win32 errors as file-error causes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/file_error_cause.h"

namespace vesk::platform {

// UTF-8 text in UTF-16; false when it is not valid UTF-8 or holds a NUL.
bool ToWide(const std::string& utf8, std::wstring& wide);
// The UTF-8 path in UTF-16 with backslash separators; false when path is not valid UTF-8 or
// holds a NUL.
bool ToWidePath(const std::string& path, std::wstring& wide);
// UTF-16 text (a name from a listing, a resolved path) in UTF-8; empty when it has no UTF-8 form.
std::string FromWide(const wchar_t* wide, std::size_t size);
inline std::string FromWide(const std::wstring& wide) { return FromWide(wide.data(), wide.size()); }

// True when one name (no separator) is a device (NUL, CON, PRN, AUX, COM1-9, LPT1-9, CONIN$,
// CONOUT$, with or without an extension, in any case) or ends in a dot or a space, which Windows
// would silently drop so that the name on disk differs from the one checked.
bool IsRefusedWindowsName(const std::string& name);
// True when the path must not reach the file system: a UNC or device-namespace path
// ("\\host\share", "\\?\", "\\.\"), a drive-relative path ("C:foo"), an alternate data stream
// ("file.html:stream"), a wildcard or control character, or a component refused above.
bool IsRefusedWindowsPath(const std::string& path);

// The wide form of path when it may reach the file system; false (cause kFileErrBadPath) when
// it is refused or cannot be converted.
bool CheckedWidePath(const std::string& path, std::wstring& wide, FileErrorCause* cause);

// The file-error cause for a Win32 error code (0 gives kFileErrNone, unknown codes
// kFileErrGeneric).
FileErrorCause FileErrorCauseFromWin32(DWORD error);

// Closes a Win32 handle on every return path.
class CWinHandle {
 public:
  explicit CWinHandle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
  ~CWinHandle() {
    if (Ok()) ::CloseHandle(m_h);
  }
  CWinHandle(const CWinHandle&) = delete;
  CWinHandle& operator=(const CWinHandle&) = delete;
  bool Ok() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }
  HANDLE Get() const { return m_h; }
  // Gives the handle up to the caller, who closes it.
  HANDLE Release() {
    HANDLE h = m_h;
    m_h = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE m_h;
};

}  // namespace vesk::platform
