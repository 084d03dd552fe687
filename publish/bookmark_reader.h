// The reader of browser bookmark files ("Netscape bookmark file": nested DL/DT/H3 folders and
// DT/A bookmarks, UTF-8), as every browser exports them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vesk {

// One folder or bookmark; texts are UTF-8 with the entities decoded.
struct BookmarkItem {
  bool folder = false;
  int parent = -1;  // index of the holding folder in the item list; -1 = the file's top level
  std::string title;
  std::string url;                // bookmarks only
  std::int64_t addDate = 0;       // ADD_DATE in seconds since 1970, 0 when absent
  std::int64_t lastModified = 0;  // LAST_MODIFIED, likewise
};

// Bounds that keep a hostile file from exhausting the stack or memory.
inline constexpr std::size_t kBookmarkFileMax = 64 * 1024 * 1024;
inline constexpr std::size_t kBookmarkItemMax = 1000000;
inline constexpr std::size_t kBookmarkDepthMax = 100;  // deeper folders flatten into the last
// Longer titles and addresses are cut (on a character boundary): no bookmark needs more.
inline constexpr std::size_t kBookmarkTitleMax = 1024;
inline constexpr std::size_t kBookmarkUrlMax = 8192;

// True when text (the file's beginning) declares the bookmark file type, after an optional
// byte-order mark and white space.
bool IsBookmarkFile(const std::string& text);

// The folders and bookmarks of a bookmark file's text, parents before their children. The
// browser's separators and the bookmarks without a URL are left out. Never fails: whatever is
// not understood is skipped, and at most kBookmarkItemMax items are taken.
std::vector<BookmarkItem> ReadBookmarks(const std::string& text);

// White space runs (and control characters) become one space; the ends are trimmed; the text
// is cut at max bytes without splitting a UTF-8 character.
std::string CleanBookmarkText(const std::string& text, std::size_t max);

// Decodes the HTML character references of text (named ones of HTML's basic set, decimal and
// hexadecimal); a reference to no valid character becomes U+FFFD, an unknown one stays as it is.
std::string DecodeHtmlEntities(const std::string& text);

// The text that an HTML fragment (UTF-8) shows: its tags and comments left out, its references
// decoded. A '<' that starts no tag is text, as a browser takes it.
std::string HtmlShownText(const std::string& html);

}  // namespace vesk
