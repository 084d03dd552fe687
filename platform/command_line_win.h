// Command lines for CreateProcessW, quoted so that the started program's argument parser gives
// back exactly the arguments given.
#pragma once

#include <string>
#include <vector>

namespace vesk::platform {

// The arguments (UTF-8) as one UTF-16 command line; false when one is not valid UTF-8 or holds
// a NUL.
bool BuildCommandLine(const std::vector<std::string>& args, std::wstring& line);

}  // namespace vesk::platform
