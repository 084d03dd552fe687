// Browser bookmark files in the document: import into the work box and export of a category.
#pragma once

#include <string>
#include <vector>

namespace vesk {

struct BookmarkItem;
class CVeskDoc;
struct LINKINFO;

// What an import did, for the caller that reports it.
struct BookmarkImportResult {
  int categories = 0;
  int links = 0;
  int changedTitles = 0;  // titles with characters that Shift_JIS lacks (each became '?')
  int scriptUrls = 0;     // bookmarks left out because their address would run a script
};

// True when the file at path begins like a bookmark file (its document type, not its name).
// Reads only the file's beginning; anything but a readable regular file is no bookmark file.
bool LooksLikeBookmarkFile(const std::string& path);

// Reads the bookmark file at path into the work box as one undo group: folders become
// categories, bookmarks links dated by LAST_MODIFIED or ADD_DATE; the work box is shown
// afterwards. Titles are stored as HTML that shows the bookmark's text; script addresses are
// left out. Titles that lost characters and left-out bookmarks are counted and told. False when the
// file cannot be read or is no bookmark file (told), or when the node limit ended the import (the
// nodes made until then stay).
bool ImportBookmarkFile(CVeskDoc& doc, const std::string& path,
                        BookmarkImportResult* result = nullptr);

// Puts items (parents before children, as the bookmark readers give them) into the work box as
// one undo group, as ImportBookmarkFile does after reading its file: the import shared by the
// bookmark file and the browsers' own stores.
bool ImportBookmarkItems(CVeskDoc& doc, const std::vector<BookmarkItem>& items,
                         BookmarkImportResult* result = nullptr);

// The bookmark file text (UTF-8, LF line ends) of category's subtree: its links and subcategories
// at the top level, the category's name as the file's title. Titles are HTML in the document; the
// file gets the text they show, so an imported bookmark goes back with the title it came with.
std::string BookmarkFileText(const CVeskDoc& doc, const LINKINFO* category);

// Writes BookmarkFileText (with CR LF) to path through a temporary file and one rename; false after
// telling the user.
bool ExportBookmarkFile(CVeskDoc& doc, const LINKINFO* category, const std::string& path);

}  // namespace vesk
