#include "ui/vesk_tree_view.h"

#include <wx/menu.h>
#include <wx/utils.h>

#include "document/veskdoc.h"
#include "ui/command_ids.h"
#include "ui/toolbar_icons.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

namespace {

// An item names its category by handle, so an item that outlives its node resolves to null.
class NodeData : public wxTreeItemData {
 public:
  explicit NodeData(NodeId id) : m_id(id) {}
  NodeId m_id;
};

std::uint64_t KeyOf(NodeId id) { return (std::uint64_t{id.slot} << 32) | id.generation; }

// Resets a flag when the scope ends, also on an early return.
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : m_flag(flag), m_old(flag) { m_flag = true; }
  ~FlagScope() { m_flag = m_old; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;

 private:
  bool& m_flag;
  bool m_old;
};

}  // namespace

CVeskTreeView::CVeskTreeView(wxWindow* parent, CVeskDoc& doc)
    : wxTreeCtrl(
          parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
          wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE | wxTR_EDIT_LABELS),
      m_doc(doc),
      m_linkDrop(doc) {
  AssignImageList(CreateTreeImageList());
  m_root = AddRoot("");
  Bind(wxEVT_TREE_SEL_CHANGED, &CVeskTreeView::OnSelChanged, this);
  Bind(wxEVT_KEY_DOWN, &CVeskTreeView::OnKeyDown, this);
  Bind(wxEVT_KEY_UP, [this](wxKeyEvent& event) {
    m_keys.KeyUp();
    event.Skip();
  });
  Bind(wxEVT_CHAR, &CVeskTreeView::OnChar, this);
  Bind(wxEVT_TREE_BEGIN_LABEL_EDIT, &CVeskTreeView::OnBeginLabelEdit, this);
  Bind(wxEVT_TREE_END_LABEL_EDIT, &CVeskTreeView::OnEndLabelEdit, this);
  Bind(wxEVT_TREE_ITEM_RIGHT_CLICK, &CVeskTreeView::OnRightClick, this);
  Bind(wxEVT_TREE_BEGIN_DRAG, &CVeskTreeView::OnBeginDrag, this);
  Bind(wxEVT_TREE_END_DRAG, &CVeskTreeView::OnEndDrag, this);
  m_doc.AddView(this);
}

CVeskTreeView::~CVeskTreeView() { m_doc.RemoveView(this); }

void CVeskTreeView::OnInitialUpdate() {
  FlagScope quiet(m_filling);
  DeleteChildren(m_root);
  m_items.clear();
}

wxTreeItemId CVeskTreeView::ItemOf(const LINKINFO* node) const {
  if (node == nullptr) return wxTreeItemId();
  const auto found = m_items.find(KeyOf(m_doc.IdOf(node)));
  return found == m_items.end() ? wxTreeItemId() : found->second;
}

void CVeskTreeView::SetItemOf(const LINKINFO* node, const wxTreeItemId& item) {
  if (node == nullptr) return;
  if (item.IsOk()) {
    m_items[KeyOf(m_doc.IdOf(node))] = item;
  } else {
    m_items.erase(KeyOf(m_doc.IdOf(node)));
  }
}

void CVeskTreeView::ForgetItems(const wxTreeItemId& item, bool itself) {
  auto forget = [this](const wxTreeItemId& c) {
    if (auto* data = static_cast<NodeData*>(GetItemData(c))) m_items.erase(KeyOf(data->m_id));
  };
  ForEachItem(item, forget);
  if (itself) forget(item);
}

std::optional<bool> CVeskTreeView::IsCategoryExpanded(const LINKINFO* category) const {
  const wxTreeItemId item = ItemOf(category);
  if (!item.IsOk()) return std::nullopt;
  return IsExpanded(item);
}

LINKINFO* CVeskTreeView::NodeOf(const wxTreeItemId& item) const {
  if (!item.IsOk() || item == m_root) return nullptr;
  auto* data = static_cast<NodeData*>(GetItemData(item));
  return data == nullptr ? nullptr : m_doc.NodeById(data->m_id);
}

