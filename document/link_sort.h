// The order rules of the link list's sort codes, and which code a column header click selects.
#pragma once

#include <vector>

#include "document/link_info.h"

namespace vesk {

// Sort codes (also a category's m_nSortMode): 0 manual order, 1 serial, 2 title, 3 URL,
// 4 administrator, 5 e-mail, 6 update date; code + 16 sorts the same key descending.
enum SortCode : int {
  kSortManual = 0,
  kSortSerial = 1,
  kSortTitle = 2,
  kSortUrl = 3,
  kSortAdmin = 4,
  kSortEmail = 5,
  kSortDate = 6,
  kSortDescending = 16,
};

// Negative, zero or positive as a sorts before, with or after b under code. Texts compare as
// unsigned bytes; any unknown code orders by m_nOrder.
int CompareLinks(const LINKINFO& a, const LINKINFO& b, int code);
// Stable: links that compare equal keep their given order.
void SortLinks(std::vector<LINKINFO*>& links, int code);

// The code a click on a column of the given kind (0..8) selects while active is in force;
// -1 when the column does not sort.
int ColumnClickSortCode(int columnKind, int active);
// Header arrow of a column under code: 0 none, 1 ascending, 2 descending.
int ColumnSortArrow(int columnKind, int code);

}  // namespace vesk
