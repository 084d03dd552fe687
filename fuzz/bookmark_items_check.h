// The shape every bookmark reader promises the import: every parent an earlier folder, no folder
// deeper than the bound, single-line titles within their length, bookmarks with an address that
// is no saved query, and a title stored escaped shows exactly the title again. Aborts otherwise.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "publish/bookmark_reader.h"
#include "text/outside_text.h"

inline void CheckBookmarkItems(const std::vector<vesk::BookmarkItem>& items) {
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
    if (item.title.size() > vesk::kBookmarkTitleMax ||
        item.title.find_first_of("\r\n\t") != std::string::npos)
      std::abort();
    if (!item.folder && (item.url.empty() || item.url.compare(0, 6, "place:") == 0)) std::abort();
    if (vesk::HtmlShownText(vesk::EscapeHtmlText(item.title)) != item.title) std::abort();
  }
}
