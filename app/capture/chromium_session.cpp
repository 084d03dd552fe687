#include "app/capture/chromium_session.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "text/utf16.h"

namespace vesk {

namespace {

// Command ids of the session log that say where the active page is.
enum : unsigned {
  kSetTabWindow = 0,
  kSetTabIndexInWindow = 2,
  kPrunedFromBack = 5,
  kUpdateTabNavigation = 6,
  kSetSelectedNavigationIndex = 7,
  kSetSelectedTabInIndex = 8,
  kPrunedFromFront = 11,
  kTabClosed = 16,
  kWindowClosed = 17,
  kSetActiveWindow = 20,
  kPathPruned = 24,
};

// Reads little-endian 32-bit values and pickled strings from one command's payload; every read
// checks the bytes left, and a failed read leaves the reader failed.
class CPayload {
 public:
  CPayload(const unsigned char* data, std::size_t size) : m_p(data), m_size(size) {}

  // A pickled payload starts with its own size, which must fit what is there.
  bool SkipPickleHeader() {
    std::uint32_t size = 0;
    if (!U32(size) || size > m_size - m_pos) return Fail();
    m_size = m_pos + size;
    return true;
  }
  bool U32(std::uint32_t& v) {
    if (!m_ok || m_size - m_pos < 4) return Fail();
    v = static_cast<std::uint32_t>(m_p[m_pos]) | static_cast<std::uint32_t>(m_p[m_pos + 1]) << 8 |
        static_cast<std::uint32_t>(m_p[m_pos + 2]) << 16 |
        static_cast<std::uint32_t>(m_p[m_pos + 3]) << 24;
    m_pos += 4;
    return true;
  }
  bool I32(std::int32_t& v) {
    std::uint32_t u = 0;
    if (!U32(u)) return false;
    v = static_cast<std::int32_t>(u);
    return true;
  }
  // int32 length, then the bytes, padded to a multiple of four.
  bool String(std::string& s) {
    std::int32_t len = 0;
    if (!I32(len) || len < 0 || static_cast<std::size_t>(len) > m_size - m_pos) return Fail();
    s.assign(reinterpret_cast<const char*>(m_p + m_pos), static_cast<std::size_t>(len));
    return Advance(static_cast<std::size_t>(len));
  }
  // int32 length in UTF-16 units, then the units, padded to a multiple of four.
  bool String16(std::string& utf8) {
    std::int32_t len = 0;
    if (!I32(len) || len < 0 || static_cast<std::size_t>(len) > (m_size - m_pos) / 2) return Fail();
    utf8 = Utf16LeToUtf8(reinterpret_cast<const char*>(m_p + m_pos), static_cast<std::size_t>(len));
    return Advance(static_cast<std::size_t>(len) * 2);
  }

 private:
  bool Advance(std::size_t n) {
    const std::size_t padded = (n + 3) & ~static_cast<std::size_t>(3);
    m_pos += padded <= m_size - m_pos ? padded : m_size - m_pos;
    return true;
  }
  bool Fail() {
    m_ok = false;
    return false;
  }

  const unsigned char* m_p;
  std::size_t m_size;
  std::size_t m_pos = 0;
  bool m_ok = true;
};

struct Navigation {
  std::string url;
  std::string title;
};

// A tab's navigations by index, in index order. Kept short (see kMaxNavigationsInTab), so that
// every prune is a pass over at most that many: no command costs more than a bounded amount.
using Navigations = std::vector<std::pair<std::int32_t, Navigation>>;

struct Tab {
  std::int32_t window = 0;
  bool hasWindow = false;
  std::int32_t visualIndex = -1;
  std::int32_t selectedNavigation = -1;
  Navigations navigations;
};

Navigations::iterator LowerBound(Navigations& navs, std::int32_t index) {
  return std::lower_bound(navs.begin(), navs.end(), index,
                          [](const auto& entry, std::int32_t i) { return entry.first < i; });
}

// Navigations [from, from + count) are gone; the later ones move down by count.
void PruneNavigations(Navigations& navs, std::int32_t from, std::int32_t count) {
  const std::int64_t end = static_cast<std::int64_t>(from) + count;
  auto first = LowerBound(navs, from);
  auto last = end > INT32_MAX ? navs.end() : LowerBound(navs, static_cast<std::int32_t>(end));
  for (auto it = last; it != navs.end(); ++it) it->first -= count;
  navs.erase(first, last);
}

struct Window {
  std::int32_t selectedTab = -1;
  long long lastTouched = 0;  // command number that last selected a tab in it
};

// Far more than any browser keeps; a log naming more is hostile, and the rest of it is ignored
// so that memory stays bounded whatever the file holds.
constexpr std::size_t kMaxTabs = 100000;
constexpr std::size_t kMaxWindows = 10000;
constexpr std::size_t kMaxNavigations = 100000;
// The browser keeps a few dozen per tab; beyond this many a tab's log is hostile.
constexpr std::size_t kMaxNavigationsInTab = 256;
// Commands replayed at most: a log of more is refused rather than read for long.
constexpr std::size_t kMaxCommands = 1000000;

// What the log says so far.
struct Session {
  std::map<std::int32_t, Tab> tabs;
  std::map<std::int32_t, Window> windows;
  std::int32_t activeWindow = 0;
  bool hasActiveWindow = false;
  std::size_t navigations = 0;  // navigation entries ever added