template <class F>
void CVeskTreeView::ForEachItem(const wxTreeItemId& item, F&& f) {
  wxTreeItemIdValue cookie;
  for (wxTreeItemId c = GetFirstChild(item, cookie); c.IsOk(); c = GetNextChild(item, cookie)) {
    f(c);
    ForEachItem(c, f);
  }
}

void CVeskTreeView::InsertCategory(LINKINFO* node, bool first) {
  wxTreeItemId item;
  const int fixed = FixedCategoryIndex(node->m_nParentSerial);  // its icon, too
  auto* data = new NodeData(m_doc.IdOf(node));
  if (fixed >= 0) {
    item = AppendItem(m_root, Cp932ToWx(node->m_strTitle), fixed, fixed, data);
  } else {
    wxTreeItemId parent = ItemOf(node->m_pParent);
    if (!parent.IsOk()) {
      delete data;
      return;
    }
    item = first ? PrependItem(parent, Cp932ToWx(node->m_strTitle), 3, 4, data)
                 : AppendItem(parent, Cp932ToWx(node->m_strTitle), 3, 4, data);
  }
  SetItemOf(node, item);
  TraceUi(fixed >= 0 ? "root" : "category", ToUtf8(node->m_strTitle));
}

wxTreeItemId CVeskTreeView::MoveSubtree(const wxTreeItemId& item, const wxTreeItemId& parent,
                                        const wxTreeItemId& after, bool first) {
  LINKINFO* node = NodeOf(item);
  const wxString text = GetItemText(item);
  const int image = GetItemImage(item, wxTreeItemIcon_Normal);
  const int selectedImage = GetItemImage(item, wxTreeItemIcon_Selected);
  const bool expanded = IsExpanded(item);
  auto* data = new NodeData(static_cast<NodeData*>(GetItemData(item))->m_id);
  wxTreeItemId moved;
  if (after.IsOk()) {
    moved = InsertItem(parent, after, text, image, selectedImage, data);
  } else if (first) {
    moved = PrependItem(parent, text, image, selectedImage, data);
  } else {
    moved = AppendItem(parent, text, image, selectedImage, data);
  }
  SetItemOf(node, moved);
  // The children keep their order and their own subtrees.
  std::vector<wxTreeItemId> children;
  wxTreeItemIdValue cookie;
  for (wxTreeItemId c = GetFirstChild(item, cookie); c.IsOk(); c = GetNextChild(item, cookie)) {
    children.push_back(c);
  }
  for (const auto& c : children) MoveSubtree(c, moved, wxTreeItemId(), false);
  {
    FlagScope quiet(m_filling);
    Delete(item);
  }
  if (expanded) Expand(moved);
  return moved;
}

void CVeskTreeView::SwapItems(const wxTreeItemId& a, const wxTreeItemId& b) {
  LINKINFO* nodeA = NodeOf(a);
  LINKINFO* nodeB = NodeOf(b);
  if (nodeA == nullptr || nodeB == nullptr) return;
  auto childrenOf = [this](const wxTreeItemId& item) {
    std::vector<wxTreeItemId> out;
    wxTreeItemIdValue cookie;
    for (wxTreeItemId c = GetFirstChild(item, cookie); c.IsOk(); c = GetNextChild(item, cookie)) {
      out.push_back(c);
    }
    return out;
  };
  const auto childrenA = childrenOf(a);
  const auto childrenB = childrenOf(b);
  const bool expandedA = IsExpanded(a);
  const bool expandedB = IsExpanded(b);
  SetItemText(a, Cp932ToWx(nodeB->m_strTitle));
  SetItemText(b, Cp932ToWx(nodeA->m_strTitle));
  static_cast<NodeData*>(GetItemData(a))->m_id = m_doc.IdOf(nodeB);
  static_cast<NodeData*>(GetItemData(b))->m_id = m_doc.IdOf(nodeA);
  SetItemOf(nodeA, b);
  SetItemOf(nodeB, a);
  for (const auto& c : childrenB) MoveSubtree(c, a, wxTreeItemId(), false);
  for (const auto& c : childrenA) MoveSubtree(c, b, wxTreeItemId(), false);
  for (const auto& [item, expanded] : {std::pair{a, expandedB}, std::pair{b, expandedA}}) {
    if (expanded && ItemHasChildren(item)) {
      Expand(item);
    } else if (IsExpanded(item)) {
      Collapse(item);
    }
  }
}

