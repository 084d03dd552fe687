// Settings kept in the Windows registry of the current user.
#pragma once

#include <string>

#include "settings/settings_backend.h"
#include "settings/settings_tree.h"

namespace vesk::platform {

// The registry store below rootPath ("HKEY_CURRENT_USER\Software\..."): key paths are joined to
// it with backslashes, integers are REG_DWORD and strings REG_SZ. Names and strings are
// Shift_JIS in memory and UTF-16 in the registry, converted through code page 932; the registry
// itself matches names without regard to case.
class CSettingsRegistryBackend : public ISettingsBackend {
 public:
  explicit CSettingsRegistryBackend(std::string rootPath = kSettingsRootPath);

  bool CreateKey(const std::string& keyPath) override;
  bool KeyExists(const std::string& keyPath) override;
  std::optional<std::uint32_t> ReadDword(const std::string& keyPath,
                                         const std::string& name) override;
  std::optional<std::string> ReadString(const std::string& keyPath,
                                        const std::string& name) override;
  bool WriteDword(const std::string& keyPath, const std::string& name,
                  std::uint32_t value) override;
  bool WriteString(const std::string& keyPath, const std::string& name,
                   const std::string& value) override;
  bool DeleteValue(const std::string& keyPath, const std::string& name) override;
  bool DeleteKey(const std::string& keyPath) override;
  std::vector<std::string> EnumSubkeys(const std::string& keyPath) override;

  const std::string& RootPath() const { return m_rootPath; }
  // A read-only store never changes the registry (a command that only reads a document):
  // creating a key succeeds without making it, and every write fails.
  void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }

 private:
  std::string m_rootPath;
  bool m_readOnly = false;
};

}  // namespace vesk::platform
