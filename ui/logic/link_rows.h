// What the link list shows and does, without a toolkit: its columns from the settings, the text
// of a cell, and the rows (the links of the shown category in display order) with their
// selection, sort code and the link commands as they act on them.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "document/view_commands.h"

namespace vesk {

class CVeskDoc;
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

// The rows of the link list. The view hands it the document's hints and the user's commands and
// shows what it holds; it keeps only links of the shown category, which the document drops from
// it (hints 300, 304, 200) before it frees them.
class CLinkRows {
 public:
  explicit CLinkRows(CVeskDoc& doc) : m_doc(doc) {}

  // Reads the columns from the settings again; the rows are emptied.
  void BuildColumns();
  const std::vector<ListColumn>& Columns() const { return m_columns; }
  bool ColumnsBuilt() const { return m_columnsBuilt; }
  // The document's hints (300-308, 200, 403); others are ignored.
  void OnUpdate(ViewHint hint, LINKINFO* node);

  // The links in display order (rows added since the last call are sorted in first).
  const std::vector<LINKINFO*>& Rows();
  LINKINFO* Shown() const { return m_shown; }
  int ActiveSort() const { return m_active; }
  // Header arrow of the column at a display position: 0 none, 1 ascending, 2 descending.
  int HeaderArrow(int position) const;

  // The selection, as the control has it; links not shown are left out.
  void SetSelection(const std::vector<LINKINFO*>& links);
  std::vector<LINKINFO*> Selected();
  bool IsSelected(const LINKINFO* link) const { return m_selected.count(link) != 0; }
  // The row to focus and scroll into view after a change; null when none.
  LINKINFO* FocusLink() const { return m_focus; }
  bool HasClipboard() const { return !m_clipboard.IsEmpty(); }

  // The commands; refused ones beep through the document's user interface.
  bool Cut();
  bool Copy();
  bool Paste();
  // direction +1 moves the one selected link down, -1 up.
  bool Move(int direction);
  void RandomSort(unsigned seed);
  // Header click on the column at a display position.
  void ClickColumn(int position);
  // Selected rows dragged and released before dropRow (null: below the last row).
  bool DropInList(LINKINFO* dropRow);

  // A change the view has to show: rows, order, selection or arrows. Cleared by the view.
  bool TakeChanged();

 private:
  void Clear();
  void AddRow(LINKINFO* link);
  void ApplySortCode(int code);
  void PlaceNewLink(LINKINFO* link);
  void SelectOnly(LINKINFO* link);
  void RemoveRow(LINKINFO* link);
  void RemoveRows(const std::vector<LINKINFO*>& links);
  void SwapRows(LINKINFO* a, LINKINFO* b);
  void Changed() { m_changed = true; }

  CVeskDoc& m_doc;
  std::vector<ListColumn> m_columns;
  bool m_columnsBuilt = false;
  LINKINFO* m_shown = nullptr;
  std::vector<LINKINFO*> m_rows;
  std::unordered_set<const LINKINFO*> m_members;
  bool m_unsorted = false;  // rows were added after the last sort
  std::unordered_set<const LINKINFO*> m_selected;
  LINKINFO* m_focus = nullptr;
  int m_active = -1;
  int m_arrowCode = -1;  // the code the header arrows show
  int m_nextOrder = 1;
  CNodeClipboard m_clipboard;
  bool m_changed = true;
};

}  // namespace vesk
