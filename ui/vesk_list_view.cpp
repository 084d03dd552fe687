#include "ui/vesk_list_view.h"

#include <algorithm>

#include "document/link_sort.h"
#include "document/veskdoc.h"
#include "document/view_commands.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

CVeskListView::CVeskListView(wxWindow* parent, CVeskDoc& doc)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT), m_doc(doc) {
  m_doc.AddView(this);
  // Enter and a double click on a row.
  Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { ChangeSelectedLink(); });
}

CVeskListView::~CVeskListView() { m_doc.RemoveView(this); }

void CVeskListView::BuildColumns() {
  DeleteAllItems();
  DeleteAllColumns();
  m_columns = BuildListColumns(m_doc.Settings());
  SetSingleStyle(wxLC_HRULES | wxLC_VRULES, m_doc.Settings().GetGridLine() != 0);
  for (std::size_t i = 0; i < m_columns.size(); ++i) {
    InsertColumn(static_cast<long>(i), FromSjis(m_columns[i].title), wxLIST_FORMAT_LEFT,
                 m_columns[i].width);
  }
  m_columnsBuilt = true;
}

void CVeskListView::OnInitialUpdate() {
  if (!m_columnsBuilt) BuildColumns();
  m_doc.ShowCurrentCategory();
}

void CVeskListView::ChangeSelectedLink() {
  const long row = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED);
  if (row < 0) return;
  auto* link = reinterpret_cast<LINKINFO*>(GetItemData(row));
  // The control is refilled later than the rows change; a row it still shows may be gone.
  if (std::find(m_rows.begin(), m_rows.end(), link) == m_rows.end()) return;
  if (ChangeLink(m_doc, link)) OnUpdate(kHintLinkText, link);
}

void CVeskListView::SaveColumnWidths() {
  for (int n = 0; n < GetColumnCount(); ++n) m_doc.Settings().SetColumnWidth(n, GetColumnWidth(n));
}

void CVeskListView::AddRow(LINKINFO* link, bool select) {
  if (std::find(m_rows.begin(), m_rows.end(), link) == m_rows.end()) {
    m_rows.push_back(link);
    link->m_nOrder = m_nextOrder++;
  }
  if (select) m_selected.push_back(link);
  ScheduleRefill();
}

void CVeskListView::ScheduleRefill() {
  // Rows arrive one hint at a time; the control is filled once they are all there.
  if (m_refillPending) return;
  m_refillPending = true;
  CallAfter([this] { Refill(); });
}

void CVeskListView::Refill() {
  m_refillPending = false;
  SortLinks(m_rows, m_sortCode);
  Freeze();
  DeleteAllItems();
  for (std::size_t r = 0; r < m_rows.size(); ++r) {
    const long row = InsertItem(static_cast<long>(r), wxString());
    SetItemPtrData(row, reinterpret_cast<wxUIntPtr>(m_rows[r]));
    for (std::size_t c = 0; c < m_columns.size(); ++c) {
      SetItem(row, static_cast<int>(c), FromSjis(LinkColumnText(*m_rows[r], m_columns[c].kind)));
    }
    if (std::find(m_selected.begin(), m_selected.end(), m_rows[r]) != m_selected.end()) {
      SetItemState(row, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED,
                   wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
      EnsureVisible(row);
    }
  }
  Thaw();
  TraceUi("rows", std::to_string(m_rows.size()) +
                      (m_shown != nullptr ? " " + ToUtf8(m_shown->m_strTitle) : std::string()));
}

void CVeskListView::OnUpdate(int hint, LINKINFO* node) {
  switch (hint) {
    case kHintShowCategory:
      m_shown = node;
      m_rows.clear();
      m_selected.clear();
      m_nextOrder = 1;
      m_sortCode = node != nullptr ? node->m_nSortMode : 0;
      ScheduleRefill();
      break;
    case kHintAddLink:
      if (node != nullptr) AddRow(node, false);
      break;
    case kHintNewLink:
      if (node != nullptr) {
        m_selected.clear();  // the new link is the one selection
        AddRow(node, true);
      }
      break;
    case kHintAddSelectLink:
      if (node != nullptr) AddRow(node, true);
      break;
    case kHintDeselectAll:
      m_selected.clear();
      ScheduleRefill();
      break;
    case kHintRemoveLink:
      if (node != nullptr) {
        m_rows.erase(std::remove(m_rows.begin(), m_rows.end(), node), m_rows.end());
        m_selected.erase(std::remove(m_selected.begin(), m_selected.end(), node), m_selected.end());
        ScheduleRefill();
      }
      break;
    case kHintLinkText:
      ScheduleRefill();
      break;
    case kHintEmptyTrash:
      if (m_shown != nullptr && m_shown == node) {
        m_rows.clear();
        m_selected.clear();
        ScheduleRefill();
      }
      break;
    case kHintColumnsChanged:
      BuildColumns();
      ScheduleRefill();
      break;
    default:
      break;
  }
}

}  // namespace vesk
