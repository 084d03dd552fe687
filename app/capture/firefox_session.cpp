#include "app/capture/firefox_session.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "app/capture/session_file.h"
#include "text/json_sax_reader.h"

namespace vesk {

namespace {

// Far more than any store holds; a store counting more is hostile and gives no page.
constexpr std::size_t kMaxWindows = 10000;
constexpr std::size_t kMaxTabsInWindow = 100000;
constexpr std::size_t kMaxEntriesInTab = 100000;

// A 1-based index member; fallback when it is missing or not in range.
std::size_t OneBased(const std::optional<long long>& v, std::size_t count, std::size_t fallback) {
  if (!v || *v < 1 || static_cast<unsigned long long>(*v) > count) return fallback;
  return static_cast<std::size_t>(*v - 1);
}

// Reads root.windows[selectedWindow].tabs[selected].entries[index].{url,title} in one pass.
// Which member is selected may come after the list it selects from, so each closed entry, tab
// and window is reduced at once to the one page it would give: what stays is one page per
// window, per tab of the open window and per entry of the open tab.
class CFirefoxSessionReader : public CJsonSaxReader {
 public:
  std::optional<BrowserPage> Read(const std::string& text) {
    if (!Parse(text) || !m_rootSeen) return std::nullopt;
    return m_result;
  }

 protected:
  bool Open(bool array) override {
    const Member member = m_member;
    m_member = Member::None;
    // A container where a number or a text belongs counts as neither.
    std::string none;
    if (member != Member::Windows && member != Member::Tabs && member != Member::Entries)
      Assign(member, Scalar::Null, 0, none);
    switch (m_level) {
      case kTop:
        m_rootSeen = true;
        if (array) return Fail();
        return Enter(kRoot);
      case kRoot:
        if (member != Member::Windows) return false;
        m_windows.clear();
        m_windowsArray = array;
        return array && Enter(kWindows);
      case kWindows:
        if (!Add(m_windows, kMaxWindows)) return false;
        if (array) return false;
        m_tabs.clear();
        m_tabsArray = false;
        m_selected.reset();
        return Enter(kWindow);
      case kWindow:
        if (member != Member::Tabs) return false;
        m_tabs.clear();
        m_tabsArray = array;
        return array && Enter(kTabs);
      case kTabs:
        if (!Add(m_tabs, kMaxTabsInWindow)) return false;
        if (array) return false;
        m_entries.clear();
        m_entriesArray = false;
        m_index.reset();
        return Enter(kTab);
      case kTab:
        if (member != Member::Entries) return false;
        m_entries.clear();
        m_entriesArray = array;
        return array && Enter(kEntries);
      case kEntries:
        if (!Add(m_entries, kMaxEntriesInTab)) return false;
        if (array) return false;
        m_url.reset();
        m_title.clear();
        return Enter(kEntry);
      default:
        return false;
    }
  }

  void Close() override {
    m_member = Member::None;
    switch (m_level--) {
      case kRoot:
        m_result = Pick(m_windows, m_windowsArray, m_selectedWindow, 0);
        break;
      case kWindow:
        m_windows.back() = Pick(m_tabs, m_tabsArray, m_selected, 0);
        m_tabs.clear();
        break;
      case kTab:
        m_tabs.back() =
            Pick(m_entries, m_entriesArray, m_index, m_entries.empty() ? 0 : m_entries.size() - 1);
        m_entries.clear();
        break;
      case kEntry:
        if (m_url && IsCapturableUrl(*m_url))
          m_entries.back() = BrowserPage{std::move(*m_url), std::move(m_title), "firefox"};
        break;
      default:
        break;
    }
  }

  void Key(std::string& name) override {
    m_member = Member::None;
    for (const auto& [text, member, level] : kMembers)
      if (level == m_level && name == text) m_member = member;
  }

  void Value(Scalar kind, long long integer, std::string& text) override {
    const Member member = m_member;
    m_member = Member::None;
    switch (m_level) {
      case kTop:
        m_rootSeen = true;
        Fail();
        return;
      case kWindows:
        Add(m_windows, kMaxWindows);
        return;
      case kTabs:
        Add(m_tabs, kMaxTabsInWindow);
        return;
      case kEntries:
        Add(m_entries, kMaxEntriesInTab);
        return;
      default:
        Assign(member, kind, integer, text);
    }
  }

 private:
  enum Level { kTop = -1, kRoot, kWindows, kWindow, kTabs, kTab, kEntries, kEntry };
  enum class Member { None, Windows, SelectedWindow, Tabs, Selected, Entries, Index, Url, Title };

