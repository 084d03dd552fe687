#include "settings/settings_registry_backend.h"

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <memory>

#include "platform/windows_path_win.h"
#include "text/encoding.h"

namespace vesk::platform {

namespace {

// Shift_JIS text in UTF-16; false when it is not valid Shift_JIS. The project's own tables, not
// the system's code page, so a value reads and writes as on every other build.
bool WideFromCp932(const std::string& cp932, std::wstring& wide) {
  wide.clear();
  std::string utf8;
  return Cp932ToUtf8(cp932, utf8) && ToWide(utf8, wide);
}

// UTF-16 text in Shift_JIS; false when a character has no Shift_JIS form (a value another
// program wrote), which is then read as missing rather than as a guess.
bool Cp932FromWide(const wchar_t* wide, std::size_t size, std::string& cp932) {
  cp932.clear();
  if (size == 0) return true;
  const std::string utf8 = FromWide(wide, size);
  return !utf8.empty() && Utf8ToCp932(utf8, cp932);
}

HKEY HiveNamed(const std::string& name) {
  if (SettingsNameEquals(name, "HKEY_CURRENT_USER")) return HKEY_CURRENT_USER;
  if (SettingsNameEquals(name, "HKEY_LOCAL_MACHINE")) return HKEY_LOCAL_MACHINE;
  if (SettingsNameEquals(name, "HKEY_CLASSES_ROOT")) return HKEY_CLASSES_ROOT;
  if (SettingsNameEquals(name, "HKEY_USERS")) return HKEY_USERS;
  return nullptr;
}

// The hive and the path below it of a full key path; false when the path names no hive.
bool SplitFullPath(const std::string& fullPath, HKEY& hive, std::wstring& subkey) {
  const std::vector<std::string> pieces = SplitKeyPath(fullPath);
  if (pieces.empty()) return false;
  hive = HiveNamed(pieces[0]);
  if (!hive) return false;
  std::string rest;
  for (std::size_t i = 1; i < pieces.size(); ++i) {
    if (!rest.empty()) rest += '\\';
    rest += pieces[i];
  }
  return WideFromCp932(rest, subkey);
}

// An open registry key, closed on every return path.
class CRegKey {
 public:
  CRegKey() = default;
  ~CRegKey() {
    if (m_h) ::RegCloseKey(m_h);
  }
  CRegKey(const CRegKey&) = delete;
  CRegKey& operator=(const CRegKey&) = delete;
  HKEY* Out() { return &m_h; }
  HKEY Get() const { return m_h; }

