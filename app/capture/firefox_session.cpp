#include "app/capture/firefox_session.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <climits>
#include <cstdlib>

#include "app/capture/session_file.h"

namespace vesk {

namespace {

using nlohmann::json;

// The store's members on the way to the page; everything else is dropped while parsing.
bool KeptMember(const std::string& key) {
  static const char* const kKept[] = {"windows", "selectedWindow", "tabs", "selected",
                                      "entries", "index",          "url",  "title"};
  return std::any_of(std::begin(kKept), std::end(kKept), [&](const char* k) { return key == k; });
}

// root > windows > window > tabs > tab > entries > entry > url: nothing deeper is needed.
constexpr int kMaxDepth = 8;

// A 1-based index member; fallback when it is missing or not a number in range.
std::size_t OneBased(const json& object, const char* key, std::size_t count, std::size_t fallback) {
  auto it = object.find(key);
  if (it == object.end() || !it->is_number_integer()) return fallback;
  const long long v = it->get<long long>();
  if (v < 1 || static_cast<unsigned long long>(v) > count) return fallback;
  return static_cast<std::size_t>(v - 1);
}

std::string Trim(std::string s) {
  const char* ws = " \t\r\n";
  s.erase(0, s.find_first_not_of(ws));
  const std::size_t end = s.find_last_not_of(ws);
  s.erase(end == std::string::npos ? 0 : end + 1);
  return s;
}

}  // namespace

std::optional<BrowserPage> FirefoxSessionPage(const std::string& text) {
  // Values kept beyond this many are dropped: a store of thousands of tabs keeps far fewer, and
  // a hostile array of millions of small values would otherwise cost many times its size.
  constexpr std::size_t kMaxKept = 1000000;
  std::size_t kept = 0;
  // The open containers by depth (the parser reports the depth of every event, also inside
  // dropped ones): whether each is kept and whether the member now read in it is.
  struct Frame {
    bool array = false;
    bool kept = true;
    bool keyKept = true;
  };
  std::vector<Frame> frames;
  // The container of an event at depth (null at the top), once closed ones are dropped.
  auto container = [&frames](std::size_t depth) -> Frame* {
    frames.resize(std::min(frames.size(), depth));
    if (depth == 0 || frames.size() < depth) return nullptr;
    return &frames[depth - 1];
  };
  auto keptHere = [&](std::size_t depth) {
    const Frame* f = container(depth);
    if (f == nullptr) return depth == 0;
    return f->kept && (f->array || f->keyKept);
  };
  json::parser_callback_t keep = [&](int signedDepth, json::parse_event_t event, json& parsed) {
    const std::size_t depth = static_cast<std::size_t>(std::max(0, signedDepth));
    switch (event) {
      case json::parse_event_t::object_start:
      case json::parse_event_t::array_start: {
        const bool here = keptHere(depth) && depth < kMaxDepth && kept < kMaxKept;
        frames.push_back({event == json::parse_event_t::array_start, here, true});
        return here;
      }
      case json::parse_event_t::key: {
        Frame* f = container(depth);
        const bool here = f != nullptr && f->kept && KeptMember(parsed.get<std::string>());
        if (f != nullptr) f->keyKept = here;
        return here;
      }
      case json::parse_event_t::value:
        return keptHere(depth) && ++kept <= kMaxKept;
      default:
        return true;
    }
  };
  json root = json::parse(text.begin(), text.end(), keep, /*allow_exceptions=*/false);
  if (!root.is_object()) return std::nullopt;
  auto windows = root.find("windows");
  if (windows == root.end() || !windows->is_array() || windows->empty()) return std::nullopt;
  const json& window = (*windows)[OneBased(root, "selectedWindow", windows->size(), 0)];
  if (!window.is_object()) return std::nullopt;
  auto tabs = window.find("tabs");
  if (tabs == window.end() || !tabs->is_array() || tabs->empty()) return std::nullopt;
  const json& tab = (*tabs)[OneBased(window, "selected", tabs->size(), 0)];
  if (!tab.is_object()) return std::nullopt;
  auto entries = tab.find("entries");
  if (entries == tab.end() || !entries->is_array() || entries->empty()) return std::nullopt;
  const json& entry = (*entries)[OneBased(tab, "index", entries->size(), entries->size() - 1)];
  if (!entry.is_object()) return std::nullopt;
  auto url = entry.find("url");
  if (url == entry.end() || !url->is_string()) return std::nullopt;
  BrowserPage page{url->get<std::string>(), {}, "firefox"};
  if (!IsCapturableUrl(page.url)) return std::nullopt;
  auto title = entry.find("title");
  if (title != entry.end() && title->is_string()) page.title = title->get<std::string>();
  return page;
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
