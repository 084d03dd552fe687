// Settings kept in a registry-style text file that several processes may share.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>

#include "settings/memory_settings_backend.h"
#include "settings/settings_backend.h"

namespace vesk::platform {

// The settings file of this user: $XDG_CONFIG_HOME/vesk/settings.txt, or
// ~/.config/vesk/settings.txt when XDG_CONFIG_HOME is unset or not absolute.
std::string DefaultSettingsFilePath();

// A file-backed store. Every read looks at the file again when another process has replaced
// it; every write takes a lock file, re-reads, applies the change and replaces the file
// atomically, so two writers never lose each other's values. A damaged or unreadable file
// reads as empty (the defaults) with one warning and is copied aside before it is replaced.
class CSettingsFileBackend : public ISettingsBackend {
 public:
  using WarningSink = std::function<void(const std::string&)>;

  // warn receives the one warning about a damaged file; by default it goes to stderr.
  explicit CSettingsFileBackend(std::string filePath, WarningSink warn = {},
                                std::string rootPath = kSettingsRootPath);

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

  const std::string& FilePath() const { return m_path; }
  // A read-only store never writes the file (a command that only reads a document): keys that
  // reading would create exist in memory only, and every write fails.
  void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
  // Where a damaged file was copied before it was replaced; empty until that happened.
  const std::string& DamagedCopyPath() const { return m_damagedCopy; }

 private:
  // Identity of the file last read, to notice a replacement by another process.
  struct FileStamp {
    bool exists = false;
    dev_t dev = 0;
    ino_t ino = 0;
    off_t size = 0;
    long long mtimeNs = 0;
    bool operator==(const FileStamp&) const = default;
  };

  void Refresh(bool force);
  // Locks, re-reads, applies and, when the tree changed, writes. False when the change could
  // not be stored; the working copy then goes back to the file's content.
  bool Modify(const std::function<bool(CMemorySettingsBackend&)>& apply);
  bool SaveLocked();
  bool CopyAsideDamaged();
  void Warn(const std::string& text);

  std::string m_path;
  WarningSink m_warn;
  CMemorySettingsBackend m_mem;
  FileStamp m_stamp;
  bool m_loadedOnce = false;
  bool m_damaged = false;  // the file exists but could not be read or understood
  bool m_warned = false;
  bool m_keptBackup = false;
  bool m_readOnly = false;
  std::string m_damagedCopy;
};

}  // namespace vesk::platform
