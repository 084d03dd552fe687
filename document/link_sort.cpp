#include "document/link_sort.h"

#include <algorithm>

namespace vesk {
namespace {

int CompareBytes(const std::string& a, const std::string& b) {
  // std::string::compare uses char_traits<char>, which compares as unsigned char.
  const int c = a.compare(b);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

template <typename T>
int CompareNumbers(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareKey(const LINKINFO& a, const LINKINFO& b, int key) {
  switch (key) {
    case kSortSerial:
      return CompareNumbers(a.m_nSerial, b.m_nSerial);
    case kSortTitle:
      return CompareBytes(a.m_strTitle, b.m_strTitle);
    case kSortUrl:
      return CompareBytes(a.m_strURL, b.m_strURL);
    case kSortAdmin:
      return CompareBytes(a.m_strAdmin, b.m_strAdmin);
    case kSortEmail:
      return CompareBytes(a.m_strEmail, b.m_strEmail);
    case kSortDate:
      if (int c = CompareNumbers(a.m_nYear, b.m_nYear)) return c;
      if (int c = CompareNumbers(a.m_nMonth, b.m_nMonth)) return c;
      return CompareNumbers(a.m_nDay, b.m_nDay);
    default:
      return CompareNumbers(a.m_nOrder, b.m_nOrder);
  }
}

// The ascending code a sortable column stands for; 0 when it has none.
int ColumnBaseCode(int columnKind) {
  switch (columnKind) {
    case 0:
      return kSortTitle;
    case 1:
      return kSortUrl;
    case 2:
      return kSortAdmin;
    case 3:
      return kSortEmail;
    case 7:
      return kSortDate;
    default:
      return 0;
  }
}

}  // namespace

int CompareLinks(const LINKINFO& a, const LINKINFO& b, int code) {
  if (code >= kSortSerial && code <= kSortDate) return CompareKey(a, b, code);
  if (code >= kSortSerial + kSortDescending && code <= kSortDate + kSortDescending) {
    return CompareKey(b, a, code - kSortDescending);
  }
  return CompareKey(a, b, kSortManual);
}

void SortLinks(std::vector<LINKINFO*>& links, int code) {
  std::stable_sort(links.begin(), links.end(), [code](const LINKINFO* a, const LINKINFO* b) {
    return CompareLinks(*a, *b, code) < 0;
  });
}

int ColumnClickSortCode(int columnKind, int active) {
  const int base = ColumnBaseCode(columnKind);
  if (!base) return -1;
  if (active == kSortManual) return base;
  if (active == base) return base + kSortDescending;
  return kSortManual;
}

int ColumnSortArrow(int columnKind, int code) {
  const int base = ColumnBaseCode(columnKind);
  if (!base) return 0;
  if (code == base) return 1;
  if (code == base + kSortDescending) return 2;
  return 0;
}

}  // namespace vesk
