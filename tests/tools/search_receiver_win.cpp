// The stand-in search program of the Windows desktop tests: shows a top-level window titled
// "Deepscout" (or the title given as its one argument) and prints every WM_COPYDATA it receives,
// one line each, to the file named by SEARCH_RECEIVER_LOG when that is set (the desktop program
// starts it without arguments), else to standard output.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

FILE* g_out = stdout;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COPYDATA) {
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    std::string bytes(static_cast<const char*>(copy->lpData), copy->lpData ? copy->cbData : 0);
    const bool zero = !bytes.empty() && bytes.back() == '\0';
    if (zero) bytes.pop_back();
    std::fprintf(g_out, "received dwData=%lu wParam=%lu bytes=%lu zero=%d text=%s\n",
                 static_cast<unsigned long>(copy->dwData), static_cast<unsigned long>(wParam),
                 static_cast<unsigned long>(copy->cbData), zero ? 1 : 0, bytes.c_str());
    std::fflush(g_out);
    return TRUE;
  }
  if (msg == WM_DESTROY) {
    ::PostQuitMessage(0);
    return 0;
  }
  return ::DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring title = L"Deepscout";
  if (argc > 1) {
    const int n = ::MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, nullptr, 0);
    title.assign(static_cast<std::size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1) ::MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, title.data(), n);
  }
  if (const char* log = std::getenv("SEARCH_RECEIVER_LOG")) {
    g_out = std::fopen(log, "ab");
    if (g_out == nullptr) return 2;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = ReceiverProc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VeskSearchReceiver";
  ::RegisterClassW(&wc);
  HWND w = ::CreateWindowW(wc.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10, 240, 80,
                           nullptr, nullptr, wc.hInstance, nullptr);
  if (w == nullptr) return 1;
  ::ShowWindow(w, SW_SHOWNORMAL);
  std::fprintf(g_out, "ready pid=%lu window=%p\n", ::GetCurrentProcessId(), static_cast<void*>(w));
  std::fflush(g_out);
  MSG m;
  while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
  return 0;
}
