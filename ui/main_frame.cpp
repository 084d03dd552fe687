#include "ui/main_frame.h"

#include <wx/accel.h>
#include <wx/aui/auibar.h>
#include <wx/dcclient.h>
#include <wx/dnd.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/time.h>
#include <wx/utils.h>

#include "app/capture/capture_link.h"
#include "app/doc_manager.h"
#include "document/veskdoc.h"
#include "document/view_commands.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/leading_number.h"
#include "ui/about_dialog.h"
#include "ui/app_icon.h"
#include "ui/browser_drop.h"
#include "ui/command_ids.h"
#include "ui/logic/command_table.h"
#include "ui/toolbar_icons.h"
#include "ui/ui_trace.h"
#include "ui/vesk_list_view.h"
#include "ui/vesk_tree_view.h"
#include "ui/wx_text.h"

namespace vesk {

namespace {

enum StatusPane { kPanePrompt, kPaneEmpty, kPaneCounts, kPaneKana, kPaneCaps, kPaneNum, kPanes };

// The toolkit's key for an accelerator key name of the command table.
int KeyCode(const std::string& key) {
  if (key == "Down") return WXK_DOWN;
  if (key == "Up") return WXK_UP;
  if (key == "Tab") return WXK_TAB;
  if (key.size() > 1 && key[0] == 'F') return WXK_F1 + LeadingInt(key.substr(1)) - 1;
  return static_cast<unsigned char>(key[0]);
}

// A button's tooltip: the menu text without its mnemonic, ellipsis and accelerator.
wxString ShortName(const CommandInfo& info) {
  wxString text = U8(info.text).BeforeFirst('\t');
  if (text.EndsWith("...")) text.RemoveLast(3);
  const int open = text.Find('(');
  if (open != wxNOT_FOUND && text.Find('&') > open) text = text.Left(open);
  text.Replace("&", "");
  text.Trim();
  return text;
}

class FileDrop : public wxFileDropTarget {
 public:
  explicit FileDrop(CMainFrame* frame) : m_frame(frame) {}
  bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& names) override {
    std::vector<std::string> paths;
    for (const auto& n : names) paths.push_back(ToPath(n));
    // The drop may open documents and show boxes; let the drag end first.
    m_frame->CallAfter([frame = m_frame, paths] { frame->DropFiles(paths); });
    return true;
  }

 private:
  CMainFrame* m_frame;
};

}  // namespace

