#include "ui/logic/link_check_report.h"

#include <algorithm>
#include <numeric>

#include "document/veskdoc.h"
#include "text/encoding.h"

namespace vesk {
namespace {

// The result order of the report: what needs the owner's attention first.
int Severity(LinkCheckResult result) {
  switch (result) {
    case LinkCheckResult::Dead:
      return 0;
    case LinkCheckResult::Timeout:
      return 1;
    case LinkCheckResult::Error:
      return 2;
    case LinkCheckResult::Moved:
      return 3;
    case LinkCheckResult::Ok:
      return 4;
    case LinkCheckResult::Unchecked:
      return 5;
  }
  return 6;
}

std::string Utf8Of(const std::string& cp932) {
  std::string out;
  return Cp932ToUtf8(cp932, out) ? out : ToUtf8(cp932);
}

// Negative, zero or positive as a sorts before, with or after b by the column.
int Compare(const LinkCheckRow& a, const LinkCheckRow& b, int column) {
  auto three = [](auto x, auto y) { return x < y ? -1 : (y < x ? 1 : 0); };
  switch (column) {
    case kCheckColResult:
      return three(Severity(a.outcome.result), Severity(b.outcome.result));
    case kCheckColCode:
      return three(a.outcome.httpCode, b.outcome.httpCode);
    case kCheckColTitle:
      return three(a.title, b.title);
    case kCheckColUrl:
      return three(a.url, b.url);
    case kCheckColFinalUrl:
      return three(a.outcome.finalUrl, b.outcome.finalUrl);
    case kCheckColTime:
      return three(a.outcome.milliseconds, b.outcome.milliseconds);
    default:
      return 0;
  }
}

}  // namespace

const char* LinkCheckColumnTitle(int column) {
  static const char* const titles[kCheckColCount] = {"結果", "コード",  "webページの題名",
                                                     "URL",  "最終URL", "時間(ミリ秒)"};
  return column >= 0 && column < kCheckColCount ? titles[column] : "";
}

const char* LinkCheckResultText(LinkCheckResult result) {
  switch (result) {
    case LinkCheckResult::Ok:
      return "正常";
    case LinkCheckResult::Moved:
      return "移転";
    case LinkCheckResult::Dead:
      return "リンク切れ";
    case LinkCheckResult::Timeout:
      return "時間切れ";
    case LinkCheckResult::Error:
      return "エラー";
    case LinkCheckResult::Unchecked:
      return "未確認";
  }
  return "";
}

CLinkCheckReport::CLinkCheckReport(const CVeskDoc& doc, const std::vector<const LINKINFO*>& links,
                                   const std::vector<LinkCheckOutcome>& outcomes) {
  const std::size_t n = std::min(links.size(), outcomes.size());
  m_rows.reserve(n);
  for (std::size_t i = 0; i < n; ++i) {
    LinkCheckRow row;
    row.link = doc.IdOf(links[i]);
    row.title = Utf8Of(links[i]->m_strTitle);
    row.url = Utf8Of(links[i]->m_strURL);
    row.outcome = outcomes[i];
    m_rows.push_back(std::move(row));
  }
  m_order.resize(n);
  std::iota(m_order.begin(), m_order.end(), std::size_t{0});
  m_column = -1;
  SortBy(kCheckColResult);
}

std::string CLinkCheckReport::Cell(std::size_t shown, int column) const {
  const LinkCheckRow& row = Row(shown);
  switch (column) {
    case kCheckColResult:
      return LinkCheckResultText(row.outcome.result);
    case kCheckColCode:
      return row.outcome.httpCode != 0 ? std::to_string(row.outcome.httpCode) : std::string();
    case kCheckColTitle:
      return row.title;
    case kCheckColUrl:
      return row.url;
    case kCheckColFinalUrl:
      return row.outcome.finalUrl;
    case kCheckColTime:
      return row.outcome.result == LinkCheckResult::Unchecked
                 ? std::string()
                 : std::to_string(row.outcome.milliseconds);
    default:
      return {};
  }
}

void CLinkCheckReport::SortBy(int column) {
  if (column < 0 || column >= kCheckColCount) return;
  m_ascending = column == m_column ? !m_ascending : true;
  m_column = column;
  const bool ascending = m_ascending;
  std::stable_sort(m_order.begin(), m_order.end(), [&](std::size_t a, std::size_t b) {
    const int c = Compare(m_rows[a], m_rows[b], column);
    if (c != 0) return ascending ? c < 0 : c > 0;
    return a < b;  // ties in check order, whichever way the column runs
  });
}

std::vector<std::size_t> CLinkCheckReport::DeadRows() const {
  std::vector<std::size_t> dead;
  for (std::size_t i = 0; i < m_order.size(); ++i)
    if (Row(i).outcome.result == LinkCheckResult::Dead) dead.push_back(i);
  return dead;
}

std::string CLinkCheckReport::Summary() const {
  std::size_t counts[static_cast<int>(LinkCheckResult::Unchecked) + 1] = {};
  for (const LinkCheckRow& row : m_rows) ++counts[static_cast<int>(row.outcome.result)];
  std::string text = std::to_string(m_rows.size()) + " 件";
  const LinkCheckResult order[] = {LinkCheckResult::Dead,  LinkCheckResult::Timeout,
                                   LinkCheckResult::Error, LinkCheckResult::Moved,
                                   LinkCheckResult::Ok,    LinkCheckResult::Unchecked};
  const char* sep = ": ";
  for (LinkCheckResult r : order) {
    const std::size_t c = counts[static_cast<int>(r)];
    if (c == 0) continue;
    text += sep;
    text += LinkCheckResultText(r);
    text += " " + std::to_string(c);
    sep = ", ";
  }
  return text;
}

}  // namespace vesk