void CVeskTreeView::SelectQuietly(const wxTreeItemId& item) {
  FlagScope quiet(m_filling);
  SelectItem(item);
}

void CVeskTreeView::OnUpdate(ViewHint hint, LINKINFO* node) {
  switch (hint) {
    case kHintAddCategory:
      if (node != nullptr) InsertCategory(node);
      break;
    case kHintRestoreCategory:
      // Undo of Empty Trash gives back the trash's categories newest first; each goes before
      // those already back, so they stand in their former order.
      if (node != nullptr) {
        InsertCategory(node, true);
        if (LINKINFO* trash = m_doc.GetTrash()) SelectItem(ItemOf(trash));
      }
      break;
    case kHintSelectCategory:
      if (node != nullptr && ItemOf(node).IsOk()) SelectItem(ItemOf(node));
      break;
    case kHintUndoCategoryMove:
      // The live category's item goes back under its parent after the sibling the live
      // category now names, or first.
      if (node != nullptr && node->m_pSelf != nullptr) {
        LINKINFO* live = node->m_pSelf;
        const wxTreeItemId item = ItemOf(live);
        const wxTreeItemId parent = ItemOf(live->m_pParent);
        if (!item.IsOk() || !parent.IsOk()) break;
        wxTreeItemId after = ItemOf(live->m_pUndoAux);
        if (after.IsOk() && GetItemParent(after) != parent) after = wxTreeItemId();
        SelectItem(MoveSubtree(item, parent, after, true));
        TraceUi("movedback", ToUtf8(live->m_strTitle));
      }
      break;
    case kHintUndoCategorySwap:
      if (node != nullptr && node->m_pSelf != nullptr && node->m_pUndoAux != nullptr) {
        const wxTreeItemId a = ItemOf(node->m_pUndoAux);
        const wxTreeItemId b = ItemOf(node->m_pSelf);
        if (a.IsOk() && b.IsOk()) SwapItems(a, b);
        TraceUi("swappedback", ToUtf8(node->m_pUndoAux->m_strTitle));
        // The selected item may now show the other category: keep it on the current one.
        if (LINKINFO* current = m_doc.GetCurrent(); current != nullptr && ItemOf(current).IsOk())
          SelectQuietly(ItemOf(current));
      }
      break;
    case kHintCategoryText:
      if (node != nullptr && ItemOf(node).IsOk())
        SetItemText(ItemOf(node), Cp932ToWx(node->m_strTitle));
      break;
    case kHintDeleteCategory:
      if (node != nullptr && ItemOf(node).IsOk()) {
        wxTreeItemId item = ItemOf(node);
        ForgetItems(item, true);
        FlagScope quiet(m_filling);
        Delete(item);
      }
      break;
    case kHintExpandCategories: {
      std::vector<wxTreeItemId> open;
      ForEachItem(m_root, [&](const wxTreeItemId& item) {
        if (LINKINFO* n = NodeOf(item); n != nullptr && n->m_nMark != 0) open.push_back(item);
      });
      for (const auto& item : open) Expand(item);
      break;
    }
    case kHintEmptyTrash:
      if (node != nullptr && ItemOf(node).IsOk()) {
        const wxTreeItemId item = ItemOf(node);
        ForgetItems(item, false);
        FlagScope quiet(m_filling);
        DeleteChildren(item);
      }
      break;
    case kHintLinkDragStarted:
      m_linkDrop.Start();
      ShowLinkDrag(m_linkDrop.Look());
      break;
    case kHintLinkDragMoved:
      ShowLinkDrag(m_linkDrop.Move(LinkPointer()));
      break;
    case kHintLinkDragReleased: {
      const LinkDragPointer at = LinkPointer();
      ShowLinkDrag({});
      // Sends hint 403 when the links land on a category; the list moves them.
      if (LINKINFO* onto = m_linkDrop.Release(at)) TraceUi("linkdrop", ToUtf8(onto->m_strTitle));
      break;
    }
    default:
      break;
  }
}

