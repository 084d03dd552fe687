#include "settings/vesk_settings.h"

#include <iterator>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/settings_tree.h"
#include "text/file_path.h"

namespace vesk {

namespace {

constexpr const char* kData = "Settings\\Data";
constexpr const char* kFiles = "Settings\\Files";
constexpr const char* kListView = "Settings\\ListView";
constexpr const char* kWindow = "Settings\\Window";
constexpr const char* kSearch = "Search";
constexpr const char* kRecent = "Recent File List";
constexpr const char* kSettings = "Settings";
constexpr const char* kLinkCheck = "Settings\\LinkCheck";
constexpr const char* kCapture = "Settings\\Capture";

constexpr int kSearchWordCount = 10;
constexpr int kRecentFileCount = 4;

std::string Numbered(const char* base, int n) { return base + std::to_string(n); }

}  // namespace

std::string PathToSetting(const std::string& path) {
  std::string cp932;
  if (PathToCp932(path, cp932)) return cp932;
  return std::string(1, '\0') + path;
}

std::string PathFromSetting(const std::string& value) {
  if (!value.empty() && value[0] == '\0') return value.substr(1);
  std::string path;
  return PathFromCp932(value, path) ? path : std::string();
}

int CVeskSettings::GetInt(const std::string& section, const std::string& name, int def) {
  // Reading creates the key path, as the registry calls do; a failure only means the default.
  m_backend.CreateKey(section);
  std::optional<std::uint32_t> v = m_backend.ReadDword(section, name);
  return v ? static_cast<int>(*v) : def;
}

std::string CVeskSettings::GetString(const std::string& section, const std::string& name,
                                     const std::string& def) {
  m_backend.CreateKey(section);
  std::optional<std::string> v = m_backend.ReadString(section, name);
  return v ? *v : def;
}

bool CVeskSettings::WriteInt(const std::string& section, const std::string& name, int value) {
  return m_backend.WriteDword(section, name, static_cast<std::uint32_t>(value));
}

bool CVeskSettings::WriteString(const std::string& section, const std::string& name,
                                const std::optional<std::string>& value) {
  if (!value) return m_backend.DeleteValue(section, name);
  return m_backend.WriteString(section, name, *value);
}

// Settings\Data

int CVeskSettings::GetTag() { return GetInt(kData, "tag", 0); }
void CVeskSettings::SetTag(int v) { WriteInt(kData, "tag", v); }
int CVeskSettings::GetAuto() { return GetInt(kData, "auto", 1); }
void CVeskSettings::SetAuto(int v) { WriteInt(kData, "auto", v); }

std::string CVeskSettings::GetBannerTemplate(int n) {
  switch (n) {
    case 1:
      return GetString(kData, "BannerTemplate", ResString(kIdsDefaultBanner));
    case 2:
      return GetString(kData, "BannerTemplate2");
    case 3:
      return GetString(kData, "BannerTemplate3");
    default:
      return {};
  }
}

void CVeskSettings::SetBannerTemplate(int n, const std::optional<std::string>& v) {
  if (n == 1) {
    WriteString(kData, "BannerTemplate", v);
  } else if (n == 2 || n == 3) {
    WriteString(kData, Numbered("BannerTemplate", n), v);
  }
}

std::string CVeskSettings::GetCoolData() { return GetString(kData, "CoolData"); }
std::string CVeskSettings::GetHotData() { return GetString(kData, "HotData"); }
std::string CVeskSettings::GetCheckData() { return GetString(kData, "CheckData"); }
// The settings sheet has always written these spellings; names ignore case, so they are the
// same values as the ones read above.
void CVeskSettings::SetCoolData(const std::string& v) { WriteString(kData, "Cooldata", v); }
void CVeskSettings::SetHotData(const std::string& v) { WriteString(kData, "Hotdata", v); }
void CVeskSettings::SetCheckData(const std::string& v) { WriteString(kData, "Checkdata", v); }

std::string CVeskSettings::MarkText(int mark) {
  switch (mark) {
    case 1:
      return GetCoolData();
    case 2:
      return GetHotData();
    case 3:
      return GetCheckData();
    default:
      return {};
  }
}

int CVeskSettings::GetLinkFlag() { return GetInt(kData, "linkflag", 0x300); }
void CVeskSettings::SetLinkFlag(int v) { WriteInt(kData, "linkflag", v); }
std::string CVeskSettings::GetGenreList() {
  return GetString(kData, "GenreList", ResString(kIdsDefaultGenres));
}
void CVeskSettings::SetGenreList(const std::string& v) { WriteString(kData, "GenreList", v); }
int CVeskSettings::GetOpen() { return GetInt(kData, "open", 0); }
void CVeskSettings::SetOpen(int v) { WriteInt(kData, "open", v); }
int CVeskSettings::GetTail() { return GetInt(kData, "tail", 1); }
void CVeskSettings::SetTail(int v) { WriteInt(kData, "tail", v); }
int CVeskSettings::GetUserAgent() { return GetInt(kData, "userAgent", 0); }
void CVeskSettings::SetUserAgent(int v) { WriteInt(kData, "userAgent", v); }

// Settings\Files

std::string CVeskSettings::GetDeepscout() { return GetString(kFiles, "Deepscout"); }
void CVeskSettings::SetDeepscout(const std::string& v) { WriteString(kFiles, "Deepscout", v); }
std::string CVeskSettings::GetFavoritesFolder() {
  return PathFromSetting(GetString(kFiles, "Favorites"));
}
void CVeskSettings::SetFavoritesFolder(const std::string& path) {
  WriteString(kFiles, "Favorites",
              path.empty() ? std::optional<std::string>{} : PathToSetting(path));
}

// Settings\ListView

int CVeskSettings::GetHeader(int position) {
  return GetInt(kListView, Numbered("Header", position), position + 0x1000);
}
void CVeskSettings::SetHeader(int position, int v) {
  WriteInt(kListView, Numbered("Header", position), v);
}
int CVeskSettings::GetGridLine() { return GetInt(kListView, "GridLine", 0); }
void CVeskSettings::SetGridLine(int v) { WriteInt(kListView, "GridLine", v); }
int CVeskSettings::GetColumnWidth(int position, int def) {
  return GetInt(kListView, Numbered("lc", position), def);
}
void CVeskSettings::SetColumnWidth(int position, int v) {
  WriteInt(kListView, Numbered("lc", position), v);
}

// Settings\Window

int CVeskSettings::GetWindowValue(const std::string& name) {
  static const struct {
    const char* name;
    int def;
  } kDefaults[] = {{"x", 80}, {"y", 80}, {"cx", 550}, {"cy", 360}, {"ps1cx", 120}, {"ps1cy", 100}};
  int def = 0;
  for (const auto& d : kDefaults)
    if (SettingsNameEquals(name, d.name)) def = d.def;
  return GetInt(kWindow, name, def);
}
void CVeskSettings::SetWindowValue(const std::string& name, int v) { WriteInt(kWindow, name, v); }

// Search

std::string CVeskSettings::GetSearchWords() {
  std::string result;
  for (int n = 0; n < kSearchWordCount; ++n) {
    std::string word = GetString(kSearch, Numbered("word", n));
    if (word.empty()) break;
    if (n > 0) result += '\t';
    result += word;
  }
  return result;
}

bool CVeskSettings::SetSearchWords(const std::string& tabJoined) {
  std::size_t start = 0;
  for (int n = 0; n < kSearchWordCount; ++n) {
    std::size_t tab = tabJoined.find('\t', start);
    std::string piece = tabJoined.substr(start, tab == std::string::npos ? tab : tab - start);
    if (!WriteString(kSearch, Numbered("word", n), piece)) return false;
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return true;
}

int CVeskSettings::GetSearchMode() { return GetInt(kSearch, "Mode", 0x200); }
void CVeskSettings::SetSearchMode(int v) { WriteInt(kSearch, "Mode", v); }

// Recent File List

std::string CVeskSettings::GetRecentFile(int n) {
  if (n < 1 || n > kRecentFileCount) return {};
  return PathFromSetting(GetString(kRecent, Numbered("File", n)));
}

void CVeskSettings::WriteRecentFiles(const std::string (&files)[4]) {
  // The list is written whole: stale entries must not survive a shorter list.
  m_backend.DeleteKey(kRecent);
  for (int i = 0; i < static_cast<int>(std::size(files)); ++i)
    if (!files[i].empty()) WriteString(kRecent, Numbered("File", i + 1), PathToSetting(files[i]));
}

// Settings

namespace {

constexpr const char* kOutputFolders = "Settings\\OutputFolders";
constexpr int kMaxConfirmedFolders = 32;

// Paths are file-system bytes, not text of the program: kept as hex so no conversion can
// change them.
std::string Hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  out.reserve(bytes.size() * 2);
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::string FolderEntry(const std::string& docPath, const std::string& folder) {
  return Hex(docPath) + "-" + Hex(folder);
}

std::string FolderValueName(int i) { return "Folder" + std::to_string(i); }

}  // namespace

bool CVeskSettings::IsOutputFolderConfirmed(const std::string& docPath, const std::string& folder) {
  if (docPath.empty() || folder.empty() || !m_backend.KeyExists(kOutputFolders)) return false;
  const std::string entry = FolderEntry(docPath, folder);
  for (int i = 0; i < kMaxConfirmedFolders; ++i) {
    std::optional<std::string> v = m_backend.ReadString(kOutputFolders, FolderValueName(i));
    if (!v) break;
    if (*v == entry) return true;
  }
  return false;
}

void CVeskSettings::AddConfirmedOutputFolder(const std::string& docPath,
                                             const std::string& folder) {
  if (docPath.empty() || folder.empty() || IsOutputFolderConfirmed(docPath, folder)) return;
  // Newest first; the oldest falls off the end.
  std::string carry = FolderEntry(docPath, folder);
  m_backend.CreateKey(kOutputFolders);
  for (int i = 0; i < kMaxConfirmedFolders; ++i) {
    std::optional<std::string> old = m_backend.ReadString(kOutputFolders, FolderValueName(i));
    m_backend.WriteString(kOutputFolders, FolderValueName(i), carry);
    if (!old) break;
    carry = *old;
  }
}

int CVeskSettings::GetPreviewPages() { return GetInt(kSettings, "PreviewPages", 0); }
void CVeskSettings::SetPreviewPages(int v) { WriteInt(kSettings, "PreviewPages", v); }

int CVeskSettings::GetLinkCheckJobs() { return GetInt(kLinkCheck, "Jobs", 16); }
void CVeskSettings::SetLinkCheckJobs(int v) { WriteInt(kLinkCheck, "Jobs", v); }
int CVeskSettings::GetLinkCheckTimeout() { return GetInt(kLinkCheck, "Timeout", 15); }
void CVeskSettings::SetLinkCheckTimeout(int v) { WriteInt(kLinkCheck, "Timeout", v); }

int CVeskSettings::GetDevToolsPort() { return GetInt(kCapture, "DevToolsPort", 9222); }
void CVeskSettings::SetDevToolsPort(int v) { WriteInt(kCapture, "DevToolsPort", v); }

}  // namespace vesk