  // A member's value that is no container of the way (a scalar, or a container standing where a
  // scalar belongs).
  void Assign(Member member, Scalar kind, long long integer, std::string& text) {
    const std::optional<long long> number =
        kind == Scalar::Integer ? std::optional<long long>(integer) : std::nullopt;
    switch (member) {
      case Member::Windows:
        m_windows.clear();
        m_windowsArray = false;
        break;
      case Member::Tabs:
        m_tabs.clear();
        m_tabsArray = false;
        break;
      case Member::Entries:
        m_entries.clear();
        m_entriesArray = false;
        break;
      case Member::SelectedWindow:
        m_selectedWindow = number;
        break;
      case Member::Selected:
        m_selected = number;
        break;
      case Member::Index:
        m_index = number;
        break;
      case Member::Url:
        if (kind == Scalar::String) {
          m_url = std::move(text);
        } else {
          m_url.reset();
        }
        break;
      case Member::Title:
        m_title = kind == Scalar::String ? CapTitle(std::move(text)) : std::string();
        break;
      case Member::None:
        break;
    }
  }

  struct MemberName {
    const char* text;
    Member member;
    int level;
  };
  static constexpr MemberName kMembers[] = {
      {"windows", Member::Windows, kRoot}, {"selectedWindow", Member::SelectedWindow, kRoot},
      {"tabs", Member::Tabs, kWindow},     {"selected", Member::Selected, kWindow},
      {"entries", Member::Entries, kTab},  {"index", Member::Index, kTab},
      {"url", Member::Url, kEntry},        {"title", Member::Title, kEntry}};

  using Pages = std::vector<std::optional<BrowserPage>>;

  bool Enter(int level) {
    m_level = level;
    return true;
  }
  // A new element of a list, no page until it proves one; false (the store refused) past max.
  bool Add(Pages& list, std::size_t max) {
    if (list.size() >= max) return Fail();
    list.emplace_back();
    return true;
  }
  bool Fail() {
    m_result.reset();
    Stop();
    return false;
  }
  static std::optional<BrowserPage> Pick(Pages& list, bool isArray,
                                         const std::optional<long long>& selected,
                                         std::size_t fallback) {
    if (!isArray || list.empty()) return std::nullopt;
    return std::move(list[OneBased(selected, list.size(), fallback)]);
  }

  int m_level = kTop;
  bool m_rootSeen = false;
  Member m_member = Member::None;
  Pages m_windows, m_tabs, m_entries;
  bool m_windowsArray = false, m_tabsArray = false, m_entriesArray = false;
  std::optional<long long> m_selectedWindow, m_selected, m_index;
  std::optional<std::string> m_url;
  std::string m_title;
  std::optional<BrowserPage> m_result;
};

std::string Trim(std::string s) {
  const char* ws = " \t\r\n";
  s.erase(0, s.find_first_not_of(ws));
  const std::size_t end = s.find_last_not_of(ws);
  s.erase(end == std::string::npos ? 0 : end + 1);
  return s;
}

}  // namespace

std::optional<BrowserPage> FirefoxSessionPage(const std::string& text) {
  return CFirefoxSessionReader().Read(text);
}

std::vector<std::string> FirefoxProfileFolders(const std::string& iniText,
                                               const std::string& iniFolder) {
  struct Section {
    std::string name, path, defaultPath;
    bool relative = true;
  };
  std::vector<Section> sections;
  std::size_t pos = 0;
  while (pos < iniText.size()) {
    std::size_t end = iniText.find('\n', pos);
    if (end == std::string::npos) end = iniText.size();
    const std::string line = Trim(iniText.substr(pos, end - pos));
    pos = end + 1;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.front() == '[' && line.back() == ']') {
      sections.push_back({line.substr(1, line.size() - 2), {}, {}, true});
      continue;
    }
    if (sections.empty()) continue;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, eq));
    const std::string value = Trim(line.substr(eq + 1));
    Section& s = sections.back();
    if (key == "Path") s.path = value;
    if (key == "IsRelative") s.relative = value != "0";
    if (key == "Default") s.defaultPath = value;
  }
  std::string base = iniFolder;
  if (!base.empty() && base.back() != '/') base += '/';
  std::vector<std::string> folders;
  auto add = [&](const std::string& path, bool relative) {
    if (path.empty()) return;
    std::string full = relative && path.front() != '/' ? base + path : path;
    if (std::find(folders.begin(), folders.end(), full) == folders.end()) folders.push_back(full);
  };
  // An install's default is always relative to the folder of profiles.ini.
  for (const Section& s : sections) {
    if (s.name.rfind("Install", 0) == 0) add(s.defaultPath, true);
  }
  for (const Section& s : sections) {
    if (s.name.rfind("Profile", 0) == 0) add(s.path, s.relative);
  }
  return folders;
}

bool IsFirefoxProfileRunning(const std::string& profile) {
  // The link reads "address:+pid"; only a process of this machine can be asked.
  const std::string text = LinkTarget(profile + "/lock");
  const std::size_t plus = text.rfind(":+");
  if (plus != std::string::npos) {
    char* end = nullptr;
    const long pid = std::strtol(text.c_str() + plus + 2, &end, 10);
    if (end != nullptr && *end == '\0' && ProcessAlive(pid)) return true;
  }
  // The running browser holds .parentlock locked (parent.lock on Windows).
  return FileLockedByOther(profile + "/.parentlock") || FileLockedByOther(profile + "/parent.lock");
}

}  // namespace vesk
