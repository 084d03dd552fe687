#include "ui/vesk_list_view.h"

#include <wx/dcmemory.h>
#include <wx/menu.h>

#include <ctime>
#include <unordered_map>

#include "document/veskdoc.h"
#include "document/view_commands.h"
#include "ui/command_ids.h"
#include "ui/logic/command_table.h"
#include "ui/logic/link_launch.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

namespace {

constexpr int kArrowSize = 10;

// Header image: 0 none, 1 ascending arrow, 2 descending arrow, blue as the transparent colour.
wxBitmap ArrowBitmap(int kind) {
  wxBitmap bitmap(kArrowSize, kArrowSize);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxBLUE_BRUSH);
    dc.Clear();
    if (kind != 0) {
      dc.SetBrush(*wxBLACK_BRUSH);
      dc.SetPen(*wxBLACK_PEN);
      const wxPoint up[] = {{5, 2}, {1, 7}, {9, 7}};
      const wxPoint down[] = {{1, 2}, {9, 2}, {5, 7}};
      dc.DrawPolygon(3, kind == 1 ? up : down);
    }
  }
  bitmap.SetMask(new wxMask(bitmap, *wxBLUE));
  return bitmap;
}

// The Ctrl+letter keys of the list and their commands.
int CtrlLetterCommand(int key) {
  switch (key) {
    case 'X':
      return kCmdEditCut;
    case 'C':
      return kCmdEditCopy;
    case 'V':
      return kCmdEditPaste;
    case 'Z':
      return kCmdEditUndo;
    default:
      return 0;
  }
}

}  // namespace

CVeskListView::CVeskListView(wxWindow* parent, CVeskDoc& doc, platform::IDesktopLauncher& launcher,
                             std::function<void(CommandId)> runCommand)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_VIRTUAL),
      m_doc(doc),
      m_launcher(launcher),
      m_runCommand(std::move(runCommand)),
      m_rows(doc),
      m_arrows(kArrowSize, kArrowSize, true, 3) {
  for (int kind = 0; kind < 3; ++kind) m_arrows.Add(ArrowBitmap(kind));
  m_doc.AddView(this);
  Bind(wxEVT_LIST_ITEM_ACTIVATED, &CVeskListView::OnActivated, this);
  Bind(wxEVT_LIST_COL_CLICK, &CVeskListView::OnColumnClick, this);
  Bind(wxEVT_CONTEXT_MENU, &CVeskListView::OnContextMenu, this);
  Bind(wxEVT_LIST_BEGIN_DRAG, &CVeskListView::OnBeginDrag, this);
  Bind(wxEVT_IDLE, [this](wxIdleEvent& event) {
    event.Skip();
    if (!TraceUiEnabled()) return;
    TraceGeometry();
    if (m_selectionClicked) {
      m_selectionClicked = false;
      TraceSelection();
    }
  });
  auto clicked = [this](wxListEvent& event) {
    event.Skip();
    m_selectionClicked = true;
  };
  Bind(wxEVT_LIST_ITEM_SELECTED, clicked);
  Bind(wxEVT_LIST_ITEM_DESELECTED, clicked);
  // The rows' own window has the focus and the mouse; its keys come here before the list's
  // own handling and before the menu accelerators.
  wxWindow* rows = RowsWindow();
  rows->Bind(wxEVT_KEY_DOWN, &CVeskListView::OnKeyDown, this);
  rows->Bind(wxEVT_KEY_UP, [this](wxKeyEvent& event) {
    event.Skip();
    if (event.GetKeyCode() == m_lastKey) m_lastKey = 0;
  });
  rows->Bind(wxEVT_MOTION, &CVeskListView::OnDragMotion, this);
  rows->Bind(wxEVT_LEFT_UP, &CVeskListView::OnDragEnd, this);
  rows->Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { EndDrag(); });
  // The context menu's entries follow the list's own rules, not the main menu's.
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) {
    auto command = FromWxId(event.GetId());
    if (!command) {
      event.Skip();
      return;
    }
    event.Enable(IsListMenuItemEnabled(*command, State()));
  });
}

CVeskListView::~CVeskListView() { m_doc.RemoveView(this); }

wxWindow* CVeskListView::RowsWindow() const {
  // The generic control draws its rows in the child window that takes the focus.
  for (wxWindow* child : GetChildren()) {
    if (child->AcceptsFocus()) return child;
  }
  return const_cast<CVeskListView*>(this);
}

