// Storage behind the settings store: a registry-like tree of keys holding DWORD and string values.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vesk {

// One backend per platform (file on POSIX, registry on Windows) plus an in-memory one for tests.
// Key paths use backslashes below the application root ("Settings\Data"); names ignore case.
class ISettingsBackend {
 public:
  virtual ~ISettingsBackend() = default;
  // Opens, creating when missing, the key path; false when it cannot.
  virtual bool CreateKey(const std::string& keyPath) = 0;
  virtual bool KeyExists(const std::string& keyPath) = 0;
  virtual std::optional<std::uint32_t> ReadDword(const std::string& keyPath,
                                                 const std::string& name) = 0;
  // Strings are Shift_JIS in memory.
  virtual std::optional<std::string> ReadString(const std::string& keyPath,
                                                const std::string& name) = 0;
  virtual bool WriteDword(const std::string& keyPath, const std::string& name,
                          std::uint32_t value) = 0;
  virtual bool WriteString(const std::string& keyPath, const std::string& name,
                           const std::string& value) = 0;
  virtual bool DeleteValue(const std::string& keyPath, const std::string& name) = 0;
  // Deletes the key with all its subkeys and values.
  virtual bool DeleteKey(const std::string& keyPath) = 0;
  virtual std::vector<std::string> EnumSubkeys(const std::string& keyPath) = 0;
};

// The persistent store of this platform (the settings file on POSIX), below the application key.
std::unique_ptr<ISettingsBackend> CreatePlatformSettingsBackend();

}  // namespace vesk
