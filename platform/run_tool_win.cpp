#include <windows.h>

#include "platform/command_line_win.h"
#include "platform/run_tool.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {

int RunTool(const std::vector<std::string>& argv, int timeoutMs) {
  if (argv.empty() || argv[0].empty()) return -1;
  std::wstring line;
  if (!BuildCommandLine(argv, line)) return -1;
  // The tool's output is discarded: its standard handles are the null device.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  CWinHandle null(::CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0,
                                nullptr));
  if (!null.Ok()) return -1;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = startup.hStdOutput = startup.hStdError = null.Get();
  PROCESS_INFORMATION process{};
  // No application name: the first word is looked up on PATH, as a command line names it.
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process))
    return -1;
  CWinHandle processHandle(process.hProcess);
  CWinHandle threadHandle(process.hThread);
  if (::WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeoutMs < 0 ? 0 : timeoutMs)) !=
      WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    return -1;
  }
  DWORD code = 0;
  if (!::GetExitCodeProcess(process.hProcess, &code)) return -1;
  return static_cast<int>(code);
}

bool ToolExists(const std::string& name) {
  if (name.empty() || name.find_first_of("/\\:") != std::string::npos) return false;
  std::wstring wide;
  if (!ToWide(name, wide)) return false;
  wchar_t found[MAX_PATH];
  const DWORD n = ::SearchPathW(nullptr, wide.c_str(), L".exe", MAX_PATH, found, nullptr);
  if (n == 0 || n >= MAX_PATH) return false;
  const DWORD attributes = ::GetFileAttributesW(found);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string OwnProgramPath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  std::string path = FromWide(buffer);
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}

}  // namespace vesk::platform
