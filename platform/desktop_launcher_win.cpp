#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include "platform/desktop_launcher.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {
namespace {

// The shell's "open" verb, as for a link or a "mailto:" address typed into the Run box.
class CShellLauncher : public IDesktopLauncher {
 public:
  bool Open(const std::string& target) override {
    std::wstring wide;
    if (target.empty() || !ToWide(target, wide)) return false;
    const auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;  // smaller values are the shell's error codes
  }
};

}  // namespace

std::unique_ptr<IDesktopLauncher> MakeDesktopLauncher() {
  return std::make_unique<CShellLauncher>();
}

}  // namespace vesk::platform
