// On Windows: the document type under the user's classes and the entry in the list of installed
// programs, both under HKEY_CURRENT_USER, so no right beyond the user's own is needed and nothing
// of another user or of the machine is touched.
#include <windows.h>

#include <string>

#include "app/desktop/program_registration.h"
#include "platform/windows_path_win.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {
namespace {

constexpr wchar_t kExtensionKey[] = L"Software\\Classes\\.knd";
constexpr wchar_t kFileType[] = L"veskDatafile";
constexpr wchar_t kClassKey[] = L"Software\\Classes\\veskDatafile";
constexpr wchar_t kUninstallKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\vesk";
// What the installer names its uninstaller, in the program's folder.
constexpr wchar_t kUninstallerName[] = L"vesk-uninstall.exe";

// One open key, closed on every return path.
class CKey {
 public:
  CKey() = default;
  ~CKey() {
    if (m_key != nullptr) ::RegCloseKey(m_key);
  }
  CKey(const CKey&) = delete;
  CKey& operator=(const CKey&) = delete;
  bool Create(const std::wstring& path) {
    return ::RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &m_key, nullptr) == ERROR_SUCCESS;
  }
  bool Open(const std::wstring& path) {
    return ::RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &m_key) == ERROR_SUCCESS;
  }
  bool Set(const wchar_t* name, const std::wstring& value) {
    // Stored with its terminating NUL, as every reader of the shell expects.
    return ::RegSetValueExW(m_key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                            static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) ==
           ERROR_SUCCESS;
  }
  // The text value name (nullptr: the default value); false when it is missing or not text.
  bool Get(const wchar_t* name, std::wstring& value) {
    DWORD type = 0, size = 0;
    if (::RegQueryValueExW(m_key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
      return false;
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    if (::RegQueryValueExW(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                           &size) != ERROR_SUCCESS)
      return false;
    buffer.resize(size / sizeof(wchar_t));
    while (!buffer.empty() && buffer.back() == L'\0') buffer.pop_back();
    value = buffer;
    return true;
  }

 private:
  HKEY m_key = nullptr;
};

std::wstring ModulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) {
      buffer.resize(n);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

// Who holds the extension: nobody (no key or an empty type), us, or another program.
enum class Holder { Nobody, Us, Other };
Holder ExtensionHolder() {
  CKey key;
  if (!key.Open(kExtensionKey)) return Holder::Nobody;
  std::wstring type;
  if (!key.Get(nullptr, type) || type.empty()) return Holder::Nobody;
  return type == kFileType ? Holder::Us : Holder::Other;
}

std::wstring Quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// The entry's command: the installer's uninstaller when the program was installed (it sits
// beside the program, and runs the uninstall run before it removes the files), else the
// program's own uninstall run. So a start never turns an installed program's entry into one
// that would leave its files behind.
std::wstring UninstallCommand(const std::wstring& program) {
  const std::size_t slash = program.find_last_of(L"\\/");
  if (slash != std::wstring::npos) {
    const std::wstring uninstaller = program.substr(0, slash + 1) + kUninstallerName;
    const DWORD attributes = ::GetFileAttributesW(uninstaller.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
      return Quoted(uninstaller);
  }
  return Quoted(program) + L" /uninstall";
}

}  // namespace

bool RegisterProgram(const std::string&) {
  // The module's own wide path: the shell reads it back as it stands.
  const std::wstring program = ModulePath();
  if (program.empty()) return true;
  // An extension that another program took stays with it; our own class is kept up to date.
  if (ExtensionHolder() != Holder::Other) {
    CKey ext;
    if (!ext.Create(kExtensionKey) || !ext.Set(nullptr, kFileType)) return true;
  }
  {
    CKey command;
    // Quoted: a path with spaces is one word to the shell.
    if (!command.Create(std::wstring(kClassKey) + L"\\shell\\open\\command") ||
        !command.Set(nullptr, Quoted(program) + L" \"%1\""))
      return true;
  }
  {
    CKey icon;
    if (!icon.Create(std::wstring(kClassKey) + L"\\DefaultIcon") ||
        !icon.Set(nullptr, program + L",1"))
      return true;
  }
  {
    std::wstring display;
    platform::ToWide(ToUtf8(ResString(kIdsUninstallDisplayName)), display);
    CKey entry;
    if (entry.Create(kUninstallKey) && entry.Set(L"DisplayName", display))
      entry.Set(L"UninstallString", UninstallCommand(program));
  }
  return true;
}

void UnregisterProgram() {
  // The class goes only with the extension: while another program holds the extension, both
  // stay as they are.
  const Holder holder = ExtensionHolder();
  if (holder == Holder::Us) ::RegDeleteTreeW(HKEY_CURRENT_USER, kExtensionKey);
  if (holder != Holder::Other) ::RegDeleteTreeW(HKEY_CURRENT_USER, kClassKey);
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kUninstallKey);
}

}  // namespace vesk
