// Feeds arbitrary bytes to the reader of a Chromium profile's Bookmarks file and checks the
// shape of what it gives.
#include <cstdint>
#include <string>
#include <vector>

#include "bookmark_items_check.h"
#include "publish/chromium_bookmarks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  (void)vesk::IsChromiumBookmarks(text);
  std::vector<vesk::BookmarkItem> items;
  if (vesk::ReadChromiumBookmarks(text, items)) {
    CheckBookmarkItems(items);
  } else if (!items.empty()) {
    std::abort();
  }
  return 0;
}
