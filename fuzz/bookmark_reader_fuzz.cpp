// Feeds arbitrary bytes to the bookmark file reader and checks the shape of what it gives.
#include <cstdint>
#include <string>
#include <vector>

#include "bookmark_items_check.h"
#include "publish/bookmark_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  (void)vesk::IsBookmarkFile(text);
  (void)vesk::DecodeHtmlEntities(text);
  (void)vesk::HtmlShownText(text);
  CheckBookmarkItems(vesk::ReadBookmarks(text));
  return 0;
}
