// CVeskTreeView: the left pane, the category tree of the document: display, selection, in-place
// rename, the category commands and their keys, context menus, drag and drop of categories and the
// drop of links dragged out of the list.
#pragma once

#include <wx/treectrl.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

#include "document/view_commands.h"
#include "document/view_hints.h"
#include "ui/logic/category_tree_rules.h"
#include "ui/logic/link_drop_target.h"
#include "ui/logic/pane_commands.h"

namespace vesk {

class CVeskDoc;

class CVeskTreeView : public wxTreeCtrl, public IDocView, public IPaneCommands {
 public:
  CVeskTreeView(wxWindow* parent, CVeskDoc& doc);
  ~CVeskTreeView() override;

  // Starts over with the document's categories (after new and open).
  void OnInitialUpdate();
  void OnUpdate(ViewHint hint, LINKINFO* node) override;
  std::optional<bool> IsCategoryExpanded(const LINKINFO* category) const override;

  // Where the chosen entry of a context menu goes (the frame's command routing).
  void SetCommandRunner(std::function<void(CommandId)> run) { m_runCommand = std::move(run); }
  // The state the enabling rules read.
  TreeState State();
  bool IsLabelEditing() const { return m_labelEditing; }
  // The category commands; each refuses as its rule says.
  void Cut();
  void Copy();
  void Paste();
  void Change();
  void MoveSibling(int direction);  // +1 down, -1 up
  void StartRename();
  // The category commands as the main window offers them while the tree is the active pane.
  std::optional<bool> IsPaneCommandEnabled(CommandId command) override;
  void RunPaneCommand(CommandId command) override;
  // The category of the item at a point of the tree's client area; null where there is none.
  LINKINFO* CategoryAt(const wxPoint& point) const;

 private:
  void InsertCategory(LINKINFO* node, bool first = false);
  wxTreeItemId ItemOf(const LINKINFO* node) const;
  // Records (or, with an invalid item, forgets) the item that shows node.
  void SetItemOf(const LINKINFO* node, const wxTreeItemId& item);
  // Forgets the items below item (and item itself when asked) before they are deleted.
  void ForgetItems(const wxTreeItemId& item, bool itself);
  LINKINFO* NodeOf(const wxTreeItemId& item) const;
  LINKINFO* Selected() const { return NodeOf(GetSelection()); }
  template <class F>
  void ForEachItem(const wxTreeItemId& item, F&& f);
  // Re-creates item with its subtree under parent: first when after is null and first is set,
  // right after `after` when it is valid, else last. Returns the new item.
  wxTreeItemId MoveSubtree(const wxTreeItemId& item, const wxTreeItemId& parent,
                           const wxTreeItemId& after, bool first);
  // Shows each of the two items' nodes in the other's item, children and expansion following.
  void SwapItems(const wxTreeItemId& a, const wxTreeItemId& b);
  // Selects an item without the selection telling the document again.
  void SelectQuietly(const wxTreeItemId& item);
  // Where the pointer stands over the tree while links are dragged out of the list.
  LinkDragPointer LinkPointer();
  // Moves the drop highlight to the category the look names.
  void ShowLinkDrag(const LinkDragLook& look);

  void OnSelChanged(wxTreeEvent& event);
  void OnKeyDown(wxKeyEvent& event);
  void OnChar(wxKeyEvent& event);
  void OnBeginLabelEdit(wxTreeEvent& event);
  void OnEndLabelEdit(wxTreeEvent& event);
  void OnRightClick(wxTreeEvent& event);
  void OnBeginDrag(wxTreeEvent& event);
  void OnEndDrag(wxTreeEvent& event);

  CVeskDoc& m_doc;
  // The item of each category shown, by the node's id (the document knows nothing of items).
  std::unordered_map<std::uint64_t, wxTreeItemId> m_items;
  wxTreeItemId m_root;  // hidden; the three fixed categories are its children
  bool m_filling = false;
  bool m_labelEditing = false;
  CNodeClipboard m_clipboard;
  // The last State() answer: the command rules ask it for every button on every idle moment,
  // and the sibling look-ups walk the node list.
  TreeState m_state;
  std::uint64_t m_stateRevision = 0;
  NodeId m_stateSelected;
  bool m_stateClipboard = false;
  CTreeKeys m_keys;
  std::function<void(CommandId)> m_runCommand;
  wxTreeItemId m_dragItem;  // the category being dragged
  CLinkDropTarget m_linkDrop;
  NodeId m_linkHighlight;  // the category drop-highlighted while links are dragged
};

}  // namespace vesk