CMainFrame::CMainFrame(CVeskDoc& doc, CDocManager& manager, CVeskSettings& settings,
                       const FramePlacement& placement, DocumentCommands commands)
    : wxFrame(nullptr, wxID_ANY, Cp932ToWx(doc.GetCaption()), wxPoint(placement.x, placement.y),
              wxSize(placement.cx, placement.cy), wxDEFAULT_FRAME_STYLE),
      m_doc(doc),
      m_manager(manager),
      m_settings(settings),
      m_commands(std::move(commands)),
      m_savedPlace(placement.x, placement.y, placement.cx, placement.cy) {
  SetMinSize(wxSize(kMinFrameWidth, kMinFrameHeight));
  SetIcons(AppIcons());
  CreateMenus();
  CreateToolbar();
  CreateStatusPanes();

  m_splitter = new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                    wxSP_LIVE_UPDATE | wxSP_3D);
  m_splitter->SetMinimumPaneSize(1);  // the panes never vanish
  m_tree = new CVeskTreeView(m_splitter, doc);
  m_launcher = platform::MakeDesktopLauncher();
  m_list = new CVeskListView(m_splitter, doc, *m_launcher, [this](CommandId c) { RunCommand(c); });
  m_activePane = m_tree;
  m_tree->SetCommandRunner([this](CommandId command) { RunCommand(command); });
  JoinWindowCommands();
  // The view commands act on the pane that had the focus last (menus and the toolbar keep it).
  m_tree->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
    m_activePane = m_tree;
    TraceUi("focus", "tree");
    event.Skip();
  });
  m_list->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
    m_activePane = m_list;
    TraceUi("focus", "list");
    event.Skip();
  });
  m_tree->SetSize(placement.ps1cx, placement.ps1cy);
  m_splitter->SplitVertically(m_tree, m_list, placement.ps1cx);
  // The panes' size is what closing stores; the desktop tests wait for it after a resize.
  m_splitter->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    const wxSize size = m_splitter->GetClientSize();
    if (size == m_tracedPanes) return;
    m_tracedPanes = size;
    TraceUi("panes", std::to_string(size.x) + "x" + std::to_string(size.y));
  });
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(m_toolbar, 0, wxEXPAND);
  column->Add(m_splitter, 1, wxEXPAND);
  SetSizer(column);

  Bind(wxEVT_MOVE, &CMainFrame::OnMoveWhileShowing, this);
  SetDropTarget(new FileDrop(this));
  // The panes also take links dragged from a browser: the tree into the category under the
  // pointer, the list into the category it shows.
  auto dropFiles = [this](const std::vector<std::string>& paths) {
    CallAfter([this, paths] { DropFiles(paths); });
  };
  m_tree->SetDropTarget(
      new CBrowserDropTarget(dropFiles, [this](wxCoord x, wxCoord y, const BrowserPage& page) {
        const NodeId onto = m_doc.IdOf(m_tree->CategoryAt(wxPoint(x, y)));
        CallAfter([this, onto, page] { DropLink(m_doc.NodeById(onto), page); });
      }));
  m_list->SetDropTarget(
      new CBrowserDropTarget(dropFiles, [this](wxCoord, wxCoord, const BrowserPage& page) {
        CallAfter([this, page] { DropLink(nullptr, page); });
      }));

  const int first = kWxCommandBase;
  const int last = kWxCommandBase + kCommandOffsetLimit - 1;
  Bind(wxEVT_MENU, &CMainFrame::OnMenu, this, first, last);
  Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUi, this, first, last);
  Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
}

void CMainFrame::CreateMenus() {
  auto* bar = new wxMenuBar();
  for (const auto& menuInfo : MainMenus()) {
    auto* menu = new wxMenu();
    for (int id : menuInfo.items) {
      if (id == 0) {
        menu->AppendSeparator();
      } else if (id == kCmdFileMru1) {
        m_fileMenu = menu;
        // Marks where the recent files go; replaced at once by RebuildRecentFiles.
        m_recentPlaceholder = menu->Append(ToWxId(kCmdFileMru1), U8("最近使ったファイル"));
      } else {
        const CommandInfo* info = FindCommand(id);
        const auto kind =
            (id == kCmdViewToolbar || id == kCmdViewStatusBar) ? wxITEM_CHECK : wxITEM_NORMAL;
        menu->Append(ToWxId(id), U8(info->text), U8(info->prompt), kind);
      }
    }
    bar->Append(menu, U8(menuInfo.title));
  }
  SetMenuBar(bar);
  m_recentItems.push_back(m_recentPlaceholder);
  RebuildRecentFiles();

  std::vector<wxAcceleratorEntry> entries;
  for (const auto& a : Accelerators()) {
    int flags = wxACCEL_NORMAL;
    if (a.ctrl) flags |= wxACCEL_CTRL;
    if (a.shift) flags |= wxACCEL_SHIFT;
    entries.emplace_back(flags, KeyCode(a.key), ToWxId(a.command));
  }
  SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

void CMainFrame::RebuildRecentFiles() {
  if (m_fileMenu == nullptr || m_recentItems.empty()) return;
  const int at = m_fileMenu->GetMenuItems().IndexOf(m_recentItems.front());
  for (wxMenuItem* item : m_recentItems) m_fileMenu->Destroy(item);
  m_recentItems.clear();
  const auto& recent = m_manager.RecentFiles();
  const int count = recent.Count();
  if (count == 0) {
    m_recentItems.push_back(m_fileMenu->Insert(at, ToWxId(kCmdFileMru1), U8("最近使ったファイル")));
    return;
  }
  for (int i = 0; i < count; ++i) {
    const std::string text = RecentFileMenuText(i, ShortenPath(recent.Get(i)));
    m_recentItems.push_back(m_fileMenu->Insert(at + i, ToWxId(kCmdFileMru1 + i), FromPath(text),
                                               U8(FindCommand(kCmdFileMru1 + i)->prompt)));
  }
}

void CMainFrame::CreateToolbar() {
  // Drawn by the toolkit-independent bar so the buttons keep their small size on every desktop.
  m_toolbar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                               wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_HORZ_LAYOUT);
  m_toolbar->SetToolBitmapSize(wxSize(16, 15));
  for (int id : ToolbarButtons()) {
    if (id == 0) {
      m_toolbar->AddSeparator();
      continue;
    }
    const CommandInfo* info = FindCommand(id);
    m_toolbar->AddTool(ToWxId(id), wxEmptyString, ToolbarIcon(id), wxNullBitmap, wxITEM_NORMAL,
                       ShortName(*info), U8(info->prompt), nullptr);
  }
  m_toolbar->Realize();
  // The button under the mouse shows its prompt in the first pane, as the menu items do.
  m_toolbar->Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
    event.Skip();
    wxAuiToolBarItem* item = m_toolbar->FindToolByPosition(event.GetX(), event.GetY());
    const wxString prompt = item != nullptr ? item->GetLongHelp() : wxString();
    if (GetStatusBar() != nullptr && GetStatusBar()->GetStatusText(kPanePrompt) != prompt) {
      SetStatusText(prompt, kPanePrompt);
    }
  });
  m_toolbar->Bind(wxEVT_LEAVE_WINDOW, [this](wxMouseEvent& event) {
    event.Skip();
    if (GetStatusBar() != nullptr) SetStatusText(wxString(), kPanePrompt);
  });
}