LinkDragPointer CVeskTreeView::LinkPointer() {
  LinkDragPointer at;
  const wxPoint point = ScreenToClient(wxGetMousePosition());
  const wxSize size = GetClientSize();
  at.inside = point.x >= 0 && point.y >= 0 && point.x < size.x && point.y < size.y;
  if (at.inside) {
    int flags = 0;
    const wxTreeItemId item = HitTest(point, flags);
    if (item.IsOk() && (flags & wxTREE_HITTEST_ONITEM) != 0) at.over = NodeOf(item);
  }
  return at;
}

void CVeskTreeView::ShowLinkDrag(const LinkDragLook& look) {
  const NodeId shown = look.highlight != nullptr ? m_doc.IdOf(look.highlight) : NodeId();
  if (shown == m_linkHighlight) return;
  if (const wxTreeItemId old = ItemOf(m_doc.NodeById(m_linkHighlight)); old.IsOk())
    SetItemDropHighlight(old, false);
  m_linkHighlight = shown;
  if (const wxTreeItemId item = ItemOf(look.highlight); item.IsOk()) SetItemDropHighlight(item);
  TraceUi("linktarget", look.highlight != nullptr ? ToUtf8(look.highlight->m_strTitle) : "");
}

TreeState CVeskTreeView::State() {
  LINKINFO* selected = Selected();
  const bool clipboard = !m_clipboard.IsEmpty();
  const NodeId id = m_doc.IdOf(selected);
  if (m_stateRevision != m_doc.Revision() || !(m_stateSelected == id) ||
      m_stateClipboard != clipboard) {
    m_state = TreeStateOf(m_doc, selected, clipboard);
    m_stateRevision = m_doc.Revision();
    m_stateSelected = id;
    m_stateClipboard = clipboard;
  }
  return m_state;
}

void CVeskTreeView::Cut() {
  LINKINFO* node = Selected();
  const wxTreeItemId item = GetSelection();
  LINKINFO* trash = m_doc.GetTrash();
  if (node == nullptr || trash == nullptr) return m_doc.UI().Beep();
  LINKINFO* previous = NodeOf(GetPrevSibling(item));
  // Selects the former parent; the item still stands under it and moves afterwards.
  if (!CutCategory(m_doc, node, m_clipboard, previous)) return;
  MoveSubtree(ItemOf(node), ItemOf(trash), wxTreeItemId(), false);
  TraceUi("cut", ToUtf8(node->m_strTitle));
}

void CVeskTreeView::Copy() {
  LINKINFO* node = Selected();
  if (node == nullptr) return m_doc.UI().Beep();
  if (CopyCategory(m_doc, node, m_clipboard)) TraceUi("copy", ToUtf8(node->m_strTitle));
}

void CVeskTreeView::Paste() {
  LINKINFO* parent = Selected();
  if (parent == nullptr) return m_doc.UI().Beep();
  LINKINFO* node = PasteNode(m_doc, m_clipboard, parent);
  if (node == nullptr) return;
  InsertCategory(node);
  Expand(ItemOf(parent));
  RecordCreated(m_doc, node);
  TraceUi("paste", ToUtf8(node->m_strTitle));
}

void CVeskTreeView::Change() {
  LINKINFO* node = Selected();
  if (node == nullptr) return;
  if (ChangeCategory(m_doc, node) && ItemOf(node).IsOk()) {
    SetItemText(ItemOf(node), Cp932ToWx(node->m_strTitle));
  }
}

void CVeskTreeView::MoveSibling(int direction) {
  LINKINFO* node = Selected();
  const wxTreeItemId item = GetSelection();
  if (node == nullptr) return m_doc.UI().Beep();
  const wxTreeItemId other = direction > 0 ? GetNextSibling(item) : GetPrevSibling(item);
  LINKINFO* neighbour = NodeOf(other);
  if (neighbour == nullptr ||
      !TreeCommandEnabled(direction > 0 ? kCmdMoveDown : kCmdMoveUp, State()).value_or(false)) {
    return m_doc.UI().Beep();
  }
  if (!SwapCategories(m_doc, node, neighbour)) return;
  SwapItems(item, other);
  SelectQuietly(ItemOf(node));
  TraceUi("moved", ToUtf8(node->m_strTitle));
}

