// The search page "knrdata.html": the current category's links for the search program.
#pragma once

#include <string>

namespace vesk {

class CVeskDoc;

inline constexpr const char* kSearchPageName = "knrdata.html";

// Settles the document folder (saving first) and writes the search page of the current category
// there. Returns the page's path; empty when the user cancelled or the page could not be written.
std::string WriteSearchPageBesideDocument(CVeskDoc& doc);

}  // namespace vesk
