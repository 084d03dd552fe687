// The undo history: groups of records, the overflow rule and applying a group back.
#include "document/progress_report.h"
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
  record->m_pUndoNext = NextNode(node);
  m_pUndoList.push_front(record);
  return record;
}

LINKINFO* CVeskDoc::Listed(LINKINFO* node) const { return Contains(node) ? node : nullptr; }

void CVeskDoc::UndoSwap(const LINKINFO* record) {
  LINKINFO* a = record->m_pSelf;
  LINKINFO* b = record->m_pUndoAux;
  if (a == b || !Contains(a) || !Contains(b)) return;
  // The swap moved the later node before the earlier; it goes back before its old follower.
  LINKINFO* moved = LaterOf(a, b) == a ? b : a;
  MoveNode(moved, Listed(record->m_pUndoNext));
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
  std::size_t records = 0;
  for (const LINKINFO* record : m_pUndoList) {
    if (record->m_nUndoGroup != group) break;
    ++records;
  }
  // Not cancellable: half a group undone would be a state the document never was in.
  CProgressReport progress(m_ui, ProgressStep::Undo, records, false);
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
          // The serial the node took goes back when it was the last handed out, so the document
          // is the one it was before.
          if (live->m_nSerial + 1 == m_nNextSerial) --m_nNextSerial;
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
        live->CopyValues(*record);
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
        // The record is the node itself; undone newest first, each goes back before the node
        // that followed it, which is back already or never left.
        InsertNode(record, Listed(record->m_pUndoNext));
        if (record->IsCategory()) UpdateAllViews(kHintRestoreCategory, record);
        break;
      case kUndoReparented:
        if (live->IsCategory()) {
          // The sibling it came after tells the tree where to show it again.
          live->m_pUndoAux = record->m_pUndoAux;
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
        // The views only show the swap: rows and items follow the hint.
        if (record->IsCategory()) {
          UndoSwap(record);
          UpdateAllViews(kHintUndoCategorySwap, record);
        } else {
          if (record->m_pParent != m_pCurrent) SelectCategory(record->m_pParent, false);
          UndoSwap(record);
          std::swap(record->m_pSelf->m_nOrder, record->m_pUndoAux->m_nOrder);
          UpdateAllViews(kHintUndoLinkSwap, record);
        }
        break;
      case kUndoDragged:
        MoveNodeBefore(live, Listed(record->m_pUndoNext));
        live->m_nOrder = 0;
        break;
      case kUndoReordered:
        // Recorded in list order, undone newest first: each link goes back before the node
        // that followed it, so the list is the one before the sort.
        if (Contains(live)) MoveNode(live, Listed(record->m_pUndoNext));
        live->m_nOrder = record->m_nOrder;
        break;
      default:
        break;
    }
    if (code != kUndoEmptied) m_store.Free(record);  // a copy: nothing points at it
    progress.Advance();
  }
  m_nNextUndoGroup = group;
  if (m_pUndoList.empty() && !m_bUndoOverflow && !m_bSettingsChanged) SetModifiedFlag(false);
}

}  // namespace vesk