void CMainFrame::CreateStatusPanes() {
  wxStatusBar* bar = CreateStatusBar(kPanes);
  wxClientDC dc(bar);
  dc.SetFont(bar->GetFont());
  auto width = [&dc](const wxString& text) { return dc.GetTextExtent(text).x + 12; };
  const int widths[kPanes] = {-1, width(Cp932ToWx(ResString(kIdsEmptyPaneText))),
                              // Room for the largest counts a collection can reach.
                              width("10001 / 289997"), width(U8("カナ")), width("CAP"),
                              width("NUM")};
  bar->SetStatusWidths(kPanes, widths);
  bar->SetStatusText(Cp932ToWx(ResString(kIdsCountsText)), kPaneCounts);
  SetStatusBarPane(kPanePrompt);
}

CommandState CMainFrame::CurrentState() const {
  CommandState s;
  s.canUndo = m_doc.CanUndo();
  s.canFindNext = m_doc.CanFindNext();
  s.inTrash = m_doc.IsInTrash();
  s.trashHasChildren = m_doc.TrashHasChildren();
  s.recentFiles = m_manager.RecentFiles().Count();
  s.toolbarShown = m_toolbar != nullptr && m_toolbar->IsShown();
  s.statusBarShown = GetStatusBar() != nullptr && GetStatusBar()->IsShown();
  s.labelEditing = m_tree->IsLabelEditing();
  s.treeActive = m_activePane == m_tree;
  s.tree = m_tree->State();
  return s;
}

IPaneCommands* CMainFrame::PaneFor(CommandId command) const {
  // Cut, copy, paste and move up/down act on whichever pane is active; the other link commands
  // exist only in the list.
  const bool shared = command == kCmdEditCut || command == kCmdEditCopy ||
                      command == kCmdEditPaste || command == kCmdMoveDown || command == kCmdMoveUp;
  // The pane holding the focus now; while the focus is elsewhere (a toolbar button), the one
  // that held it last.
  for (wxWindow* w = wxWindow::FindFocus(); w != nullptr; w = w->GetParent()) {
    if (w == m_tree || w == m_list) {
      m_activePane = w;
      break;
    }
  }
  auto* active = dynamic_cast<IPaneCommands*>(m_activePane);
  if (active != nullptr && active->IsPaneCommandEnabled(command).has_value()) return active;
  if (shared) return nullptr;
  return m_list;
}

bool CMainFrame::IsEnabledNow(CommandId command) const {
  const CommandInfo* info = FindCommand(command);
  if (info != nullptr && info->owner == CommandOwner::View) {
    IPaneCommands* pane = PaneFor(command);
    return pane != nullptr && pane->IsPaneCommandEnabled(command).value_or(false);
  }
  if (info != nullptr && info->owner == CommandOwner::Document && !m_commands.route.Has(command)) {
    return false;
  }
  return IsCommandEnabled(command, CurrentState());
}