  Tab* TabOf(std::int32_t id) {
    auto it = tabs.find(id);
    if (it != tabs.end()) return &it->second;
    if (tabs.size() >= kMaxTabs) return nullptr;
    return &tabs[id];
  }
  Window* WindowOf(std::int32_t id) {
    auto it = windows.find(id);
    if (it != windows.end()) return &it->second;
    if (windows.size() >= kMaxWindows) return nullptr;
    return &windows[id];
  }
};

void Apply(Session& s, unsigned id, CPayload& p, long long serial) {
  std::int32_t a = 0, b = 0, c = 0;
  switch (id) {
    case kSetTabWindow:
      if (p.I32(a) && p.I32(b)) {
        Tab* tab = s.TabOf(b);
        if (tab == nullptr || s.WindowOf(a) == nullptr) break;
        tab->window = a;
        tab->hasWindow = true;
      }
      break;
    case kSetTabIndexInWindow:
      if (p.I32(a) && p.I32(b)) {
        if (Tab* tab = s.TabOf(a)) tab->visualIndex = b;
      }
      break;
    case kSetSelectedNavigationIndex:
      if (p.I32(a) && p.I32(b)) {
        if (Tab* tab = s.TabOf(a)) tab->selectedNavigation = b;
      }
      break;
    case kSetSelectedTabInIndex:
      if (p.I32(a) && p.I32(b)) {
        if (Window* w = s.WindowOf(a)) {
          w->selectedTab = b;
          w->lastTouched = serial;
        }
      }
      break;
    case kSetActiveWindow:
      if (p.I32(a) && s.WindowOf(a) != nullptr) {
        s.activeWindow = a;
        s.hasActiveWindow = true;
      }
      break;
    case kTabClosed:
      if (p.I32(a)) s.tabs.erase(a);
      break;
    case kWindowClosed:
      if (p.I32(a)) {
        s.windows.erase(a);
        if (s.hasActiveWindow && s.activeWindow == a) s.hasActiveWindow = false;
      }
      break;
    case kPrunedFromBack:  // navigations from index on are gone
      if (p.I32(a) && p.I32(b)) {
        auto it = s.tabs.find(a);
        if (it != s.tabs.end()) {
          Navigations& navs = it->second.navigations;
          navs.erase(LowerBound(navs, b), navs.end());
        }
      }
      break;
    case kPrunedFromFront:  // the first count navigations are gone, the rest move down
      if (p.I32(a) && p.I32(b) && b > 0) {
        auto it = s.tabs.find(a);
        if (it == s.tabs.end()) break;
        Navigations& navs = it->second.navigations;
        PruneNavigations(navs, 0, b);
        if (it->second.selectedNavigation >= 0)
          it->second.selectedNavigation = std::max(0, it->second.selectedNavigation - b);
      }
      break;
    case kPathPruned:  // count navigations from index on are gone, the later ones move down
      if (p.I32(a) && p.I32(b) && p.I32(c) && c > 0 && b >= 0) {
        auto it = s.tabs.find(a);
        if (it != s.tabs.end()) PruneNavigations(it->second.navigations, b, c);
      }
      break;
    case kUpdateTabNavigation: {
      std::int32_t index = 0;
      Navigation nav;
      if (p.SkipPickleHeader() && p.I32(a) && p.I32(index) && p.String(nav.url) &&
          p.String16(nav.title) && index >= 0) {
        Tab* tab = s.TabOf(a);
        if (tab == nullptr) break;
        // Only what a link can take is kept: the page's title is cut, an overlong URL is none.
        if (nav.url.size() > kMaxCapturedUrl) nav.url.clear();
        nav.title = CapTitle(std::move(nav.title));
        auto it = LowerBound(tab->navigations, index);
        if (it != tab->navigations.end() && it->first == index) {
          it->second = std::move(nav);
        } else if (s.navigations < kMaxNavigations &&
                   tab->navigations.size() < kMaxNavigationsInTab) {
          ++s.navigations;
          tab->navigations.emplace(it, index, std::move(nav));
        }
      }
      break;
    }
    default:
      break;
  }
}

}  // namespace

std::string Utf16LeToUtf8(const char* data, std::size_t units) {
  return Utf16LeToUtf8(std::string_view(data, 2 * units), 0xFFFD);
}

std::optional<BrowserPage> ReadChromiumSession(const std::string& bytes) {
  if (bytes.size() < 8 || bytes.size() > kChromiumSessionMaxSize ||
      std::memcmp(bytes.data(), "SNSS", 4) != 0) {
    return std::nullopt;
  }
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::uint32_t version =
      static_cast<std::uint32_t>(p[4]) | static_cast<std::uint32_t>(p[5]) << 8 |
      static_cast<std::uint32_t>(p[6]) << 16 | static_cast<std::uint32_t>(p[7]) << 24;
  // Version 2 and 4 files are encrypted; only the plain forms can be read.
  if (version != 1 && version != 3) return std::nullopt;
  Session session;
  std::size_t pos = 8;
  long long serial = 0;
  while (bytes.size() - pos >= 2) {
    if (serial >= static_cast<long long>(kMaxCommands)) return std::nullopt;
    const std::size_t size = static_cast<std::size_t>(p[pos]) | static_cast<std::size_t>(p[pos + 1])
                                                                    << 8;
    pos += 2;
    if (size == 0 || size > bytes.size() - pos) break;  // cut short: keep what came before
    const unsigned id = p[pos];
    CPayload payload(p + pos + 1, size - 1);
    Apply(session, id, payload, ++serial);
    pos += size;
  }

  // The active window; without a record of it, the window that selected a tab last.
  const Window* window = nullptr;
  std::int32_t windowId = 0;
  if (session.hasActiveWindow) {
    auto it = session.windows.find(session.activeWindow);
    if (it != session.windows.end()) {
      window = &it->second;
      windowId = it->first;
    }
  }
  if (window == nullptr) {
    for (const auto& [id, w] : session.windows) {
      if (w.selectedTab >= 0 && (window == nullptr || w.lastTouched > window->lastTouched)) {
        window = &w;
        windowId = id;
      }
    }
  }
  if (window == nullptr) return std::nullopt;

  // Its selected tab: the one at the selected place in the strip; failing that, its only tab.
  const Tab* tab = nullptr;
  const Tab* only = nullptr;
  int count = 0;
  for (const auto& [id, t] : session.tabs) {
    if (!t.hasWindow || t.window != windowId) continue;
    ++count;
    only = &t;
    if (t.visualIndex == window->selectedTab) tab = &t;
  }
  if (tab == nullptr && count == 1) tab = only;
  if (tab == nullptr || tab->navigations.empty()) return std::nullopt;

  // Its current navigation; without a selected index, the newest one.
  const Navigations& navs = tab->navigations;
  auto nav = std::prev(navs.end());
  if (tab->selectedNavigation >= 0) {
    nav = std::lower_bound(navs.begin(), navs.end(), tab->selectedNavigation,
                           [](const auto& entry, std::int32_t i) { return entry.first < i; });
    if (nav != navs.end() && nav->first != tab->selectedNavigation) nav = navs.end();
  }
  if (nav == navs.end() || !IsCapturableUrl(nav->second.url)) return std::nullopt;
  return BrowserPage{nav->second.url, nav->second.title, "chromium"};
}

}  // namespace vesk