void CVeskTreeView::StartRename() {
  if (!CanStartRename(State())) return;
  if (GetSelection().IsOk()) EditLabel(GetSelection());
}

void CVeskTreeView::OnSelChanged(wxTreeEvent& event) {
  if (m_filling) return;
  LINKINFO* node = NodeOf(event.GetItem());
  if (node != nullptr && IsSelected(event.GetItem())) {
    m_doc.SelectCategory(node, true);
    TraceUi("selected", ToUtf8(node->m_strTitle));
    // Where the item stands on the screen, once laid out, for tests that point at it.
    CallAfter([this, id = m_doc.IdOf(node)] {
      const wxTreeItemId item = ItemOf(m_doc.NodeById(id));
      wxRect rect;
      if (!item.IsOk() || !IsSelected(item) || !GetBoundingRect(item, rect, true)) return;
      const wxPoint centre = ClientToScreen(rect.GetPosition() + rect.GetSize() / 2);
      TraceUi("selectedat", ToUtf8(m_doc.NodeById(id)->m_strTitle) + "@" +
                                std::to_string(centre.x) + "," + std::to_string(centre.y));
    });
  }
}

void CVeskTreeView::OnKeyDown(wxKeyEvent& event) {
  const int code = event.GetKeyCode();
  int key = 0;
  if (code == WXK_RETURN || code == WXK_NUMPAD_ENTER) {
    key = kTreeKeyEnter;
  } else if (code == WXK_DELETE || code == WXK_NUMPAD_DELETE) {
    key = kTreeKeyDelete;
  } else if (code == WXK_F2) {
    key = kTreeKeyF2;
  } else if (code >= 'A' && code <= 'Z') {
    key = code;
  } else {
    key = code + 0x20000;  // any other key still counts as the last one pressed
  }
  switch (m_keys.KeyDown(key, event.ControlDown())) {
    case TreeKeyAction::Change:
      Change();
      return;
    case TreeKeyAction::Cut:
      Cut();
      return;
    case TreeKeyAction::Copy:
      Copy();
      return;
    case TreeKeyAction::Paste:
      Paste();
      return;
    case TreeKeyAction::Undo:
      m_doc.OnEditUndo();
      return;
    case TreeKeyAction::Rename:
      StartRename();
      return;
    case TreeKeyAction::None:
      // A repeated Ctrl+letter is eaten so the control does not act on it either.
      if (event.ControlDown() && (key == 'X' || key == 'C' || key == 'V' || key == 'Z')) return;
      break;
  }
  event.Skip();
}

void CVeskTreeView::OnChar(wxKeyEvent& event) {
  // Typing does not search items; navigation keys still reach the control.
  const wxChar ch = event.GetUnicodeKey();
  // Alt+letter stays with the menu bar.
  if (ch != WXK_NONE && !event.AltDown() && (ch >= 32 || event.ControlDown())) return;
  event.Skip();
}

void CVeskTreeView::OnBeginLabelEdit(wxTreeEvent& event) {
  // Also reached by a slow click on the selected item.
  if (event.GetItem() != GetSelection() || !CanStartRename(State())) {
    event.Veto();
    return;
  }
  m_labelEditing = true;
  if (LINKINFO* node = NodeOf(event.GetItem())) TraceUi("renaming", ToUtf8(node->m_strTitle));
}

