#include <windows.h>

#include "app/capture/session_file.h"
#include "platform/file_system.h"
#include "platform/windows_path_win.h"

namespace vesk {

bool ReadSessionFile(const std::string& path, std::string& out, std::size_t limit) {
  // Devices and folders are refused there, as are files over the limit.
  if (platform::ReadWholeFile(path, out, limit)) return true;
  out.clear();
  return false;
}

long long FileTimeNs(const std::string& path) {
  std::wstring wide;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!platform::CheckedWidePath(path, wide, nullptr) ||
      !::GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data))
    return 0;
  // 100 ns ticks since 1601 to nanoseconds since 1970.
  const unsigned long long ticks =
      (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
      data.ftLastWriteTime.dwLowDateTime;
  constexpr unsigned long long kEpochTicks = 116444736000000000ULL;
  if (ticks < kEpochTicks) return 0;
  return static_cast<long long>((ticks - kEpochTicks) * 100ULL);
}

std::vector<std::string> FolderEntries(const std::string& folder) {
  std::vector<platform::FolderEntry> entries;
  std::vector<std::string> names;
  if (!platform::ListFolder(folder, entries)) return names;
  for (auto& e : entries) {
    names.push_back(std::move(e.name));
    // A folder of a million entries is not a browser profile; stop reading.
    if (names.size() > 100000) break;
  }
  return names;
}

bool ProcessAlive(long pid) {
  if (pid <= 0) return false;
  platform::CWinHandle process(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid)));
  if (!process.Ok()) return ::GetLastError() == ERROR_ACCESS_DENIED;  // exists, not ours
  DWORD code = 0;
  return ::GetExitCodeProcess(process.Get(), &code) && code == STILL_ACTIVE;
}

std::string LinkTarget(const std::string& /*path*/) { return {}; }

bool FileLockedByOther(const std::string& path) {
  std::wstring wide;
  if (!platform::CheckedWidePath(path, wide, nullptr)) return false;
  platform::CWinHandle file(::CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file.Ok() && ::GetLastError() == ERROR_SHARING_VIOLATION;
}

std::string HostName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (!::GetComputerNameW(name, &size)) return {};
  return platform::FromWide(name, size);
}

namespace {

// An absolute folder from the environment; a relative or unset one counts as none.
std::string EnvironmentFolder(const wchar_t* name) {
  wchar_t value[MAX_PATH * 2] = {};
  const DWORD n = ::GetEnvironmentVariableW(name, value, MAX_PATH * 2);
  if (n == 0 || n >= MAX_PATH * 2) return {};
  std::string folder = platform::FromWide(value, n);
  for (char& c : folder) {
    if (c == '\\') c = '/';
  }
  const bool absolute = folder.size() >= 3 && folder[1] == ':' && folder[2] == '/';
  return absolute ? folder : std::string();
}

}  // namespace

std::string RoamingAppDataFolder() { return EnvironmentFolder(L"APPDATA"); }
std::string LocalAppDataFolder() { return EnvironmentFolder(L"LOCALAPPDATA"); }

}  // namespace vesk
