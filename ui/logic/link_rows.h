// What the link list shows: its columns from the settings, the text of a cell and the order of
// the rows for a sort code.
#pragma once

#include <string>
#include <vector>

namespace vesk {

class CVeskSettings;
struct LINKINFO;

// One shown column.
struct ListColumn {
  int kind;  // 0..8: title, URL, administrator, e-mail, comment, banner, mark, date, keywords
  std::string title;  // Shift_JIS
  int width;
};

// The shown columns in display order, from "Header%d" and "lc%d".
std::vector<ListColumn> BuildListColumns(CVeskSettings& settings);

// The text of column kind for the link (Shift_JIS).
std::string LinkColumnText(const LINKINFO& link, int kind);

}  // namespace vesk
