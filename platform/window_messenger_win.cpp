// Top-level windows by title and WM_COPYDATA, as Windows programs hand each other data.
#include <windows.h>

#include "platform/window_messenger.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {
namespace {

struct TitleSearch {
  std::string title;
  std::vector<WindowHandle> found;
};

BOOL CALLBACK CollectByTitle(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  wchar_t buffer[512];
  const int n = ::GetWindowTextW(window, buffer, 512);
  if (n > 0 && FromWide(buffer, static_cast<std::size_t>(n)) == search->title)
    search->found.push_back(reinterpret_cast<WindowHandle>(window));
  return TRUE;
}

class CWinWindowMessenger : public IWindowMessenger {
 public:
  bool Available() override { return true; }

  std::vector<WindowHandle> FindWindows(const std::string& title) override {
    TitleSearch search{title, {}};
    if (title.empty()) return {};
    ::EnumWindows(CollectByTitle, reinterpret_cast<LPARAM>(&search));
    return search.found;
  }

  bool SendData(WindowHandle window, const std::string& data) override {
    HWND hwnd = reinterpret_cast<HWND>(window);
    if (!::IsWindow(hwnd)) return false;
    COPYDATASTRUCT copy{};
    copy.dwData = 0;
    copy.cbData = static_cast<DWORD>(data.size());
    copy.lpData = const_cast<char*>(data.data());
    // Bounded, so a receiver that hangs does not hang the sender with it.
    DWORD_PTR reply = 0;
    return ::SendMessageTimeoutW(hwnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy),
                                 SMTO_ABORTIFHUNG, 10000, &reply) != 0;
  }
};

}  // namespace

std::unique_ptr<IWindowMessenger> MakeWindowMessenger() {
  return std::make_unique<CWinWindowMessenger>();
}

}  // namespace vesk::platform
