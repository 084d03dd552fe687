// Settings backend that keeps everything in memory; used by tests and as the working copy of
// the file backend.
#pragma once

#include "settings/settings_backend.h"
#include "settings/settings_tree.h"

namespace vesk {

// An in-memory key tree holding full paths; the backend's key paths are below rootPath.
// Methods are virtual so a test can make writes fail.
class CMemorySettingsBackend : public ISettingsBackend {
 public:
  explicit CMemorySettingsBackend(std::string rootPath = kSettingsRootPath)
      : m_rootPath(std::move(rootPath)) {}

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

  // The whole tree, from the top (the root path's first key is a subkey of it).
  CSettingsTree& Tree() { return m_tree; }
  const std::string& RootPath() const { return m_rootPath; }

  // The same operations as above; each tells whether the tree changed, so the file backend
  // rewrites its file only when needed.
  bool ApplyCreateKey(const std::string& keyPath);
  bool ApplyWrite(const std::string& keyPath, const std::string& name,
                  std::variant<std::uint32_t, std::string> data);
  bool ApplyDeleteValue(const std::string& keyPath, const std::string& name);
  bool ApplyDeleteKey(const std::string& keyPath);

 private:
  std::string Full(const std::string& keyPath) const { return JoinKeyPath(m_rootPath, keyPath); }
  const SettingsValue* Find(const std::string& keyPath, const std::string& name) const;

  std::string m_rootPath;
  CSettingsTree m_tree;
};

}  // namespace vesk
