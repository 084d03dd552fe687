// A stand-in browser for the DDE page request: serves topic "WWW_GetWindowInfo", item
// "0xFFFFFFFF" in CF_TEXT under a service name, answering with the bytes of a file.
//   dde_browser_server SERVICE REPLY_FILE SECONDS [READY_FILE]
// It ends after SECONDS; READY_FILE is created once the service is registered.
#include <windows.h>
// windows.h first: ddeml.h needs its types.
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

DWORD g_instance = 0;
HSZ g_topic = nullptr;
HSZ g_item = nullptr;
std::string g_reply;  // sent with a NUL after it, as a browser sends its text
int g_requests = 0;

HDDEDATA CALLBACK Serve(UINT type, UINT format, HCONV, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR,
                        ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT:
      return reinterpret_cast<HDDEDATA>(
          static_cast<ULONG_PTR>(::DdeCmpStringHandles(topic, g_topic) == 0));
    case XTYP_REQUEST:
      if (format != CF_TEXT || ::DdeCmpStringHandles(topic, g_topic) != 0 ||
          ::DdeCmpStringHandles(item, g_item) != 0)
        return nullptr;
      ++g_requests;
      return ::DdeCreateDataHandle(g_instance,
                                   reinterpret_cast<BYTE*>(const_cast<char*>(g_reply.c_str())),
                                   static_cast<DWORD>(g_reply.size() + 1), 0, item, CF_TEXT, 0);
    default:
      return nullptr;
  }
}

bool ReadFileBytes(const char* path, std::string& out) {
  FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return false;
  char buf[4096];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
  std::fclose(f);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fputs("usage: dde_browser_server SERVICE REPLY_FILE SECONDS [READY_FILE]\n", stderr);
    return 2;
  }
  if (!ReadFileBytes(argv[2], g_reply)) {
    std::fprintf(stderr, "dde_browser_server: cannot read %s\n", argv[2]);
    return 2;
  }
  if (::DdeInitializeA(&g_instance, Serve, APPCLASS_STANDARD | CBF_FAIL_EXECUTES | CBF_FAIL_POKES,
                       0) != DMLERR_NO_ERROR) {
    std::fputs("dde_browser_server: DdeInitialize failed\n", stderr);
    return 1;
  }
  HSZ service = ::DdeCreateStringHandleA(g_instance, argv[1], CP_WINANSI);
  g_topic = ::DdeCreateStringHandleA(g_instance, "WWW_GetWindowInfo", CP_WINANSI);
  g_item = ::DdeCreateStringHandleA(g_instance, "0xFFFFFFFF", CP_WINANSI);
  if (::DdeNameService(g_instance, service, nullptr, DNS_REGISTER) == nullptr) {
    std::fputs("dde_browser_server: DdeNameService failed\n", stderr);
    return 1;
  }
  if (argc > 4) {
    FILE* ready = std::fopen(argv[4], "wb");
    if (ready != nullptr) std::fclose(ready);
  }
  const UINT_PTR timer =
      ::SetTimer(nullptr, 0, static_cast<UINT>(std::atoi(argv[3])) * 1000, nullptr);
  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_TIMER && msg.wParam == timer) break;
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  ::DdeNameService(g_instance, service, nullptr, DNS_UNREGISTER);
  ::DdeFreeStringHandle(g_instance, service);
  ::DdeFreeStringHandle(g_instance, g_topic);
  ::DdeFreeStringHandle(g_instance, g_item);
  ::DdeUninitialize(g_instance);
  std::printf("requests %d\n", g_requests);
  return 0;
}
