// Feeds arbitrary bytes to the bookmark file reader and checks the shape of what it gives: every
// parent is an earlier folder, no folder lies deeper than the bound, and titles are single
// lines within their length; a title stored escaped shows exactly the title again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "publish/bookmark_reader.h"
#include "text/outside_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  (void)vesk::IsBookmarkFile(text);
  (void)vesk::DecodeHtmlEntities(text);
  (void)vesk::HtmlShownText(text);
  const std::vector<vesk::BookmarkItem> items = vesk::ReadBookmarks(text);
  if (items.size() > vesk::kBookmarkItemMax) std::abort();
  std::vector<std::size_t> depth(items.size(), 0);
  for (std::size_t k = 0; k < items.size(); ++k) {
    const vesk::BookmarkItem& item = items[k];
    if (item.parent >= 0) {
      const auto p = static_cast<std::size_t>(item.parent);
      if (p >= k || !items[p].folder) std::abort();
      depth[k] = depth[p] + 1;
    }
    if (item.folder && depth[k] >= vesk::kBookmarkDepthMax) std::abort();
    if (item.title.size() > 1024 || item.title.find_first_of("\r\n\t") != std::string::npos)
      std::abort();
    if (!item.folder && (item.url.empty() || item.url.compare(0, 6, "place:") == 0)) std::abort();
    if (vesk::HtmlShownText(vesk::EscapeHtmlText(item.title)) != item.title) std::abort();
  }
  return 0;
}
