#include "ui/logic/link_rows.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "document/link_info.h"
#include "document/link_sort.h"
#include "document/veskdoc.h"
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

void CLinkRows::BuildColumns() {
  Clear();
  m_columns = BuildListColumns(m_doc.Settings());
  m_columnsBuilt = true;
  // New columns show no arrow until a sort code is applied again.
  m_arrowCode = -1;
  Changed();
}

void CLinkRows::Clear() {
  m_rows.clear();
  m_members.clear();
  m_selected.clear();
  m_focus = nullptr;
  m_unsorted = false;
  Changed();
}

const std::vector<LINKINFO*>& CLinkRows::Rows() {
  if (m_unsorted) {
    SortLinks(m_rows, m_active);
    m_unsorted = false;
  }
  return m_rows;
}

int CLinkRows::HeaderArrow(int position) const {
  if (position < 0 || position >= static_cast<int>(m_columns.size()) || m_arrowCode < 0) return 0;
  const int kind = m_columns[position].kind;
  // The title column shows its arrow only where it stands first, as it always does.
  if (kind == 0 && position != 0) return 0;
  return ColumnSortArrow(kind, m_arrowCode);
}

void CLinkRows::AddRow(LINKINFO* link) {
  if (!m_members.insert(link).second) return;
  m_rows.push_back(link);
  link->m_nOrder = m_nextOrder++;
  m_unsorted = true;
  Changed();
}

void CLinkRows::RemoveRow(LINKINFO* link) { RemoveRows({link}); }

void CLinkRows::RemoveRows(const std::vector<LINKINFO*>& links) {
  // One pass over the rows, however many leave: a cut of every row must not be quadratic.
  std::unordered_set<const LINKINFO*> leaving;
  for (LINKINFO* link : links) {
    if (!m_members.erase(link)) continue;
    leaving.insert(link);
    m_selected.erase(link);
    if (m_focus == link) m_focus = nullptr;
  }
  if (leaving.empty()) return;
  std::erase_if(m_rows, [&leaving](const LINKINFO* row) { return leaving.count(row) != 0; });
  Changed();
}

void CLinkRows::ApplySortCode(int code) {
  if (code == m_active) return;
  m_active = code;
  m_arrowCode = code;
  if (m_shown) m_shown->m_nSortMode = code;
  m_unsorted = true;
  Changed();
}

void CLinkRows::SelectOnly(LINKINFO* link) {
  m_selected.clear();
  if (link && m_members.count(link)) m_selected.insert(link);
  m_focus = link;
  Changed();
}

void CLinkRows::PlaceNewLink(LINKINFO* link) {
  AddRow(link);
  const bool tail = m_doc.Settings().GetTail() != 0;
  m_rows = vesk::PlaceNewLink(m_doc, Rows(), link, m_active, tail);
  SelectOnly(link);
}

void CLinkRows::SwapRows(LINKINFO* a, LINKINFO* b) {
  auto ia = std::find(m_rows.begin(), m_rows.end(), a);
  auto ib = std::find(m_rows.begin(), m_rows.end(), b);
  if (ia == m_rows.end() || ib == m_rows.end()) return;
  std::iter_swap(ia, ib);
  SelectOnly(a);
}

