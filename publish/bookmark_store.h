// The browsers' own bookmark stores in the document: a Chromium profile's "Bookmarks" file and a
// Firefox profile's "places.sqlite", imported as bookmark files are.
#pragma once

#include <string>

namespace vesk {

class CVeskDoc;
struct BookmarkImportResult;

// Which store a file is, by its content (never its name).
enum class BookmarkStoreKind { None, Chromium, Places };

// The kind of the file at path from its beginning; anything but a readable regular file is None.
BookmarkStoreKind DetectBookmarkStore(const std::string& path);

// Reads the store at path into the work box as ImportBookmarkFile reads a bookmark file (one undo
// group, the same messages). A Firefox store is read from a copy in memory together with its
// write-ahead log, so what a running browser has saved is there and the browser's files and locks
// are left as they are. False when the file cannot be read or is no store (told).
bool ImportBookmarkStore(CVeskDoc& doc, const std::string& path,
                         BookmarkImportResult* result = nullptr);

// The bookmark import command: a browser's store when the file is one, else a bookmark file.
bool ImportBookmarksOrStore(CVeskDoc& doc, const std::string& path);

}  // namespace vesk
