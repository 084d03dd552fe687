// Runs a program of the build, never through a user's shell quoting rules, and waits for it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vesk::test {

using EnvironmentChanges = std::vector<std::pair<std::string, std::string>>;

// Runs program with args (UTF-8) and the environment changed by env (a name set to the value),
// standard input empty and standard output and error written to the files outFile and errFile.
// It runs in workDir, or in this program's current folder when workDir is empty.
// Returns its exit status; -1 when it could not be started or did not end by itself.
int RunProgram(const std::string& program, const std::vector<std::string>& args,
               const EnvironmentChanges& env, const std::string& outFile,
               const std::string& errFile, const std::string& workDir = "");

}  // namespace vesk::test