void CVeskListView::BuildColumns() {
  m_rows.BuildColumns();
  SetItemCount(0);
  m_display.clear();
  DeleteAllColumns();
  SetSingleStyle(wxLC_HRULES | wxLC_VRULES, m_doc.Settings().GetGridLine() != 0);
  SetImageList(&m_arrows, wxIMAGE_LIST_SMALL);
  const auto& columns = m_rows.Columns();
  for (std::size_t i = 0; i < columns.size(); ++i) {
    InsertColumn(static_cast<long>(i), Cp932ToWx(columns[i].title), wxLIST_FORMAT_LEFT,
                 columns[i].width);
  }
  if (TraceUiEnabled()) {
    std::string titles;
    for (const auto& column : columns) titles += (titles.empty() ? "" : "|") + ToUtf8(column.title);
    TraceUi("columns", titles + (m_doc.Settings().GetGridLine() != 0 ? " grid" : ""));
  }
  m_shownArrows.assign(columns.size(), -1);
}

void CVeskListView::OnInitialUpdate() {
  if (!m_rows.ColumnsBuilt()) BuildColumns();
  m_doc.ShowCurrentCategory();
  Sync();
}

void CVeskListView::SaveColumnWidths() {
  for (int n = 0; n < GetColumnCount(); ++n) m_doc.Settings().SetColumnWidth(n, GetColumnWidth(n));
}

wxString CVeskListView::OnGetItemText(long item, long column) const {
  if (item < 0 || item >= static_cast<long>(m_display.size())) return {};
  const LINKINFO* link = m_display[item];
  const auto& columns = m_rows.Columns();
  if (column < 0 || column >= static_cast<long>(columns.size()) || !m_doc.Holds(link)) return {};
  return Cp932ToWx(LinkColumnText(*link, columns[column].kind));
}

void CVeskListView::ScheduleSync() {
  if (m_syncPending) return;
  m_syncPending = true;
  CallAfter([this] { Sync(); });
}

