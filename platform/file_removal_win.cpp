#include <windows.h>

#include "platform/file_removal.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {

namespace {

std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

// "C:", "C:/" or "/": where the parent walk of CreateFolders stops.
bool IsRoot(const std::string& path) {
  if (path == "/" || path == "\\") return true;
  return (path.size() == 2 || path.size() == 3) && path[1] == ':' &&
         (path.size() == 2 || path[2] == '/' || path[2] == '\\');
}

}  // namespace

bool RemoveFile(const std::string& path) {
  std::wstring wide;
  if (!CheckedWidePath(path, wide, nullptr)) return false;
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  // A junction or a link to a folder is a folder entry to Windows; only the entry goes.
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return ::RemoveDirectoryW(wide.c_str()) != 0;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
  return ::DeleteFileW(wide.c_str()) != 0;
}

bool RemoveEmptyFolder(const std::string& path) {
  std::wstring wide;
  if (!CheckedWidePath(path, wide, nullptr)) return false;
  // A link is not a folder of ours, even when it leads to one.
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  return ::RemoveDirectoryW(wide.c_str()) != 0;
}

bool CreateFolders(const std::string& path) {
  std::wstring wide;
  if (!CheckedWidePath(path, wide, nullptr)) return false;
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (IsRoot(path)) return false;
  std::string trimmed = path;
  while (trimmed.size() > 1 && (trimmed.back() == '/' || trimmed.back() == '\\'))
    trimmed.pop_back();
  const auto slash = LastSeparator(trimmed);
  if (slash != std::string::npos && slash > 0) {
    const std::string parent = trimmed.substr(0, slash);
    if (!IsRoot(parent) && !CreateFolders(parent)) return false;
  }
  return ::CreateDirectoryW(wide.c_str(), nullptr) != 0 || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace vesk::platform