void CVeskTreeView::OnEndLabelEdit(wxTreeEvent& event) {
  m_labelEditing = false;
  if (event.IsEditCancelled()) return;
  LINKINFO* node = NodeOf(event.GetItem());
  if (node == nullptr) return;
  // Not vetoed (a veto keeps the editor open): the control writes the edit text into the item
  // after this event, so the node's title goes back in once it has, whether taken or refused.
  CallAfter([this, id = m_doc.IdOf(node)] {
    if (LINKINFO* n = m_doc.NodeById(id); n != nullptr && ItemOf(n).IsOk())
      SetItemText(ItemOf(n), Cp932ToWx(n->m_strTitle));
  });
  const auto title = AcceptedLabel(event.GetLabel().utf8_string(), node->m_strTitle);
  if (!title || !RenameCategory(m_doc, node, *title)) return;
  TraceUi("renamed", ToUtf8(node->m_strTitle));
}

void CVeskTreeView::OnRightClick(wxTreeEvent& event) {
  const wxTreeItemId item = event.GetItem();
  if (item.IsOk() && item != GetSelection()) SelectItem(item);
  const TreeContextMenu contextMenu = TreeContextMenuFor(State());
  wxMenu menu;
  std::string traced = contextMenu.name;
  for (const auto& e : contextMenu.entries) {
    menu.Append(ToWxId(e.command), U8(e.text));
    menu.Enable(ToWxId(e.command), e.enabled);
    traced += std::string(" ") + std::to_string(e.command) + (e.enabled ? "+" : "-");
  }
  TraceUi("treemenu", traced);
  const int chosen = GetPopupMenuSelectionFromUser(menu);
  if (chosen == wxID_NONE) return;
  if (auto command = FromWxId(chosen); command && m_runCommand) m_runCommand(*command);
}

void CVeskTreeView::OnBeginDrag(wxTreeEvent& event) {
  const wxTreeItemId item = event.GetItem();
  if (!CanDragCategory(m_doc, NodeOf(item))) return;  // the roots stay where they are
  if (item != GetSelection()) SelectItem(item);
  m_dragItem = item;
  // The control follows the mouse, highlights the item under it and reports the release.
  event.Allow();
}

void CVeskTreeView::OnEndDrag(wxTreeEvent& event) {
  LINKINFO* node = NodeOf(m_dragItem);
  LINKINFO* target = NodeOf(event.GetItem());
  m_dragItem = wxTreeItemId();
  if (node == nullptr || target == nullptr || !CanDropCategory(m_doc, node, target)) {
    m_doc.UI().Beep();
    TraceUi("drop", "refused");
    return;
  }
  // The control still holds the dragged item while it reports; move it once it is done.
  CallAfter([this, id = m_doc.IdOf(node), targetId = m_doc.IdOf(target)] {
    LINKINFO* dragged = m_doc.NodeById(id);
    LINKINFO* onto = m_doc.NodeById(targetId);
    if (dragged == nullptr || onto == nullptr || !ItemOf(dragged).IsOk() || !ItemOf(onto).IsOk())
      return;
    const wxTreeItemId item = ItemOf(dragged);
    if (!DropCategory(m_doc, dragged, onto, NodeOf(GetPrevSibling(item)))) return;
    SelectItem(MoveSubtree(item, ItemOf(onto), wxTreeItemId(), false));
    TraceUi("drop", ToUtf8(dragged->m_strTitle) + " > " + ToUtf8(onto->m_strTitle));
  });
}

}  // namespace vesk

namespace vesk {

std::optional<bool> CVeskTreeView::IsPaneCommandEnabled(CommandId command) {
  return TreeCommandEnabled(command, State());
}

void CVeskTreeView::RunPaneCommand(CommandId command) {
  switch (command) {
    case kCmdEditCut:
    case kCmdDeleteCategory:
      Cut();
      break;
    case kCmdEditCopy:
      Copy();
      break;
    case kCmdEditPaste:
      Paste();
      break;
    case kCmdChangeCategory:
      Change();
      break;
    case kCmdMoveDown:
      MoveSibling(+1);
      break;
    case kCmdMoveUp:
      MoveSibling(-1);
      break;
    default:
      break;
  }
}

LINKINFO* CVeskTreeView::CategoryAt(const wxPoint& point) const {
  int flags = 0;
  const wxTreeItemId item = HitTest(point, flags);
  if (!item.IsOk() || (flags & wxTREE_HITTEST_ONITEM) == 0) return nullptr;
  return NodeOf(item);
}

}  // namespace vesk
