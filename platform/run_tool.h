// Runs a helper program of the desktop (a database updater) and waits for it.
#pragma once

#include <string>
#include <vector>

namespace vesk::platform {

// Runs argv[0], looked up on PATH, with the arguments as given (never through a shell), its
// output discarded. Returns its exit status; -1 when it could not be started, was killed or
// ran longer than timeoutMs (it is then killed).
int RunTool(const std::vector<std::string>& argv, int timeoutMs);

// True when a program of that name can be found on PATH.
bool ToolExists(const std::string& name);

// The absolute path of the running program's file.
std::string OwnProgramPath();

}  // namespace vesk::platform
