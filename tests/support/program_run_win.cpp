#include "support/program_run.h"

#include <windows.h>

#include <cwctype>

#include "platform/command_line_win.h"
#include "platform/windows_path_win.h"

namespace vesk::test {

namespace {

bool SameName(const std::wstring& entry, const std::wstring& name) {
  if (entry.size() <= name.size() || entry[name.size()] != L'=') return false;
  for (std::size_t i = 0; i < name.size(); ++i)
    if (std::towupper(entry[i]) != std::towupper(name[i])) return false;
  return true;
}

// This program's environment with the changes, as CreateProcessW takes it (names are matched
// without regard to case, as Windows does).
bool EnvironmentBlock(const EnvironmentChanges& env, std::wstring& block) {
  std::vector<std::wstring> names, values;
  for (const auto& [name, value] : env) {
    std::wstring n, v;
    if (!platform::ToWide(name, n) || !platform::ToWide(value, v)) return false;
    names.push_back(n);
    values.push_back(v);
  }
  wchar_t* own = ::GetEnvironmentStringsW();
  for (const wchar_t* p = own; p && *p; p += std::wcslen(p) + 1) {
    const std::wstring entry(p);
    bool changed = false;
    for (const auto& n : names) changed = changed || SameName(entry, n);
    if (!changed) block += entry + L'\0';
  }
  if (own) ::FreeEnvironmentStringsW(own);
  for (std::size_t i = 0; i < names.size(); ++i) block += names[i] + L'=' + values[i] + L'\0';
  block += L'\0';
  return true;
}

HANDLE Inheritable(const std::wstring& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                       disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

}  // namespace

int RunProgram(const std::string& program, const std::vector<std::string>& args,
               const EnvironmentChanges& env, const std::string& outFile,
               const std::string& errFile, const std::string& workDir) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::wstring line, exe, out, err, block, folder;
  if (!platform::BuildCommandLine(argv, line) || !platform::ToWidePath(program, exe) ||
      !platform::ToWidePath(outFile, out) || !platform::ToWidePath(errFile, err) ||
      !EnvironmentBlock(env, block) || (!workDir.empty() && !platform::ToWidePath(workDir, folder)))
    return -1;
  platform::CWinHandle in(Inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING));
  platform::CWinHandle outHandle(Inheritable(out, GENERIC_WRITE, CREATE_ALWAYS));
  platform::CWinHandle errHandle(Inheritable(err, GENERIC_WRITE, CREATE_ALWAYS));
  if (!in.Ok() || !outHandle.Ok() || !errHandle.Ok()) return -1;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in.Get();
  startup.hStdOutput = outHandle.Get();
  startup.hStdError = errHandle.Get();
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, block.data(),
                        folder.empty() ? nullptr : folder.c_str(), &startup, &process))
    return -1;
  platform::CWinHandle processHandle(process.hProcess);
  platform::CWinHandle threadHandle(process.hThread);
  // Longer than any command of the tests takes under Wine; a hung one fails its test.
  if (::WaitForSingleObject(process.hProcess, 300000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 1);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    return -1;
  }
  DWORD code = 0;
  return ::GetExitCodeProcess(process.hProcess, &code) ? static_cast<int>(code) : -1;
}

}  // namespace vesk::test
