// The search page that needs no program on the server: a page, its script, an index of the
// links' display fields and a copy of the search-format file, written beside the HTML pages.
#pragma once

#include <string>

namespace vesk {

class CDataFile;
class CVeskDoc;

// Names of the files the output writes into the HTML output folder; the page takes the HTML
// extension of the document.
inline constexpr const char* kSearchPageStem = "vesk_search";
inline constexpr const char* kSearchScriptName = "vesk_search.js";
inline constexpr const char* kSearchIndexName = "vesk_search_index.txt";
inline constexpr const char* kSearchTextName = "vesk_search_text.txt";
// First line of the index.
inline constexpr const char* kSearchIndexHeader = "Vesk search index Rev01";

// The script of the search page (ASCII; it finds its texts and settings in the page).
const std::string& SearchPageScript();

// Writes the four files of the search page into folder (ending in the separator), each committed
// through the temporary file and listed when created or changed. The category file names are
// settled by the naming rule as the HTML output settles them, so the hits link to those pages.
// True when at least one file was created or changed; failed (when given) tells whether an error
// was reported.
bool PublishSearchPage(CDataFile& data, const std::string& folder, bool* failed = nullptr);

// The command "検索ページの出力": settles the document folder (saving first), writes into the HTML
// output folder, then shows the result list or message 10068. False when cancelled or failed.
bool RunSearchPageOutput(CVeskDoc& doc);

}  // namespace vesk
