// The reader of a Chromium profile's "Bookmarks" file (JSON: the bookmark bar, other and mobile
// folders under "roots", nested "children" of "folder" and "url" nodes).
#pragma once

#include <string>
#include <vector>

#include "publish/bookmark_reader.h"

namespace vesk {

// True when text (the file's beginning) opens a JSON object that names its "roots" early on,
// as the browser writes the file.
bool IsChromiumBookmarks(const std::string& text);

// The folders and bookmarks of the file's text, parents before children, tidied as
// TidyBookmarks does; the standard folders are top-level folders under the names the file gives
// them. Dates are the nodes' "date_modified" and "date_added" in seconds since 1970. False when
// the text is no such file (malformed JSON, no "roots" object).
bool ReadChromiumBookmarks(const std::string& text, std::vector<BookmarkItem>& items);

}  // namespace vesk