 private:
  HKEY m_h = nullptr;
};

// Opens (create: creating when missing) root\keyPath with the access asked for.
bool OpenKey(const std::string& root, const std::string& keyPath, REGSAM access, bool create,
             CRegKey& key) {
  HKEY hive = nullptr;
  std::wstring subkey;
  if (!SplitFullPath(JoinKeyPath(root, keyPath), hive, subkey)) return false;
  if (create)
    return ::RegCreateKeyExW(hive, subkey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                             nullptr, key.Out(), nullptr) == ERROR_SUCCESS;
  return ::RegOpenKeyExW(hive, subkey.c_str(), 0, access, key.Out()) == ERROR_SUCCESS;
}

}  // namespace

CSettingsRegistryBackend::CSettingsRegistryBackend(std::string rootPath)
    : m_rootPath(std::move(rootPath)) {}

bool CSettingsRegistryBackend::CreateKey(const std::string& keyPath) {
  if (m_readOnly) return true;  // a missing key reads as its defaults all the same
  CRegKey key;
  return OpenKey(m_rootPath, keyPath, KEY_READ | KEY_WRITE, true, key);
}

bool CSettingsRegistryBackend::KeyExists(const std::string& keyPath) {
  CRegKey key;
  return OpenKey(m_rootPath, keyPath, KEY_READ, false, key);
}

std::optional<std::uint32_t> CSettingsRegistryBackend::ReadDword(const std::string& keyPath,
                                                                 const std::string& name) {
  CRegKey key;
  std::wstring wideName;
  if (!WideFromCp932(name, wideName) || !OpenKey(m_rootPath, keyPath, KEY_QUERY_VALUE, false, key))
    return std::nullopt;
  DWORD type = 0, value = 0, size = sizeof value;
  if (::RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

std::optional<std::string> CSettingsRegistryBackend::ReadString(const std::string& keyPath,
                                                                const std::string& name) {
  CRegKey key;
  std::wstring wideName;
  if (!WideFromCp932(name, wideName) || !OpenKey(m_rootPath, keyPath, KEY_QUERY_VALUE, false, key))
    return std::nullopt;
  // The value may grow between the size query and the read: ask again until it fits.
  std::wstring data;
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
      return std::nullopt;
    data.assign(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    const LONG rc = ::RegQueryValueExW(key.Get(), wideName.c_str(), nullptr, &type,
                                       reinterpret_cast<BYTE*>(data.data()), &got);
    if (rc == ERROR_MORE_DATA) continue;
    if (rc != ERROR_SUCCESS || type != REG_SZ) return std::nullopt;
    data.resize(got / sizeof(wchar_t));
    // The stored terminator (and any a careless writer doubled) is not part of the text.
    while (!data.empty() && data.back() == L'\0') data.pop_back();
    std::string cp932;
    if (!Cp932FromWide(data.data(), data.size(), cp932)) return std::nullopt;
    return cp932;
  }
  return std::nullopt;
}

bool CSettingsRegistryBackend::WriteDword(const std::string& keyPath, const std::string& name,
                                          std::uint32_t value) {
  if (m_readOnly) return false;
  CRegKey key;
  std::wstring wideName;
  if (!WideFromCp932(name, wideName) || !OpenKey(m_rootPath, keyPath, KEY_SET_VALUE, true, key))
    return false;
  const DWORD data = value;
  return ::RegSetValueExW(key.Get(), wideName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&data), sizeof data) == ERROR_SUCCESS;
}

bool CSettingsRegistryBackend::WriteString(const std::string& keyPath, const std::string& name,
                                           const std::string& value) {
  if (m_readOnly) return false;
  CRegKey key;
  std::wstring wideName, wideValue;
  if (!WideFromCp932(name, wideName) || !WideFromCp932(value, wideValue) ||
      wideValue.find(L'\0') != std::wstring::npos ||
      !OpenKey(m_rootPath, keyPath, KEY_SET_VALUE, true, key))
    return false;
  // Stored with its terminating NUL, as REG_SZ values are.
  const DWORD bytes = static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t));
  return ::RegSetValueExW(key.Get(), wideName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(wideValue.c_str()), bytes) == ERROR_SUCCESS;
}

bool CSettingsRegistryBackend::DeleteValue(const std::string& keyPath, const std::string& name) {
  if (m_readOnly) return false;
  CRegKey key;
  std::wstring wideName;
  if (!WideFromCp932(name, wideName) || !OpenKey(m_rootPath, keyPath, KEY_SET_VALUE, false, key))
    return false;
  return ::RegDeleteValueW(key.Get(), wideName.c_str()) == ERROR_SUCCESS;
}

bool CSettingsRegistryBackend::DeleteKey(const std::string& keyPath) {
  if (m_readOnly) return false;
  HKEY hive = nullptr;
  std::wstring subkey;
  // A hive itself is never deleted.
  if (!SplitFullPath(JoinKeyPath(m_rootPath, keyPath), hive, subkey) || subkey.empty())
    return false;
  return ::RegDeleteTreeW(hive, subkey.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> CSettingsRegistryBackend::EnumSubkeys(const std::string& keyPath) {
  std::vector<std::string> names;
  CRegKey key;
  if (!OpenKey(m_rootPath, keyPath, KEY_ENUMERATE_SUB_KEYS, false, key)) return names;
  wchar_t buffer[256];  // a key name has at most 255 characters
  for (DWORD index = 0;; ++index) {
    DWORD size = static_cast<DWORD>(std::size(buffer));
    const LONG rc =
        ::RegEnumKeyExW(key.Get(), index, buffer, &size, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) break;
    std::string name;
    if (Cp932FromWide(buffer, size, name)) names.push_back(std::move(name));
  }
  return names;
}

}  // namespace vesk::platform

namespace vesk {

std::unique_ptr<ISettingsBackend> CreatePlatformSettingsBackend() {
  // VESK_REGISTRY_KEY puts a separate set of settings below another key of the current user
  // (the tests give each run its own), as XDG_CONFIG_HOME moves the settings file on Linux.
  if (const wchar_t* key = ::_wgetenv(L"VESK_REGISTRY_KEY")) {
    const std::string prefix = "HKEY_CURRENT_USER\\Software\\";
    std::string root;
    if (Utf8ToCp932(platform::FromWide(key, std::wcslen(key)), root) &&
        root.size() > prefix.size() && SettingsNameEquals(root.substr(0, prefix.size()), prefix))
      return std::make_unique<platform::CSettingsRegistryBackend>(root);
  }
  return std::make_unique<platform::CSettingsRegistryBackend>();
}

}  // namespace vesk
