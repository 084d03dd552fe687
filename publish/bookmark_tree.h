// The folder tree of bookmarks read from a browser's own store, made fit for the import.
#pragma once

#include <vector>

#include "publish/bookmark_reader.h"

namespace vesk {

// The items of a store, listed parents before children, as the import takes them: a bookmark
// without an address or with a saved query ("place:") is left out, an item whose parent was left
// out or is no folder goes into the nearest folder above it, folders below kBookmarkDepthMax
// flatten into the deepest one allowed, top-level folders left empty are dropped, and texts are
// cleaned and cut as in a bookmark file. An item whose parent index does not come before it goes
// to the top level.
std::vector<BookmarkItem> TidyBookmarks(std::vector<BookmarkItem> raw);

}  // namespace vesk