void CLinkRows::OnUpdate(ViewHint hint, LINKINFO* node) {
  switch (hint) {
    case kHintShowCategory:
      Clear();
      m_shown = node;
      m_nextOrder = 1;
      m_active = -1;
      if (m_columnsBuilt && node) ApplySortCode(node->m_nSortMode);
      break;
    case kHintAddLink:
      if (node && node->m_pParent == m_shown && m_shown) AddRow(node);
      break;
    case kHintAddSelectLink:
      if (node && node->m_pParent == m_shown && m_shown) {
        AddRow(node);
        m_selected.insert(node);
        m_focus = node;
        Changed();
      }
      break;
    case kHintDeselectAll:
      m_selected.clear();
      Changed();
      break;
    case kHintRemoveLink:
      if (node) RemoveRow(node);
      break;
    case kHintLinkText:
      Changed();
      break;
    case kHintUndoLinkSwap:
      if (node && node->m_pSelf && node->m_pUndoAux) {
        SwapRows(node->m_pSelf, node->m_pUndoAux);
      }
      break;
    case kHintNewLink:
      // Imports may fill a category that is not shown; only the shown one gets rows.
      if (node && m_shown && node->m_pParent == m_shown) PlaceNewLink(node);
      break;
    case kHintColumnsChanged:
      BuildColumns();
      break;
    case kHintEmptyTrash:
      if (m_shown && m_shown == node) Clear();
      break;
    case kHintLinksDropped:
      if (node && node != m_shown) {
        const std::vector<LINKINFO*> moving = Selected();
        if (DropLinksOnCategory(m_doc, moving, node)) {
          for (LINKINFO* link : moving) RemoveRow(link);
        }
      }
      break;
    default:
      break;
  }
}

void CLinkRows::SetSelection(const std::vector<LINKINFO*>& links) {
  m_selected.clear();
  for (LINKINFO* link : links) {
    if (m_members.count(link)) m_selected.insert(link);
  }
}

std::vector<LINKINFO*> CLinkRows::Selected() {
  std::vector<LINKINFO*> out;
  if (m_selected.empty()) return out;
  for (LINKINFO* link : Rows()) {
    if (m_selected.count(link)) out.push_back(link);
  }
  return out;
}

bool CLinkRows::Cut() {
  const std::vector<LINKINFO*> selected = Selected();
  if (!CutLinks(m_doc, selected, m_clipboard)) return false;
  RemoveRows(selected);
  return true;
}

bool CLinkRows::Copy() { return CopyLink(m_doc, Selected(), m_clipboard); }

bool CLinkRows::Paste() {
  LINKINFO* link = PasteNode(m_doc, m_clipboard);
  if (!link) return false;
  if (m_shown && link->m_pParent == m_shown) PlaceNewLink(link);
  RecordCreated(m_doc, link);
  return true;
}

bool CLinkRows::Move(int direction) {
  const std::vector<LINKINFO*> selected = Selected();
  const std::vector<LINKINFO*>& rows = Rows();
  LINKINFO* neighbour = nullptr;
  if (selected.size() == 1) {
    const long at = std::find(rows.begin(), rows.end(), selected.front()) - rows.begin();
    const long to = at + direction;
    if (to >= 0 && to < static_cast<long>(rows.size())) neighbour = rows[to];
  }
  // At either end there is nothing to swap with.
  if (!neighbour) {
    m_doc.UI().Beep();
    return false;
  }
  if (!SwapLinks(m_doc, selected.front(), neighbour)) return false;
  SwapRows(selected.front(), neighbour);
  return true;
}

void CLinkRows::RandomSort(unsigned seed) {
  m_active = kSortManual;
  m_rows = RandomSortLinks(m_doc, Rows(), Selected(), seed);
  Changed();
}

void CLinkRows::ClickColumn(int position) {
  if (position < 0 || position >= static_cast<int>(m_columns.size())) return;
  // The title column sorts only where it always stands, first.
  if (m_columns[position].kind == 0 && position != 0) return;
  const int code = ColumnClickSortCode(m_columns[position].kind, m_active);
  if (code < 0 || code == m_active) return;
  // The old order and sort mode are recorded before the category takes the new code.
  const std::vector<LINKINFO*> rows = Rows();
  std::vector<LINKINFO*> sorted = SortLinksByColumn(m_doc, rows, Selected(), m_active, code);
  ApplySortCode(code);
  m_rows = std::move(sorted);
  m_unsorted = false;
}

bool CLinkRows::DropInList(LINKINFO* dropRow) {
  // The document refills the list (hints 300-302), so the rows are rebuilt by the hints.
  const std::vector<LINKINFO*> rows = Rows();
  return ReorderLinks(m_doc, rows, Selected(), dropRow);
}

bool CLinkRows::TakeChanged() {
  const bool changed = m_changed;
  m_changed = false;
  return changed;
}

}  // namespace vesk
