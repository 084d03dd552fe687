// CVeskListView: the right pane, the links of the current category as a virtual list; the wx
// side of CLinkRows (sorting, link commands, keys, context menu and dragging).
#pragma once

#include <wx/imaglist.h>
#include <wx/listctrl.h>

#include <functional>
#include <optional>
#include <vector>

#include "document/view_hints.h"
#include "ui/logic/command_enabling.h"
#include "ui/logic/link_rows.h"
#include "ui/logic/pane_commands.h"

namespace vesk {

namespace platform {
class IDesktopLauncher;
}
class CVeskDoc;

class CVeskListView : public wxListCtrl, public IDocView, public IPaneCommands {
 public:
  // runCommand runs a command as the menus do (the frame's enabling rule first).
  CVeskListView(wxWindow* parent, CVeskDoc& doc, platform::IDesktopLauncher& launcher,
                std::function<void(CommandId)> runCommand);
  ~CVeskListView() override;

  // Builds the columns the first time, then shows the current category.
  void OnInitialUpdate();
  void OnUpdate(ViewHint hint, LINKINFO* node) override;
  // Writes the column widths ("lc%d") into the settings.
  void SaveColumnWidths();
  int RowCount() const { return static_cast<int>(m_display.size()); }

  std::optional<bool> IsPaneCommandEnabled(CommandId command) override;
  void RunPaneCommand(CommandId command) override;

 protected:
  wxString OnGetItemText(long item, long column) const override;
  // Rows show no images; the image list holds the header arrows only.
  int OnGetItemImage(long) const override { return -1; }
  int OnGetItemColumnImage(long, long) const override { return -1; }

 private:
  void BuildColumns();
  void ScheduleSync();
  // Shows what the rows hold: count, selection, focus and header arrows.
  void Sync();
  // Takes the control's selection into the rows (unless the rows are newer).
  void PullSelection();
  ListCommandState State();
  LINKINFO* FirstSelected();
  void ChangeLink();
  void OnKeyDown(wxKeyEvent& event);
  void OnActivated(wxListEvent& event);
  void OnColumnClick(wxListEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnBeginDrag(wxListEvent& event);
  void OnDragMotion(wxMouseEvent& event);
  void OnDragEnd(wxMouseEvent& event);
  void EndDrag();
  wxWindow* RowsWindow() const;
  void TraceGeometry();
  void TraceSelection();

  CVeskDoc& m_doc;
  platform::IDesktopLauncher& m_launcher;
  std::function<void(CommandId)> m_runCommand;
  CLinkRows m_rows;
  std::vector<LINKINFO*> m_display;  // what the control shows, row by row
  wxImageList m_arrows;
  bool m_syncPending = false;
  int m_lastKey = 0;  // the previous key-down: a Ctrl+letter held down acts once
  bool m_dragging = false;
  std::vector<int> m_shownArrows;
  std::string m_tracedGeometry;
  bool m_selectionClicked = false;  // the user changed the selection since it was traced
};

}  // namespace vesk
