// The reader of a Firefox profile's bookmark store "places.sqlite" (SQLite: the tables
// moz_bookmarks and moz_places), read from a copy in memory so a running browser is never
// disturbed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "publish/bookmark_reader.h"

namespace vesk {

// The largest database and log the reader copies into memory.
inline constexpr std::size_t kPlacesStoreMax = 512 * 1024 * 1024;

// True when text (the file's beginning) is the header of an SQLite database.
bool IsSqliteDatabase(const std::string& text);

// The folders and bookmarks of the store whose file bytes are db and whose write-ahead log
// ("-wal" file, empty when there is none) is wal: the standard folders (menu, toolbar, other,
// mobile; not the tags) become top-level folders, separators are left out, and the result is
// tidied as TidyBookmarks does. Dates are "lastModified" and "dateAdded" in seconds. False when
// db is no readable bookmark store.
bool ReadPlacesStore(std::string db, const std::string& wal, std::vector<BookmarkItem>& items);

}  // namespace vesk
