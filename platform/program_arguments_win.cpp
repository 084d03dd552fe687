#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cwchar>

#include "platform/program_arguments.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  int n = 0;
  LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &n);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  std::vector<std::string> args;
  for (int i = 0; i < n; ++i) args.push_back(FromWide(wide[i], std::wcslen(wide[i])));
  ::LocalFree(wide);
  return args;
}

bool WindowSystemAvailable() { return true; }

}  // namespace vesk::platform
