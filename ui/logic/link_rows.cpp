#include "ui/logic/link_rows.h"

#include <cstdio>

#include "document/link_info.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/vesk_settings.h"
#include "text/leading_number.h"

namespace vesk {

namespace {
constexpr int kHeaderBase = 4096;
constexpr int kColumnKinds = 9;

}  // namespace

std::vector<ListColumn> BuildListColumns(CVeskSettings& settings) {
  std::vector<ListColumn> columns;
  for (int i = 0; i < kColumnKinds; ++i) {
    const int value = settings.GetHeader(i);
    if (value < kHeaderBase) continue;
    const int kind = value - kHeaderBase;
    if (kind >= kColumnKinds) continue;
    const std::string titleText = ResString(kIdsColumnBase + kind);
    const std::size_t comma = titleText.find(',');
    const int def = LeadingInt(titleText);
    const std::string title = comma == std::string::npos ? titleText : titleText.substr(comma + 1);
    const int n = static_cast<int>(columns.size());
    columns.push_back({kind, title, settings.GetColumnWidth(n, def)});
  }
  return columns;
}

std::string LinkColumnText(const LINKINFO& link, int kind) {
  switch (kind) {
    case 0:
      return link.m_strTitle;
    case 1:
      return link.m_strURL;
    case 2:
      return link.m_strAdmin;
    case 3:
      return link.m_strEmail;
    case 4:
      return link.m_strComment;
    case 5:
      return link.m_strBanner;
    case 6:
      return link.m_nMark >= 1 && link.m_nMark <= 3 ? ResString(kIdsMarkBase + link.m_nMark)
                                                    : std::string();
    case 7: {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%4d/%02d/%02d", link.m_nYear, link.m_nMonth, link.m_nDay);
      return buf;
    }
    case 8:
      return link.m_strKeywords;
    default:
      return {};
  }
}

}  // namespace vesk
