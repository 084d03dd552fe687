#include "publish/bookmark_tree.h"

#include <cstddef>
#include <utility>

namespace vesk {

std::vector<BookmarkItem> TidyBookmarks(std::vector<BookmarkItem> raw) {
  // For every raw item: its index in the result (-1 when left out), and for folders left out
  // the result folder their content goes into.
  const std::size_t n = raw.size();
  std::vector<int> taken(n, -1);
  std::vector<int> home(n, -1);    // the result folder a raw item's children go into
  std::vector<std::size_t> depth;  // folder depth of each result item (1 = top level)
  std::vector<BookmarkItem> out;
  out.reserve(n);
  for (std::size_t k = 0; k < n && out.size() < kBookmarkItemMax; ++k) {
    BookmarkItem& item = raw[k];
    const int parent = item.parent >= 0 && static_cast<std::size_t>(item.parent) < k
                           ? home[static_cast<std::size_t>(item.parent)]
                           : -1;
    const std::size_t parentDepth = parent < 0 ? 0 : depth[static_cast<std::size_t>(parent)];
    if (item.folder) {
      if (parentDepth >= kBookmarkDepthMax) {
        home[k] = parent;  // too deep: its content goes into the deepest folder allowed
        continue;
      }
    } else {
      item.url = CleanBookmarkText(item.url, kBookmarkUrlMax);
      const bool query = item.url.size() >= 6 && (item.url.compare(0, 6, "place:") == 0 ||
                                                  item.url.compare(0, 6, "PLACE:") == 0);
      if (item.url.empty() || query) {
        home[k] = parent;
        continue;
      }
    }
    item.title = CleanBookmarkText(item.title, kBookmarkTitleMax);
    item.parent = parent;
    taken[k] = static_cast<int>(out.size());
    home[k] = item.folder ? taken[k] : parent;
    depth.push_back(parentDepth + 1);
    out.push_back(std::move(item));
  }

  // Top-level folders with nothing in them are the browser's empty standard folders.
  std::vector<bool> used(out.size(), false);
  for (const BookmarkItem& item : out) {
    if (item.parent >= 0) used[static_cast<std::size_t>(item.parent)] = true;
  }
  std::vector<int> moved(out.size(), -1);
  std::vector<BookmarkItem> kept;
  kept.reserve(out.size());
  for (std::size_t k = 0; k < out.size(); ++k) {
    if (out[k].folder && out[k].parent < 0 && !used[k]) continue;
    moved[k] = static_cast<int>(kept.size());
    if (out[k].parent >= 0) out[k].parent = moved[static_cast<std::size_t>(out[k].parent)];
    kept.push_back(std::move(out[k]));
  }
  return kept;
}

}  // namespace vesk
