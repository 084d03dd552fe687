// Runs the built vesk-cli with its settings in a temporary folder and collects what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace vesk::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

// vesk-cli with XDG_CONFIG_HOME pointing into its own temporary folder.
class CCliRunner {
 public:
  std::string ConfigHome() const { return m_tmp.Path() + "config"; }
  std::string SettingsFile() const { return ConfigHome() + "/vesk/settings.txt"; }

  CliResult Run(const std::vector<std::string>& args) const {
    std::string cmd =
        "XDG_CONFIG_HOME=" + ShellQuote(ConfigHome()) + " " + ShellQuote(VESK_CLI_PATH);
    for (const auto& a : args) cmd += " " + ShellQuote(a);
    cmd += " >" + ShellQuote(m_tmp.File("out")) + " 2>" + ShellQuote(m_tmp.File("err"));
    int status = std::system(cmd.c_str());
    CliResult r;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = ReadBytes(m_tmp.File("out"));
    r.err = ReadBytes(m_tmp.File("err"));
    return r;
  }

 private:
  CTempFolder m_tmp;
};

}  // namespace vesk::test
