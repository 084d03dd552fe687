// CVeskListView: the right pane, the links of the current category in the configured columns
// (display only).
#pragma once

#include <wx/listctrl.h>

#include <vector>

#include "document/view_hints.h"
#include "ui/logic/link_rows.h"

namespace vesk {

class CVeskDoc;

class CVeskListView : public wxListCtrl, public IDocView {
 public:
  CVeskListView(wxWindow* parent, CVeskDoc& doc);
  ~CVeskListView() override;

  // Builds the columns the first time, then shows the current category.
  void OnInitialUpdate();
  void OnUpdate(int hint, LINKINFO* node) override;
  // Writes the column widths ("lc%d") into the settings.
  void SaveColumnWidths();
  int RowCount() const { return static_cast<int>(m_rows.size()); }
  // Change link: the link property sheet on the first selected row, undone as one group.
  void ChangeSelectedLink();

 private:
  void BuildColumns();
  void AddRow(LINKINFO* link, bool select);
  void ScheduleRefill();
  void Refill();

  CVeskDoc& m_doc;
  std::vector<ListColumn> m_columns;
  bool m_columnsBuilt = false;
  LINKINFO* m_shown = nullptr;
  std::vector<LINKINFO*> m_rows;
  std::vector<LINKINFO*> m_selected;
  int m_nextOrder = 1;
  int m_sortCode = 0;
  bool m_refillPending = false;
};

}  // namespace vesk
