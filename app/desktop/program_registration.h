// The program's registration with the desktop it runs on, renewed at every start so a moved
// program is found again, and its removal by the uninstall run. Failures are silent.
#pragma once

#include <string>

namespace vesk {

// Registers the program file at programPath for its document type and in the list of installed
// programs. False when the desktop cannot name the program at that path (the owner is told).
bool RegisterProgram(const std::string& programPath);

// Removes what RegisterProgram wrote; what other programs registered stays.
void UnregisterProgram();

}  // namespace vesk