void CMainFrame::OnUpdateUi(wxUpdateUIEvent& event) {
  auto command = FromWxId(event.GetId());
  if (!command) return;
  event.Enable(IsEnabledNow(*command));
  if (*command == kCmdViewToolbar || *command == kCmdViewStatusBar) {
    event.Check(IsCommandChecked(*command, CurrentState()));
  }
}

void CMainFrame::OnMenu(wxCommandEvent& event) {
  if (auto command = FromWxId(event.GetId())) RunCommand(*command);
}

void CMainFrame::JoinWindowCommands() {
  CCommandRoute& route = m_commands.route;
  route.Join(kCmdFileNew, [this] { m_manager.FileNew(); });
  route.Join(kCmdFileOpen, [this] { m_manager.FileOpen(); });
  route.Join(kCmdFileSave, [this] { m_manager.FileSave(); });
  route.Join(kCmdFileSaveAs, [this] { m_manager.FileSaveAs(); });
  for (int i = 0; i < kRecentFileCount; ++i) {
    route.Join(static_cast<CommandId>(kCmdFileMru1 + i),
               [this, i] { m_manager.OpenRecentFile(i); });
  }
  route.Join(kCmdAppExit, [this] { Close(); });
  route.Join(kCmdViewToolbar, [this] {
    m_toolbar->Show(!m_toolbar->IsShown());
    Layout();
  });
  route.Join(kCmdViewStatusBar, [this] {
    GetStatusBar()->Show(!GetStatusBar()->IsShown());
    SendSizeEvent();
  });
  route.Join(kCmdAppAbout, [this] { CAboutDialog::Run(this); });
  route.Join(kCmdNextPane, [this] { SwitchPane(true); });
  route.Join(kCmdPrevPane, [this] { SwitchPane(false); });
  // The views' commands go to the pane they act on; joined last, as the active view is asked
  // before anyone else.
  for (const CommandInfo& info : CommandTable()) {
    if (info.owner != CommandOwner::View) continue;
    const auto command = static_cast<CommandId>(info.id);
    route.Join(command, [this, command] {
      if (IPaneCommands* pane = PaneFor(command)) pane->RunPaneCommand(command);
    });
  }
}

void CMainFrame::RunCommand(CommandId command) {
  // The rule is asked again now: a menu shown earlier may be out of date.
  if (!IsEnabledNow(command)) {
    // A refused editing command of a view (a move at the end of the list, a cut with nothing
    // selected) answers with a beep, as the views' own keys do.
    const CommandInfo* info = FindCommand(command);
    if (info != nullptr && info->owner == CommandOwner::View && PaneFor(command) != nullptr) {
      m_doc.UI().Beep();
    }
    return;
  }
  m_commands.route.Run(command);
}

void CMainFrame::SwitchPane(bool /*forward*/) {
  // Two panes: either direction moves to the other one.
  const bool toList = m_tree->HasFocus();
  if (toList) {
    m_list->SetFocus();
  } else {
    m_tree->SetFocus();
  }
  TraceUi("pane", toList ? "list" : "tree");
}

void CMainFrame::DropFiles(const std::vector<std::string>& paths) {
  Raise();
  m_manager.DropFiles(paths, m_commands.readDroppedFile);
}

void CMainFrame::DropLink(LINKINFO* category, const BrowserPage& page) {
  Raise();
  if (category == nullptr) category = m_doc.GetCurrent();
  LINKINFO* link = CreateDroppedLink(m_doc, category, page);
  TraceUi("linkdropped", link != nullptr ? page.url : std::string("none"));
}

void CMainFrame::ShowLink(LINKINFO* link) {
  LINKINFO* category = link->m_pParent;
  if (category == nullptr || !m_doc.Contains(category)) return;
  // A link of order 0 is one the list has not placed yet: it is shown selected.
  link->m_nOrder = 0;
  if (category == m_doc.GetCurrent()) {
    m_doc.ShowCurrentCategory();
  } else {
    m_doc.SelectCategory(category, false);
  }
  Raise();
}

