// Puts its one argument (UTF-8) on the Windows clipboard as Unicode text, for the desktop tests
// that need something to paste or capture: clipboard_text TEXT
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: clipboard_text TEXT\n", stderr);
    return 2;
  }
  const int n = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, argv[1], -1, nullptr, 0);
  if (n <= 0) {
    std::fputs("clipboard_text: not UTF-8\n", stderr);
    return 2;
  }
  HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(n) * sizeof(wchar_t));
  if (memory == nullptr) return 1;
  auto* text = static_cast<wchar_t*>(::GlobalLock(memory));
  ::MultiByteToWideChar(CP_UTF8, 0, argv[1], -1, text, n);
  ::GlobalUnlock(memory);
  // The open can fail while another program holds the clipboard for a moment.
  bool open = false;
  for (int i = 0; i < 50 && !open; ++i) {
    open = ::OpenClipboard(nullptr) != FALSE;
    if (!open) ::Sleep(100);
  }
  if (!open) {
    std::fputs("clipboard_text: the clipboard stays busy\n", stderr);
    ::GlobalFree(memory);
    return 1;
  }
  ::EmptyClipboard();
  // Once set, the memory is the system's.
  const bool set = ::SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
  ::CloseClipboard();
  if (!set) {
    ::GlobalFree(memory);
    std::fputs("clipboard_text: SetClipboardData failed\n", stderr);
    return 1;
  }
  return 0;
}
