#include <windows.h>

#include "platform/command_line_win.h"
#include "platform/program_starter.h"
#include "platform/windows_path_win.h"

namespace vesk::platform {
namespace {

class CWinProgramStarter : public IProgramStarter {
 public:
  bool Start(const std::string& path) override {
    if (path.empty()) return false;
    std::wstring line;
    if (!BuildCommandLine({path}, line)) return false;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    // No handle is inherited, and the program is not watched afterwards. A name without a
    // separator is looked up on PATH.
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NEW_PROCESS_GROUP,
                          nullptr, nullptr, &startup, &process))
      return false;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
  }
};

}  // namespace

std::unique_ptr<IProgramStarter> MakeProgramStarter() {
  return std::make_unique<CWinProgramStarter>();
}

}  // namespace vesk::platform
