#include "support/program_run.h"

#include <sys/wait.h>

#include <cstdlib>

namespace vesk::test {

namespace {

std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

int RunProgram(const std::string& program, const std::vector<std::string>& args,
               const EnvironmentChanges& env, const std::string& outFile,
               const std::string& errFile, const std::string& workDir) {
  std::string cmd = workDir.empty() ? "" : "cd " + ShellQuote(workDir) + " && ";
  for (const auto& [name, value] : env) cmd += name + "=" + ShellQuote(value) + " ";
  cmd += ShellQuote(program);
  for (const auto& a : args) cmd += " " + ShellQuote(a);
  cmd += " </dev/null >" + ShellQuote(outFile) + " 2>" + ShellQuote(errFile);
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace vesk::test
