// The one running instance on Windows: a named mutex that every start creates (the system drops
// it with the last process holding it), and a message-only window on the channel's own thread
// that takes the WM_COPYDATA of later starts.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <thread>

#include "platform/instance_channel.h"
#include "platform/message_inbox.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {
namespace {

constexpr wchar_t kMutexName[] = L"Vesk -Kestrelnst Application-";
// The hand-over window: message-only, so it is never listed among the top-level windows.
constexpr wchar_t kReceiverClass[] = L"VeskInstanceReceiver";
// The main window's caption always holds the program's title.
constexpr wchar_t kMainTitle[] = L"Kestrelnest Application";
constexpr std::size_t kMaxMessage = 64 * 1024;
constexpr std::size_t kMaxWaiting = 32;

struct MainWindowSearch {
  DWORD process;
  HWND found;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<MainWindowSearch*>(param);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != search->process) return TRUE;
  wchar_t title[512];
  const int n = ::GetWindowTextW(window, title, 512);
  // The last match in the listing wins.
  if (n > 0 &&
      std::wstring(title, static_cast<std::size_t>(n)).find(kMainTitle) != std::wstring::npos)
    search->found = window;
  return TRUE;
}

}  // namespace

std::string InstanceFolder() { return FromWide(kMutexName, wcslen(kMutexName)); }

struct CInstanceChannel::Impl {
  std::string folder;
  HANDLE mutexHandle = nullptr;
  std::thread receiver;
  HWND window = nullptr;
  CMessageInbox inbox{kMaxWaiting};

  // Runs on the channel's thread: true when the message was taken.
  bool Take(const COPYDATASTRUCT& copy) {
    if (copy.dwData != 0 || copy.lpData == nullptr || copy.cbData == 0 || copy.cbData > kMaxMessage)
      return false;
    return inbox.Post(std::string(static_cast<const char*>(copy.lpData), copy.cbData));
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Impl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_COPYDATA && self != nullptr)
      return self->Take(*reinterpret_cast<const COPYDATASTRUCT*>(lParam)) ? TRUE : FALSE;
    if (msg == WM_CLOSE) {
      ::DestroyWindow(hwnd);
      return 0;
    }
    if (msg == WM_DESTROY) {
      ::PostQuitMessage(0);
      return 0;
    }
    return ::DefWindowProcW(hwnd, msg, wParam, lParam);
  }

  // Creates the receiver on a thread of its own and waits until it is there.
  bool StartReceiver() {
    HANDLE created = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (created == nullptr) return false;
    receiver = std::thread([this, created] {
      WNDCLASSEXW wc{};
      wc.cbSize = sizeof wc;
      wc.lpfnWndProc = WindowProc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.lpszClassName = kReceiverClass;
      ::RegisterClassExW(&wc);
      HWND hwnd = ::CreateWindowExW(0, kReceiverClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    wc.hInstance, nullptr);
      if (hwnd != nullptr)
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
      window = hwnd;
      ::SetEvent(created);
      if (hwnd == nullptr) return;
      MSG m;
      while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&m);
        ::DispatchMessageW(&m);
      }
    });
    ::WaitForSingleObject(created, INFINITE);
    ::CloseHandle(created);
    return window != nullptr;
  }
};

CInstanceChannel::CInstanceChannel(std::string folder) : m_impl(std::make_unique<Impl>()) {
  m_impl->folder = std::move(folder);
}

CInstanceChannel::~CInstanceChannel() {
  if (m_impl->window != nullptr) ::PostMessageW(m_impl->window, WM_CLOSE, 0, 0);
  if (m_impl->receiver.joinable()) m_impl->receiver.join();
  if (m_impl->mutexHandle != nullptr) ::CloseHandle(m_impl->mutexHandle);
}

InstanceRole CInstanceChannel::Claim() {
  // Created unowned: it only tells a later start that this one runs, and is never waited on.
  m_impl->mutexHandle = ::CreateMutexW(nullptr, FALSE, kMutexName);
  if (m_impl->mutexHandle == nullptr) return InstanceRole::Alone;
  if (::GetLastError() == ERROR_ALREADY_EXISTS) return InstanceRole::Secondary;
  if (!m_impl->StartReceiver()) return InstanceRole::Alone;
  return InstanceRole::Primary;
}

bool CInstanceChannel::Send(const std::string& message, int timeoutMs) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    HWND receiver = ::FindWindowExW(HWND_MESSAGE, nullptr, kReceiverClass, nullptr);
    if (receiver != nullptr) {
      MainWindowSearch search{0, nullptr};
      ::GetWindowThreadProcessId(receiver, &search.process);
      ::EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
      // This process was just started by the user and may hand the foreground on.
      ::AllowSetForegroundWindow(search.process);
      if (search.found != nullptr) {
        if (::IsIconic(search.found)) ::ShowWindow(search.found, SW_RESTORE);
        ::SetForegroundWindow(search.found);
      }
      COPYDATASTRUCT copy{};
      copy.dwData = 0;
      copy.cbData = static_cast<DWORD>(message.size());
      copy.lpData = const_cast<char*>(message.data());
      DWORD_PTR reply = 0;
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
      if (::SendMessageTimeoutW(
              receiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&copy), SMTO_ABORTIFHUNG,
              static_cast<UINT>(std::max<long long>(left.count(), 1)), &reply) != 0)
        return reply == TRUE;
    }
    if (Clock::now() >= deadline) return false;
    ::Sleep(50);  // the first instance may still be starting
  }
}

std::vector<std::string> CInstanceChannel::Receive() { return m_impl->inbox.Take(); }

void CInstanceChannel::SetWake(std::function<void()> wake) {
  m_impl->inbox.SetWake(std::move(wake));
}

const std::string& CInstanceChannel::Folder() const { return m_impl->folder; }

}  // namespace vesk::platform
