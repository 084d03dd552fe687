// The desktop program's command line as the system gave it, and whether a window system is there
// to show its window.
#pragma once

#include <string>
#include <vector>

namespace vesk::platform {

// The arguments, program path first, as file-system bytes (UTF-8). On Windows they come from the
// wide command line, since the narrow argv loses what the code page cannot hold.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// False when no window can be shown: on X11 and Wayland no display is named in the environment;
// Windows always has its desktop.
bool WindowSystemAvailable();

}  // namespace vesk::platform
