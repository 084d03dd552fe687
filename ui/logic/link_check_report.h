// The report of a link check as the desktop program shows it: one row a link, sortable by any
// column, the dead ones first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/link_check/link_check.h"
#include "document/link_info.h"
#include "document/node_store.h"

namespace vesk {

class CVeskDoc;

// The report's columns, left to right.
enum LinkCheckColumn : int {
  kCheckColResult,
  kCheckColCode,
  kCheckColTitle,
  kCheckColUrl,
  kCheckColFinalUrl,
  kCheckColTime,
  kCheckColCount,
};

// A column's heading (UTF-8).
const char* LinkCheckColumnTitle(int column);
// A result in the words of the report (UTF-8).
const char* LinkCheckResultText(LinkCheckResult result);

// One link of the report. The link is named by id: the document may free it while the report
// is open.
struct LinkCheckRow {
  NodeId link;
  std::string title;  // UTF-8
  std::string url;    // UTF-8
  LinkCheckOutcome outcome;
};

// The rows of one check and the order they are shown in.
class CLinkCheckReport {
 public:
  // links and outcomes are parallel, as the checker returns them. Shown sorted by result.
  CLinkCheckReport(const CVeskDoc& doc, const std::vector<const LINKINFO*>& links,
                   const std::vector<LinkCheckOutcome>& outcomes);

  std::size_t Size() const { return m_order.size(); }
  // The row shown at position shown.
  const LinkCheckRow& Row(std::size_t shown) const { return m_rows[m_order[shown]]; }
  // The text of a cell (UTF-8).
  std::string Cell(std::size_t shown, int column) const;
  // Sorts by the column; the same column again reverses the order. Equal rows keep the order
  // the links were checked in.
  void SortBy(int column);
  int SortColumn() const { return m_column; }
  bool Ascending() const { return m_ascending; }
  // The shown positions of the dead links: what the report selects at first.
  std::vector<std::size_t> DeadRows() const;
  // The counts of every result, e.g. "12 件: リンク切れ 2, 正常 10" (UTF-8).
  std::string Summary() const;

 private:
  std::vector<LinkCheckRow> m_rows;  // in check order
  std::vector<std::size_t> m_order;  // shown position -> row
  int m_column = kCheckColResult;
  bool m_ascending = true;
};

}  // namespace vesk
