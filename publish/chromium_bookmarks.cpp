#include "publish/chromium_bookmarks.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "publish/bookmark_tree.h"
#include "text/json_sax_reader.h"

namespace vesk {
namespace {

// Microseconds from 1601-01-01 (the file's epoch) to 1970-01-01.
constexpr std::int64_t kEpochShiftSeconds = 11644473600LL;

// A date member (decimal microseconds since 1601, as text) in seconds since 1970; 0 when absent
// or before 1970.
std::int64_t FileTime(const std::string& text) {
  std::int64_t micro = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), micro);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  const std::int64_t seconds = micro / 1000000 - kEpochShiftSeconds;
  return seconds > 0 ? seconds : 0;
}

// One pass over the file: the nodes as they open, parents first; what a node is (its "type")
// may come after its children, so the tidying decides afterwards which nodes are folders.
class CChromiumBookmarksReader : public CJsonSaxReader {
 public:
  // A file with more nodes than the import takes gives the first ones.
  bool Read(const std::string& text) { return (Parse(text) || m_full) && m_roots; }
  std::vector<BookmarkItem>& Items() { return m_items; }

 protected:
  bool Open(bool array) override {
    const std::string key = std::exchange(m_key, std::string());
    const Frame top = m_frames.empty() ? Frame{Kind::None, -1} : m_frames.back();
    Frame frame{Kind::None, -1};
    if (m_frames.empty()) {
      if (array) Stop();
      frame.kind = Kind::Top;
    } else if (top.kind == Kind::Top && !array && key == "roots") {
      m_roots = true;
      frame.kind = Kind::Roots;
    } else if ((top.kind == Kind::Roots && !array) || (top.kind == Kind::Children && !array)) {
      if (m_items.size() >= kBookmarkItemMax) {
        m_full = true;
        Stop();
        return false;
      }
      BookmarkItem node;
      node.parent = top.kind == Kind::Children ? top.node : -1;
      // A standard folder under "roots" is a folder whatever its type says.
      node.folder = top.kind == Kind::Roots;
      frame = {Kind::Node, static_cast<int>(m_items.size())};
      m_items.push_back(std::move(node));
    } else if (top.kind == Kind::Node && array && key == "children") {
      frame = {Kind::Children, top.node};
      m_items[static_cast<std::size_t>(top.node)].folder = true;
    } else {
      return false;
    }
    m_frames.push_back(frame);
    return true;
  }

  void Close() override {
    if (!m_frames.empty()) m_frames.pop_back();
  }

  void Key(std::string& name) override { m_key = std::move(name); }

  void Value(Scalar kind, long long, std::string& text) override {
    const std::string key = std::exchange(m_key, std::string());
    if (m_frames.empty()) {
      Stop();  // a bare scalar is no bookmark file
      return;
    }
    if (m_frames.back().kind != Kind::Node || kind != Scalar::String) return;
    BookmarkItem& node = m_items[static_cast<std::size_t>(m_frames.back().node)];
    if (key == "name") {
      node.title = std::move(text);
    } else if (key == "url") {
      node.url = std::move(text);
    } else if (key == "type") {
      if (text == "folder") node.folder = true;
    } else if (key == "date_added") {
      node.addDate = FileTime(text);
    } else if (key == "date_modified") {
      node.lastModified = FileTime(text);
    }
  }

 private:
  enum class Kind { None, Top, Roots, Node, Children };
  struct Frame {
    Kind kind;
    int node;  // the node a Node or Children frame belongs to
  };
  std::vector<Frame> m_frames;
  std::vector<BookmarkItem> m_items;
  std::string m_key;
  bool m_roots = false;
  bool m_full = false;
};

}  // namespace

bool IsChromiumBookmarks(const std::string& text) {
  std::size_t i = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (i < text.size() &&
         (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
    ++i;
  if (i >= text.size() || text[i] != '{') return false;
  const std::size_t roots = text.find("\"roots\"", i);
  if (roots == std::string::npos) return false;
  std::size_t j = roots + 7;
  while (j < text.size() &&
         (text[j] == ' ' || text[j] == '\t' || text[j] == '\r' || text[j] == '\n'))
    ++j;
  return j < text.size() && text[j] == ':';
}

bool ReadChromiumBookmarks(const std::string& text, std::vector<BookmarkItem>& items) {
  CChromiumBookmarksReader reader;
  const std::size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  const bool ok = reader.Read(start == 0 ? text : text.substr(start));
  items = ok ? TidyBookmarks(std::move(reader.Items())) : std::vector<BookmarkItem>();
  return ok;
}

}  // namespace vesk
