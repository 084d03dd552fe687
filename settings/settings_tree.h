// The key tree shared by the settings backends: keys hold DWORD and string values and subkeys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vesk {

// The application's key: the company key handed over at start-up, then the application name.
inline constexpr const char* kSettingsRootPath = "HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk";

// Joins a key path below a parent path with one backslash.
std::string JoinKeyPath(const std::string& parent, const std::string& keyPath);

// Folds ASCII letters to lower case, leaving the trail byte of a Shift_JIS pair untouched, so
// that names compare without regard to letter case as the registry compares them.
std::string FoldSettingsName(const std::string& name);
bool SettingsNameEquals(std::string_view a, std::string_view b);

// Splits "Settings\Data" into its key names; empty pieces (doubled or outer backslashes) vanish.
std::vector<std::string> SplitKeyPath(const std::string& keyPath);

// One stored value; a DWORD or a Shift_JIS string.
struct SettingsValue {
  std::string name;
  std::variant<std::uint32_t, std::string> data;
};

// One key; names keep the case of their first writer but are matched without regard to case.
struct SettingsKey {
  std::string name;
  std::vector<SettingsValue> values;
  std::vector<SettingsKey> subkeys;

  SettingsKey* FindSubkey(std::string_view keyName);
  const SettingsKey* FindSubkey(std::string_view keyName) const;
  SettingsValue* FindValue(const std::string& valueName);
  const SettingsValue* FindValue(const std::string& valueName) const;
  // Stores the value, keeping the existing name's spelling; true when anything changed.
  bool SetValue(const std::string& valueName, std::variant<std::uint32_t, std::string> data);
  bool RemoveValue(const std::string& valueName);
};

// A whole tree addressed by backslash key paths below its root.
class CSettingsTree {
 public:
  SettingsKey& Root() { return m_root; }
  const SettingsKey& Root() const { return m_root; }

  SettingsKey* Find(const std::string& keyPath);
  const SettingsKey* Find(const std::string& keyPath) const;
  // Finds or makes every key of the path; created tells whether any key was new.
  SettingsKey& Create(const std::string& keyPath, bool* created = nullptr);
  // Removes the key with everything below it; the root itself is emptied instead.
  bool Delete(const std::string& keyPath);
  void Clear() { m_root = SettingsKey{}; }

 private:
  SettingsKey m_root;
};

}  // namespace vesk
