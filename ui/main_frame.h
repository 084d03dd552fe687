// CMainFrame: the main window with its menus, toolbar, status bar and the tree | list splitter.
#pragma once

#include <wx/aui/auibar.h>
#include <wx/frame.h>
#include <wx/splitter.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/capture/browser_page.h"
#include "platform/desktop_launcher.h"
#include "ui/logic/command_enabling.h"
#include "ui/logic/command_route.h"
#include "ui/logic/pane_commands.h"
#include "ui/logic/window_placement.h"

namespace vesk {

class CDocManager;
class CVeskDoc;
class CVeskListView;
class CVeskSettings;
class CVeskTreeView;
struct LINKINFO;

// The commands the application joins to the route (a document command it does not join stays
// disabled); the main window joins its own and the panes' to the same route.
struct DocumentCommands {
  CCommandRoute route;
  // Imports a dropped file when its type is one the document reads; true when it did.
  std::function<bool(const std::string&)> readDroppedFile;
};

class CMainFrame : public wxFrame {
 public:
  CMainFrame(CVeskDoc& doc, CDocManager& manager, CVeskSettings& settings,
             const FramePlacement& placement, DocumentCommands commands);

  CVeskTreeView* TreeView() const { return m_tree; }
  CVeskListView* ListView() const { return m_list; }

  // Lets the views start over with the document (after new and open).
  void OnInitialUpdate();
  // Lets the views drop their node pointers before the document's nodes go.
  void OnDiscard();
  // Rebuilds the recent-file entries and the caption.
  void OnDocumentChanged();
  // Runs command as the menus do, if its enabling rule allows it now.
  void RunCommand(CommandId command);
  // The files dropped on the window, in the order given.
  void DropFiles(const std::vector<std::string>& paths);
  // Makes a link dropped from a browser in the category (the current one when null).
  void DropLink(LINKINFO* category, const BrowserPage& page);
  // Shows the link's category with the link selected.
  void ShowLink(LINKINFO* link);
  // Hands a URL (UTF-8) to the desktop's default browser.
  void OpenUrl(const std::string& url);
  bool Show(bool show = true) override;

 private:
  // A window manager may put a new window where its own rules say rather than at the saved
  // place; the first move it makes there, soon after the first show, is answered with the saved
  // place once.
  void OnMoveWhileShowing(wxMoveEvent& event);
  void CreateMenus();
  void CreateToolbar();
  void CreateStatusPanes();
  void RebuildRecentFiles();
  CommandState CurrentState() const;
  bool IsEnabledNow(CommandId command) const;
  // Joins the window's own commands and the panes' commands to the route.
  void JoinWindowCommands();
  void OnMenu(wxCommandEvent& event);
  void OnUpdateUi(wxUpdateUIEvent& event);
  void OnIdle(wxIdleEvent& event);
  void OnClose(wxCloseEvent& event);
  void SwitchPane(bool forward);
  // The view a view command goes to: the focused pane (the one that had the focus last), or
  // the list for the commands that only the list has; null when no pane takes it.
  IPaneCommands* PaneFor(CommandId command) const;

  CVeskDoc& m_doc;
  CDocManager& m_manager;
  CVeskSettings& m_settings;
  DocumentCommands m_commands;
  wxAuiToolBar* m_toolbar = nullptr;
  wxSplitterWindow* m_splitter = nullptr;
  CVeskTreeView* m_tree = nullptr;
  CVeskListView* m_list = nullptr;
  mutable wxWindow* m_activePane = nullptr;
  std::unique_ptr<platform::IDesktopLauncher> m_launcher;
  wxMenu* m_fileMenu = nullptr;
  std::vector<wxMenuItem*> m_recentItems;
  wxMenuItem* m_recentPlaceholder = nullptr;
  std::string m_shownCounts;
  wxString m_shownCaption;
  wxSize m_tracedPanes;  // the panes' size last written to the trace
  wxRect m_savedPlace;   // where and how large the window was asked to appear
  bool m_holdingPlace = false;
  long long m_holdPlaceUntilMs = 0;
};

}  // namespace vesk