void CVeskListView::Sync() {
  m_syncPending = false;
  if (!m_rows.TakeChanged()) return;
  const std::vector<LINKINFO*>& rows = m_rows.Rows();
  m_display = rows;
  SetItemCount(static_cast<long>(m_display.size()));
  // The rows may have moved under the control's selection: it is set again from the rows.
  if (!m_display.empty()) SetItemState(-1, 0, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  LINKINFO* focus = m_rows.FocusLink();
  long focusRow = -1;
  long firstSelected = -1;
  for (long r = 0; r < static_cast<long>(m_display.size()); ++r) {
    if (m_rows.IsSelected(m_display[r])) {
      SetItemState(r, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
      if (firstSelected < 0) firstSelected = r;
    }
    if (m_display[r] == focus) focusRow = r;
  }
  if (focusRow >= 0) {
    SetItemState(focusRow, wxLIST_STATE_FOCUSED, wxLIST_STATE_FOCUSED);
    EnsureVisible(focusRow);
  }
  if (!m_display.empty()) RefreshItems(0, static_cast<long>(m_display.size()) - 1);
  for (int c = 0; c < static_cast<int>(m_shownArrows.size()); ++c) {
    const int arrow = m_rows.HeaderArrow(c);
    if (arrow == m_shownArrows[c]) continue;
    m_shownArrows[c] = arrow;
    wxListItem item;
    item.SetMask(wxLIST_MASK_IMAGE);
    item.SetImage(arrow == 0 ? -1 : arrow);
    SetColumn(c, item);
  }
  LINKINFO* shown = m_rows.Shown();
  TraceUi("rows", std::to_string(m_display.size()) +
                      (shown != nullptr ? " " + ToUtf8(shown->m_strTitle) : std::string()));
  TraceUi("sort", std::to_string(m_rows.ActiveSort()));
  TraceSelection();
  // The order of a short list, for the desktop tests.
  if (m_display.size() <= 50) {
    std::string order;
    for (LINKINFO* link : m_display) order += (order.empty() ? "" : "|") + ToUtf8(link->m_strTitle);
    TraceUi("order", order);
  }
}

void CVeskListView::TraceSelection() {
  std::string selected;
  for (long r = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); r != -1;
       r = GetNextItem(r, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
    if (r >= static_cast<long>(m_display.size())) break;
    if (!selected.empty()) selected += '\t';
    selected += ToUtf8(m_display[r]->m_strTitle);
  }
  TraceUi("rowsselected", selected);
}

void CVeskListView::TraceGeometry() {
  // Where the header and the first row are on the screen, for the desktop tests' mouse.
  wxRect row;
  if (m_display.empty() || !GetItemRect(0, row)) return;
  const wxPoint origin = ClientToScreen(wxPoint(0, 0));
  const wxPoint first = ClientToScreen(row.GetTopLeft());
  const std::string geometry = std::to_string(origin.x) + "," + std::to_string(origin.y) + "," +
                               std::to_string(first.y) + "," + std::to_string(row.height);
  if (geometry == m_tracedGeometry) return;
  m_tracedGeometry = geometry;
  TraceUi("listgeometry", geometry);
}

void CVeskListView::PullSelection() {
  // Rows that changed since the control last showed them are newer than its selection.
  if (m_syncPending) return;
  std::vector<LINKINFO*> selected;
  for (long r = GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED); r != -1;
       r = GetNextItem(r, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED)) {
    if (r < static_cast<long>(m_display.size())) selected.push_back(m_display[r]);
  }
  m_rows.SetSelection(selected);
}

void CVeskListView::OnUpdate(ViewHint hint, LINKINFO* node) {
  if (hint == kHintColumnsChanged) {
    BuildColumns();
    ScheduleSync();
    return;
  }
  // Rows that leave may be freed soon after: the control lets go of them at once.
  const bool leaving = hint == kHintShowCategory || hint == kHintRemoveLink ||
                       hint == kHintEmptyTrash || hint == kHintLinksDropped;
  if (hint == kHintLinksDropped) PullSelection();
  if (hint == kHintDeselectAll || hint == kHintAddSelectLink) PullSelection();
  m_rows.OnUpdate(hint, node);
  if (leaving) {
    Sync();
  } else {
    ScheduleSync();
  }
}

ListCommandState CVeskListView::State() {
  ListCommandState s;
  if (m_syncPending) {
    // The rows changed since the control showed them: their own selection is the newer one.
    const std::vector<LINKINFO*> selected = m_rows.Selected();
    const std::vector<LINKINFO*>& rows = m_rows.Rows();
    s.selected = static_cast<int>(selected.size());
    if (selected.size() == 1 && !rows.empty()) {
      s.selectedFirst = rows.front() == selected.front();
      s.selectedLast = rows.back() == selected.front();
    }
  } else {
    // Asked for every toolbar button on every idle moment: the control's own count and the two
    // end rows answer without walking a long list.
    const long count = GetSelectedItemCount();
    const long last = static_cast<long>(m_display.size()) - 1;
    s.selected = static_cast<int>(count);
    if (count == 1 && last >= 0) {
      s.selectedFirst = GetItemState(0, wxLIST_STATE_SELECTED) != 0;
      s.selectedLast = GetItemState(last, wxLIST_STATE_SELECTED) != 0;
    }
  }
  s.clipboard = m_rows.HasClipboard();
  s.inTrash = m_doc.IsInTrash();
  s.trashHasChildren = m_doc.TrashHasChildren();
  return s;
}

LINKINFO* CVeskListView::FirstSelected() {
  PullSelection();
  const std::vector<LINKINFO*> selected = m_rows.Selected();
  return selected.empty() ? nullptr : selected.front();
}

std::optional<bool> CVeskListView::IsPaneCommandEnabled(CommandId command) {
  return IsListCommandEnabled(command, State());
}

void CVeskListView::ChangeLink() {
  LINKINFO* link = FirstSelected();
  if (link && vesk::ChangeLink(m_doc, link)) m_rows.OnUpdate(kHintLinkText, link);
  Sync();
}

void CVeskListView::RunPaneCommand(CommandId command) {
  PullSelection();
  switch (command) {
    case kCmdEditCut:
    case kCmdDeleteLink:
      m_rows.Cut();
      break;
    case kCmdEditCopy:
      m_rows.Copy();
      break;
    case kCmdEditPaste:
      m_rows.Paste();
      break;
    case kCmdMoveDown:
      m_rows.Move(+1);
      break;
    case kCmdMoveUp:
      m_rows.Move(-1);
      break;
    case kCmdRandomSort:
      m_rows.RandomSort(static_cast<unsigned>(std::time(nullptr)));
      break;
    case kCmdChangeLink:
      ChangeLink();
      return;
    case kCmdOpenBrowser:
      OpenLinkInBrowser(FirstSelected(), m_launcher);
      return;
    case kCmdMailAdmin:
      MailToAdmin(FirstSelected(), m_launcher, m_doc.UI());
      return;
    default:
      return;
  }
  Sync();
}

void CVeskListView::OnKeyDown(wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  const bool repeated = key == m_lastKey;
  m_lastKey = key;
  if (event.GetModifiers() == wxMOD_CONTROL) {
    if (const int command = CtrlLetterCommand(key)) {
      // Handled here, so the menu's accelerator does not run it a second time.
      if (repeated) return;
      if (command == kCmdEditUndo) {
        m_doc.OnEditUndo();
      } else {
        RunPaneCommand(static_cast<CommandId>(command));
      }
      return;
    }
    if (key == WXK_UP || key == WXK_DOWN) {
      // Taken here rather than by the accelerator, so that the ends beep.
      RunPaneCommand(key == WXK_UP ? kCmdMoveUp : kCmdMoveDown);
      return;
    }
  }
  if (event.GetModifiers() == wxMOD_NONE) {
    if (key == WXK_DELETE || key == WXK_NUMPAD_DELETE) {
      RunPaneCommand(kCmdEditCut);
      return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
      ChangeLink();
      return;
    }
  }
  event.Skip();
}

void CVeskListView::OnActivated(wxListEvent& event) {
  // Enter is taken by OnKeyDown; what arrives here is a double click on a row.
  if (event.GetIndex() < 0) return;
  if (m_doc.Settings().GetUserAgent() != 0) {
    OpenLinkInBrowser(FirstSelected(), m_launcher);
  } else {
    ChangeLink();
  }
}

void CVeskListView::OnColumnClick(wxListEvent& event) {
  PullSelection();
  m_rows.ClickColumn(event.GetColumn());
  Sync();
}

void CVeskListView::OnContextMenu(wxContextMenuEvent& event) {
  wxMenu popup;
  auto add = [&popup](int command) {
    const CommandInfo* info = FindCommand(command);
    popup.Append(ToWxId(command), U8(info->text).BeforeFirst('\t'));
  };
  if (m_doc.IsInTrash()) {
    add(kCmdEmptyTrash);
  } else {
    for (int command : std::initializer_list<int>{
             kCmdNewLink, kCmdBrowserPage, 0, kCmdChangeLink, kCmdOpenBrowser, kCmdMailAdmin, 0,
             kCmdDeleteLink, kCmdEditCut, kCmdEditCopy, kCmdEditPaste, 0, kCmdLinkProperty}) {
      if (command == 0) {
        popup.AppendSeparator();
      } else {
        add(command);
      }
    }
  }
  wxPoint at = event.GetPosition();
  at = at == wxDefaultPosition ? wxDefaultPosition : ScreenToClient(at);
  const int chosen = GetPopupMenuSelectionFromUser(popup, at);
  // The chosen entry still passes the main rule at the moment it runs.
  if (auto command = FromWxId(chosen)) m_runCommand(*command);
}

void CVeskListView::OnBeginDrag(wxListEvent& event) {
  PullSelection();
  if (m_rows.Selected().empty()) return;
  (void)event;
  m_dragging = true;
  RowsWindow()->CaptureMouse();
  SetCursor(wxCursor(wxCURSOR_HAND));
  m_doc.UpdateAllViews(kHintLinkDragStarted, nullptr);
}

void CVeskListView::OnDragMotion(wxMouseEvent& event) {
  event.Skip();
  if (!m_dragging) return;
  m_doc.UpdateAllViews(kHintLinkDragMoved, nullptr);
  const wxPoint at = ScreenToClient(RowsWindow()->ClientToScreen(event.GetPosition()));
  const wxSize size = GetClientSize();
  if (at.x < 0 || at.x >= size.x) return;
  // Beyond the top or bottom edge the rows scroll towards the cursor.
  if (at.y >= size.y) {
    ScrollLines(1);
  } else if (at.y < -5) {
    ScrollLines(-1);
  }
}

void CVeskListView::OnDragEnd(wxMouseEvent& event) {
  event.Skip();
  if (!m_dragging) return;
  const wxPoint at = ScreenToClient(RowsWindow()->ClientToScreen(event.GetPosition()));
  EndDrag();
  if (wxRect(GetClientSize()).Contains(at)) {
    int flags = 0;
    const long row = HitTest(event.GetPosition(), flags);
    LINKINFO* drop =
        row >= 0 && row < static_cast<long>(m_display.size()) ? m_display[row] : nullptr;
    m_rows.DropInList(drop);
  }
  m_doc.UpdateAllViews(kHintLinkDragReleased, nullptr);
  Sync();
}

void CVeskListView::EndDrag() {
  if (!m_dragging) return;
  m_dragging = false;
  SetCursor(wxNullCursor);
  if (RowsWindow()->HasCapture()) RowsWindow()->ReleaseMouse();
}

}  // namespace vesk
