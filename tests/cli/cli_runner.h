// Runs the built vesk-cli with settings of its own and collects what it printed.
#pragma once

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "settings/settings_backend.h"
#include "support/program_run.h"
#include "support/temp_folder.h"
#ifdef _WIN32
#include "settings/settings_registry_backend.h"
#else
#include "settings/settings_file_backend.h"
#endif

namespace vesk::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// vesk-cli with its settings apart from every other runner's: on Linux in a settings file below
// a temporary XDG_CONFIG_HOME, on Windows below a registry key of this runner's own, removed
// afterwards.
class CCliRunner {
 public:
  CCliRunner() {
#ifdef _WIN32
    std::random_device seed;
    m_key = std::string("HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk-test-") +
            std::to_string(seed()) + std::to_string(seed());
#endif
  }
#ifdef _WIN32
  ~CCliRunner() {
    platform::CSettingsRegistryBackend registry(m_key);
    registry.DeleteKey("");
  }
#endif
  CCliRunner(const CCliRunner&) = delete;
  CCliRunner& operator=(const CCliRunner&) = delete;

  std::string ConfigHome() const { return m_tmp.Path() + "config"; }
  std::string SettingsFile() const { return ConfigHome() + "/vesk/settings.txt"; }
  // The settings as vesk-cli stores them, to read or prepare them directly.
  std::unique_ptr<ISettingsBackend> Settings() const {
#ifdef _WIN32
    return std::make_unique<platform::CSettingsRegistryBackend>(m_key);
#else
    return std::make_unique<platform::CSettingsFileBackend>(SettingsFile());
#endif
  }

  CliResult Run(const std::vector<std::string>& args) const { return RunIn("", args); }
  // Run in the folder workDir (empty: the test's own current folder).
  CliResult RunIn(const std::string& workDir, const std::vector<std::string>& args) const {
#ifdef _WIN32
    const EnvironmentChanges env{{"VESK_REGISTRY_KEY", m_key}};
#else
    const EnvironmentChanges env{{"XDG_CONFIG_HOME", ConfigHome()}};
#endif
    CliResult r;
    r.exitCode =
        RunProgram(VESK_CLI_PATH, args, env, m_tmp.File("out"), m_tmp.File("err"), workDir);
    r.out = ReadBytes(m_tmp.File("out"));
    r.err = ReadBytes(m_tmp.File("err"));
    return r;
  }

 private:
  CTempFolder m_tmp;
#ifdef _WIN32
  std::string m_key;
#endif
};

}  // namespace vesk::test
