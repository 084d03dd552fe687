#include <windows.h>

#include "platform/hand_over_path.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {

bool HandOverPath(const std::string& path, std::string& out) {
  out.clear();
  std::wstring wide;
  if (!ToWide(path, wide)) return false;
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  if (wide.empty()) return true;
  // No best fit: a character CP932 lacks must fail, not turn into a look-alike of another file.
  BOOL usedDefault = FALSE;
  const int n =
      ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                            nullptr, 0, nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return false;
  std::string bytes(static_cast<std::size_t>(n), '\0');
  usedDefault = FALSE;
  if (::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                            bytes.data(), n, nullptr, &usedDefault) != n ||
      usedDefault)
    return false;
  out = std::move(bytes);
  return true;
}

}  // namespace vesk::platform
