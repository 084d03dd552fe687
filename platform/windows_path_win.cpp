#include "platform/windows_path_win.h"

#include <cctype>

#include "platform/file_error_cause.h"

namespace vesk::platform {
namespace {

bool IsSep(char c) { return c == '/' || c == '\\'; }

bool EqualNoCase(const std::string& a, const char* b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != b[i]) return false;
  return i == a.size() && !b[i];
}

}  // namespace

bool ToWide(const std::string& utf8, std::wstring& wide) {
  wide.clear();
  if (utf8.find('\0') != std::string::npos) return false;
  if (utf8.empty()) return true;
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, 0);
  if (n <= 0) return false;
  wide.resize(static_cast<std::size_t>(n));
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        wide.data(), n);
  return true;
}

bool ToWidePath(const std::string& path, std::wstring& wide) {
  if (!ToWide(path, wide)) return false;
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  return true;
}

std::string FromWide(const wchar_t* wide, std::size_t size) {
  if (size == 0) return {};
  const int n = ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, static_cast<int>(size),
                                      nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, wide, static_cast<int>(size), out.data(), n,
                        nullptr, nullptr);
  return out;
}

bool IsRefusedWindowsName(const std::string& name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == '.' || name.back() == ' ') return true;
  // The device is reached whatever follows the base name: "nul.txt", "COM1 .html".
  std::string base = name.substr(0, name.find('.'));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  static const char* const kDevices[] = {"NUL", "CON", "PRN", "AUX", "CONIN$", "CONOUT$"};
  for (const char* device : kDevices)
    if (EqualNoCase(base, device)) return true;
  if (base.size() >= 4 &&
      (EqualNoCase(base.substr(0, 3), "COM") || EqualNoCase(base.substr(0, 3), "LPT"))) {
    const std::string digit = base.substr(3);
    // "1".."9" and the superscripts one, two and three, which Windows takes as digits too.
    if (digit.size() == 1 && digit[0] >= '1' && digit[0] <= '9') return true;
    if (digit == "\xC2\xB9" || digit == "\xC2\xB2" || digit == "\xC2\xB3") return true;
  }
  return false;
}

bool IsRefusedWindowsPath(const std::string& path) {
  if (path.size() >= 2 && IsSep(path[0]) && IsSep(path[1])) return true;
  std::size_t start = 0;
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    if (path.size() == 2 || !IsSep(path[2])) return true;  // "C:" and "C:foo" hang on a cwd
    start = 3;
  }
  for (std::size_t i = start; i < path.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(path[i]);
    if (c < 0x20 || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
        c == '|')
      return true;
  }
  while (start < path.size()) {
    std::size_t end = start;
    while (end < path.size() && !IsSep(path[end])) ++end;
    if (IsRefusedWindowsName(path.substr(start, end - start))) return true;
    start = end + 1;
  }
  return false;
}

bool CheckedWidePath(const std::string& path, std::wstring& wide, FileErrorCause* cause) {
  if (path.empty() || IsRefusedWindowsPath(path) || !ToWidePath(path, wide)) {
    if (cause) *cause = kFileErrBadPath;
    return false;
  }
  return true;
}

FileErrorCause FileErrorCauseFromWin32(DWORD error) {
  switch (error) {
    case ERROR_SUCCESS:
      return kFileErrNone;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return kFileErrNotFound;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE:
    case ERROR_DIRECTORY:
    case ERROR_CANT_RESOLVE_FILENAME:
      return kFileErrBadPath;
    case ERROR_TOO_MANY_OPEN_FILES:
      return kFileErrTooManyOpen;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
    case ERROR_CURRENT_DIRECTORY:
      return kFileErrAccessDenied;
    case ERROR_INVALID_HANDLE:
      return kFileErrInvalidFile;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
      return kFileErrBadSeek;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kFileErrDiskFull;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
      return kFileErrHardIO;
    case ERROR_SHARING_VIOLATION:
      return kFileErrSharingViolation;
    case ERROR_LOCK_VIOLATION:
      return kFileErrLockViolation;
    case ERROR_HANDLE_EOF:
      return kFileErrEndOfFile;
    default:
      return kFileErrGeneric;
  }
}

}  // namespace vesk::platform
