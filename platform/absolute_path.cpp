#include "platform/absolute_path.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include "platform/windows_path_win.h"
#endif

namespace vesk::platform {
namespace {

// std::filesystem takes narrow text in the system's code page on Windows; the wide forms keep
// every character, and the separators go back to '/'.
#ifdef _WIN32
bool ToFsPath(const std::string& utf8, std::filesystem::path& p) {
  std::wstring wide;
  if (!ToWide(utf8, wide)) return false;
  p = std::filesystem::path(wide);
  return true;
}

std::string FromFsPath(const std::filesystem::path& p) {
  std::string s = FromWide(p.native());
  for (char& c : s)
    if (c == '\\') c = '/';
  return s;
}
#else
bool ToFsPath(const std::string& utf8, std::filesystem::path& p) {
  p = std::filesystem::path(utf8);
  return true;
}

std::string FromFsPath(const std::filesystem::path& p) { return p.string(); }
#endif

}  // namespace

bool AbsolutePath(const std::string& path, bool normal, std::string& out) {
  std::filesystem::path p;
  if (!ToFsPath(path, p)) return false;
  std::error_code ec;
  std::filesystem::path full = std::filesystem::absolute(p, ec);
  if (ec) return false;
  out = FromFsPath(normal ? full.lexically_normal() : full);
  return !out.empty();
}

std::string CurrentFolder() {
  std::error_code ec;
  std::filesystem::path p = std::filesystem::current_path(ec);
  return ec ? std::string() : FromFsPath(p);
}

}  // namespace vesk::platform
