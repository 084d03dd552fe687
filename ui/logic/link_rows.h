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

// Whether a sorts before b under sort code (0 manual, 1 serial, 2 title, 3 URL, 4 administrator,
// 5 e-mail, 6 date; plus 16 for descending; any other code gives the manual order).
bool LinkSortsBefore(const LINKINFO& a, const LINKINFO& b, int code);

}  // namespace vesk
