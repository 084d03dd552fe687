// The undo history: groups of records, the overflow rule and applying a group back.
#include "document/veskdoc.h"

namespace vesk {

// Without a tree to answer hint 103 the document would keep showing a node that is freed at the
// next recorded edit.
void CVeskDoc::LeaveRemovedCategory(LINKINFO* removed, LINKINFO* fallback) {
  if (m_pCurrent != removed) return;
  if (Contains(fallback)) SelectCategory(fallback, true);
  if (m_pCurrent == removed) m_pCurrent = nullptr;
}

int CVeskDoc::BeginUndoGroup() {
  if (m_nNextUndoGroup >= kUndoGroupLimit) {
    m_bUndoOverflow = 1;
    m_nNextUndoGroup = 0;
  }
  if (m_bUndoOverflow && !m_pUndoList.empty()) {
    // Freed together: a dropped group may hold a whole emptied trash.
    const int oldest = m_pUndoList.back()->m_nUndoGroup;
    NodeList dropped;
    while (!m_pUndoList.empty() && m_pUndoList.back()->m_nUndoGroup == oldest) {
      dropped.splice(dropped.begin(), m_pUndoList, std::prev(m_pUndoList.end()));
    }
    FreeNodes(dropped);
  }
  FreeNodes(m_pDiscardList);
  SetModifiedFlag(true);
  return m_nNextUndoGroup++;
}

LINKINFO* CVeskDoc::RecordUndo(LINKINFO* node, int code, int group) {
  AssertHeld(node);
  // Every edit records its undo first; what is kept for the views must be asked again after it.
  ++m_nRevision;
  node->m_nUndoOp = code;
  node->m_nUndoGroup = group;
  LINKINFO* record = m_store.New(node->m_nKind, node->m_nFlags);
  record->CopyValues(*node);
  m_pUndoList.push_front(record);
  return record;
}

void CVeskDoc::DiscardLastUndoGroup() {
  if (m_pUndoList.empty()) return;
  const int group = m_pUndoList.front()->m_nUndoGroup;
  NodeList dropped;
  while (!m_pUndoList.empty() && m_pUndoList.front()->m_nUndoGroup == group) {
    dropped.splice(dropped.end(), m_pUndoList, m_pUndoList.begin());
  }
  // Not applied, so an emptied node (code 102) in the group is freed with the records.
  FreeNodes(dropped);
  m_nNextUndoGroup = group;
  if (m_pUndoList.empty() && !m_bUndoOverflow && !m_bSettingsChanged) SetModifiedFlag(false);
}

void CVeskDoc::OnEditUndo() {
  if (m_pUndoList.empty()) {
    m_ui.Beep();
    return;
  }
  const int group = m_pUndoList.front()->m_nUndoGroup;
  ++m_nRevision;
  while (!m_pUndoList.empty() && m_pUndoList.front()->m_nUndoGroup == group) {
    LINKINFO* record = m_pUndoList.front();
    m_pUndoList.pop_front();
    LINKINFO* live = record->m_pSelf;
    const int code = record->m_nUndoOp;
    switch (code) {
      case kUndoCreated:
        if (Contains(live)) {
          RemoveNode(live);
          m_pDiscardList.push_back(live);
        }
        if (live->IsCategory()) {
          UpdateAllViews(kHintDeleteCategory, live);
          if (record->m_pParent) SelectCategory(record->m_pParent, false);
          LeaveRemovedCategory(live, record->m_pParent);
        } else {
          UpdateAllViews(kHintRemoveLink, live);
        }
        break;
      case kUndoChanged: {
        // The tree item belongs to the tree: an item made by a later move must not be replaced
        // by the one the record saw, which the tree may have deleted since.
        const std::uintptr_t item = live->m_hTreeItem;
        live->CopyValues(*record);
        live->m_hTreeItem = item;
        if (live->IsCategory()) {
          UpdateAllViews(kHintCategoryText, live);
          SelectCategory(live, false);
        } else if (live->m_pParent == m_pCurrent) {
          UpdateAllViews(kHintLinkText, live);
        } else {
          SelectCategory(live->m_pParent, false);
          UpdateAllViews(kHintAddSelectLink, live);
        }
        break;
      }
      case kUndoEmptied:
        // The record is the node itself; it goes back at the head, so undoing the group newest
        // first restores the emptied nodes in their former order.
        InsertNodeAtHead(record);
        if (record->IsCategory()) UpdateAllViews(kHintRestoreCategory, record);
        break;
      case kUndoReparented:
        if (live->IsCategory()) {
          record->m_hTreeItem = live->m_hTreeItem;
          live->m_pUndoAux = record->m_pUndoAux;
          // The tree sets the same parent on hint 104; doing it here keeps the document right
          // when no tree is attached.
          live->m_pParent = record->m_pParent;
          UpdateAllViews(kHintUndoCategoryMove, record);
        } else {
          live->m_pParent = record->m_pParent;
          live->m_nOrder = 0;
        }
        break;
      case kUndoListAction:
        live->m_nSortMode = record->m_nSortMode;
        if (live == m_pCurrent) {
          ShowCurrentCategory();
        } else {
          SelectCategory(live, false);
        }
        break;
      case kUndoSwapped:
        // The views swap the two nodes again (SwapNodes) when they handle the hint.
        if (record->IsCategory()) {
          UpdateAllViews(kHintUndoCategorySwap, record);
        } else {
          if (record->m_pParent != m_pCurrent) SelectCategory(record->m_pParent, false);
          UpdateAllViews(kHintUndoLinkSwap, record);
        }
        break;
      case kUndoDragged:
        // m_pParent of the record is the link that followed the dragged one (null: it was last).
        MoveNodeBefore(live, record->m_pParent);
        live->m_nOrder = 0;
        break;
      case kUndoReordered:
        if (Contains(live)) MoveNode(live, m_pNodeList.front());
        live->m_nOrder = record->m_nOrder;
        break;
      default:
        break;
    }
    if (code != kUndoEmptied) m_store.Free(record);  // a copy: nothing points at it
  }
  m_nNextUndoGroup = group;
  if (m_pUndoList.empty() && !m_bUndoOverflow && !m_bSettingsChanged) SetModifiedFlag(false);
}

}  // namespace vesk
