// Feeds arbitrary bytes to the reader of a Firefox profile's places.sqlite as the database file,
// and split in two as a database and its write-ahead log,, and checks the shape of what it gives.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bookmark_items_check.h"
#include "publish/places_store.h"
#include "publish/sqlite_wal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<vesk::BookmarkItem> items;
  if (vesk::ReadPlacesStore(bytes, "", items)) CheckBookmarkItems(items);
  // The first four bytes (little-endian) say how long the database is; the log follows it.
  if (size > 4) {
    const std::uint32_t declared = std::uint32_t{data[0]} | (std::uint32_t{data[1]} << 8) |
                                   (std::uint32_t{data[2]} << 16) | (std::uint32_t{data[3]} << 24);
    const std::size_t dbSize = declared % (size - 4 + 1);
    std::string db = bytes.substr(4, dbSize);
    const std::string wal = bytes.substr(4 + dbSize);
    const std::string before = db;
    if (!vesk::ApplySqliteWal(db, wal) && db != before) std::abort();
    if (vesk::ReadPlacesStore(before, wal, items)) CheckBookmarkItems(items);
  }
  return 0;
}
