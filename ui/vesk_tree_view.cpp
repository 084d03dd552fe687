#include "ui/vesk_tree_view.h"

#include "document/veskdoc.h"
#include "ui/toolbar_icons.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

namespace {

class NodeData : public wxTreeItemData {
 public:
  explicit NodeData(LINKINFO* node) : m_node(node) {}
  LINKINFO* m_node;
};

constexpr int kExpandedMark = 32;

}  // namespace

CVeskTreeView::CVeskTreeView(wxWindow* parent, CVeskDoc& doc)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE),
      m_doc(doc) {
  AssignImageList(CreateTreeImageList());
  m_root = AddRoot("");
  Bind(wxEVT_TREE_SEL_CHANGED, &CVeskTreeView::OnSelChanged, this);
  m_doc.AddView(this);
}

CVeskTreeView::~CVeskTreeView() { m_doc.RemoveView(this); }

void CVeskTreeView::OnInitialUpdate() {
  m_filling = true;
  DeleteChildren(m_root);
  for (LINKINFO* n : m_doc.GetNodeList()) n->m_hTreeItem = 0;
  m_filling = false;
}

wxTreeItemId CVeskTreeView::ItemOf(const LINKINFO* node) {
  return node == nullptr ? wxTreeItemId()
                         : wxTreeItemId(reinterpret_cast<void*>(node->m_hTreeItem));
}

LINKINFO* CVeskTreeView::NodeOf(const wxTreeItemId& item) const {
  if (!item.IsOk()) return nullptr;
  auto* data = static_cast<NodeData*>(GetItemData(item));
  return data == nullptr ? nullptr : data->m_node;
}

template <class F>
void CVeskTreeView::ForEachItem(const wxTreeItemId& item, F&& f) {
  wxTreeItemIdValue cookie;
  for (wxTreeItemId c = GetFirstChild(item, cookie); c.IsOk(); c = GetNextChild(item, cookie)) {
    f(c);
    ForEachItem(c, f);
  }
}

void CVeskTreeView::InsertCategory(LINKINFO* node) {
  wxTreeItemId item;
  const int fixed = -node->m_nParentSerial;  // 1, 2, 3 for the fixed categories
  if (fixed >= 1 && fixed <= 3) {
    item = AppendItem(m_root, FromSjis(node->m_strTitle), fixed - 1, fixed - 1, new NodeData(node));
  } else {
    wxTreeItemId parent = ItemOf(node->m_pParent);
    if (!parent.IsOk()) return;
    item = AppendItem(parent, FromSjis(node->m_strTitle), 3, 4, new NodeData(node));
    node->m_pParent = NodeOf(parent);
  }
  node->m_hTreeItem = reinterpret_cast<std::uintptr_t>(item.GetID());
  TraceUi(fixed >= 1 && fixed <= 3 ? "root" : "category", ToUtf8(node->m_strTitle));
}

void CVeskTreeView::OnUpdate(int hint, LINKINFO* node) {
  switch (hint) {
    case kHintStoreExpanded:
      ForEachItem(m_root, [this](const wxTreeItemId& item) {
        if (LINKINFO* n = NodeOf(item)) n->m_nMark = IsExpanded(item) ? kExpandedMark : 0;
      });
      break;
    case kHintAddCategory:
      if (node != nullptr) InsertCategory(node);
      break;
    case kHintRestoreCategory:
      if (node != nullptr) {
        InsertCategory(node);
        if (LINKINFO* trash = m_doc.GetTrash()) SelectItem(ItemOf(trash));
      }
      break;
    case kHintSelectCategory:
      if (node != nullptr && ItemOf(node).IsOk()) SelectItem(ItemOf(node));
      break;
    case kHintCategoryText:
      if (node != nullptr && ItemOf(node).IsOk())
        SetItemText(ItemOf(node), FromSjis(node->m_strTitle));
      break;
    case kHintDeleteCategory:
      if (node != nullptr && ItemOf(node).IsOk()) {
        wxTreeItemId item = ItemOf(node);
        node->m_hTreeItem = 0;
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
      if (node != nullptr && ItemOf(node).IsOk()) DeleteChildren(ItemOf(node));
      break;
    default:
      break;
  }
}

void CVeskTreeView::OnSelChanged(wxTreeEvent& event) {
  if (m_filling) return;
  LINKINFO* node = NodeOf(event.GetItem());
  if (node != nullptr && IsSelected(event.GetItem())) m_doc.SelectCategory(node, true);
}

}  // namespace vesk