void CMainFrame::OpenUrl(const std::string& url) {
  if (!url.empty()) m_launcher->Open(url);
}

void CMainFrame::OnInitialUpdate() {
  m_tree->OnInitialUpdate();
  FillCategoryTree(m_doc);
  m_list->OnInitialUpdate();
}

void CMainFrame::OnDiscard() {
  m_list->OnUpdate(kHintShowCategory, nullptr);
  m_tree->OnInitialUpdate();
}

void CMainFrame::OnDocumentChanged() {
  RebuildRecentFiles();
  m_shownCaption = Cp932ToWx(m_doc.GetCaption());
  SetTitle(m_shownCaption);
  TraceUi("caption", m_shownCaption.utf8_string());
}

void CMainFrame::OnIdle(wxIdleEvent& event) {
  event.Skip();
  // The counts pane follows the document; the caption follows its title.
  const std::string counts =
      m_doc.GetTopCategory() != nullptr ? m_doc.StatusCounts() : ResString(kIdsCountsText);
  if (counts != m_shownCounts && GetStatusBar() != nullptr) {
    m_shownCounts = counts;
    GetStatusBar()->SetStatusText(Cp932ToWx(counts), kPaneCounts);
    TraceUi("counts", ToUtf8(counts));
  }
  const wxString caption = Cp932ToWx(m_doc.GetCaption());
  if (caption != m_shownCaption) {
    m_shownCaption = caption;
    SetTitle(caption);
    TraceUi("caption", caption.utf8_string());
  }
  if (wxStatusBar* bar = GetStatusBar()) {
    // The lock states can be asked of an X server or of Windows; on Wayland the panes stay empty.
#ifdef __WXGTK__
    static const bool canAsk = wxGetDisplayInfo().type == wxDisplayX11;
#else
    static const bool canAsk = true;
#endif
    const wxString caps = canAsk && wxGetKeyState(WXK_CAPITAL) ? "CAP" : "";
    const wxString num = canAsk && wxGetKeyState(WXK_NUMLOCK) ? "NUM" : "";
    // Only changes are written: every write repaints, and a repaint brings the next idle turn.
    if (bar->GetStatusText(kPaneCaps) != caps) bar->SetStatusText(caps, kPaneCaps);
    if (bar->GetStatusText(kPaneNum) != num) bar->SetStatusText(num, kPaneNum);
  }
}

void CMainFrame::OnClose(wxCloseEvent& event) {
  if (event.CanVeto() && !m_manager.SaveModified()) {
    event.Veto();
    return;
  }
  FrameClosingState state;
  state.minimized = IsIconized();
  state.maximized = IsMaximized();
  const wxRect rect = GetRect();
  state.x = rect.x;
  state.y = rect.y;
  state.cx = rect.width;
  state.cy = rect.height;
  state.column0Width = m_splitter->GetSashPosition();
  state.row0Height = m_splitter->GetClientSize().y;
  SaveFramePlacement(m_settings, state);
  m_list->SaveColumnWidths();
  Destroy();
}

bool CMainFrame::Show(bool show) {
  if (show && !IsShown() && m_holdPlaceUntilMs == 0) {
    m_holdingPlace = true;
    m_holdPlaceUntilMs = wxGetLocalTimeMillis().GetValue() + 2000;
  }
  return wxFrame::Show(show);
}

void CMainFrame::OnMoveWhileShowing(wxMoveEvent& event) {
  event.Skip();
  if (!m_holdingPlace) return;
  if (wxGetLocalTimeMillis().GetValue() > m_holdPlaceUntilMs || IsMaximized() || IsIconized()) {
    m_holdingPlace = false;
    return;
  }
  if (GetPosition() == m_savedPlace.GetPosition()) return;
  m_holdingPlace = false;
  TraceUi("placed-again", std::to_string(GetPosition().x) + "," + std::to_string(GetPosition().y));
  // The whole rectangle: the move may come while the manager reparents the window, when the
  // size the toolkit holds is not yet the real one, and a bare move would keep that size.
  CallAfter([this] { SetSize(m_savedPlace); });
}

}  // namespace vesk
