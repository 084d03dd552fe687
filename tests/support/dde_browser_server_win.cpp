#include <windows.h>

#include <fstream>

#include "platform/file_system.h"
#include "platform/windows_path_win.h"
#include "support/dde_browser_server.h"

namespace vesk::test {

bool DdeNeedsADisplayHere() {
  const bool wine =
      ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine && ::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) == 0;
}

CDdeBrowserServer::CDdeBrowserServer(const std::string& service, const std::string& reply) {
  const std::string replyFile = m_dir.File("reply.txt");
  const std::string readyFile = m_dir.File("ready");
  std::ofstream(replyFile, std::ios::binary) << reply;
  // It ends by itself after a minute should this process die before it stops it.
  // Under Wine the build's own path is a Unix one, which drive Z: holds.
  std::string program = VESK_DDE_SERVER_PATH;
  if (!program.empty() && program[0] == '/') program = "Z:" + program;
  const std::string utf8 =
      "\"" + program + "\" " + service + " \"" + replyFile + "\" 60 \"" + readyFile + "\"";
  std::wstring line;
  if (!platform::ToWide(utf8, line)) return;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
    return;
  ::CloseHandle(pi.hThread);
  m_process = pi.hProcess;
  for (int i = 0; i < 200 && !m_ready; ++i) {
    if (::WaitForSingleObject(pi.hProcess, 50) == WAIT_OBJECT_0) break;  // it failed
    m_ready = platform::GetPathKind(readyFile) == platform::PathKind::Other;
  }
}

CDdeBrowserServer::~CDdeBrowserServer() {
  if (m_process == nullptr) return;
  ::TerminateProcess(m_process, 0);
  ::WaitForSingleObject(m_process, 10000);
  ::CloseHandle(m_process);
}

}  // namespace vesk::test
