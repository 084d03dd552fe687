#include "document/view_commands.h"

#include <algorithm>
#include <unordered_set>

#include "document/child_index.h"
#include "document/link_sort.h"
#include "document/progress_report.h"

namespace vesk {
namespace {

// Copies the clipboard's values into a node made for them, keeping the node's own identity and
// its place in the list.
void TakeValues(LINKINFO* node, const LINKINFO& from) {
  LINKINFO* const self = node->m_pSelf;
  LINKINFO* const parent = node->m_pParent;
  const std::uint32_t serial = node->m_nSerial;
  node->CopyValues(from);
  node->m_pSelf = self;
  node->m_pParent = parent;
  node->m_nSerial = serial;
  node->m_pUndoAux = nullptr;
}

// Moves a category under target, recording code 200 with the sibling it came after.
void MoveCategoryUnder(CVeskDoc& doc, LINKINFO* category, LINKINFO* target,
                       LINKINFO* previousSibling) {
  category->m_pUndoAux = previousSibling;
  doc.RecordUndo(category, kUndoReparented, doc.BeginUndoGroup());
  category->m_pParent = target;
}

bool IsInSubtree(const LINKINFO* node, const LINKINFO* root) {
  // Bounded: a damaged file may have parents in a ring.
  for (std::size_t steps = 0; node && steps < kSerialLimit; node = node->m_pParent, ++steps) {
    if (node == root) return true;
  }
  return false;
}

// The old order: code 201 for the current category, then code 302 for every row with m_nOrder
// 0 for a selected link and 1 for the others. The rows are recorded in list order, which lets
// undo put each back in its very place.
void RecordListOrder(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                     const std::vector<LINKINFO*>& selected) {
  const std::unordered_set<const LINKINFO*> isSelected(selected.begin(), selected.end());
  const std::unordered_set<const LINKINFO*> isRow(rows.begin(), rows.end());
  const int group = doc.BeginUndoGroup();
  if (doc.GetCurrent()) doc.RecordUndo(doc.GetCurrent(), kUndoListAction, group);
  for (LINKINFO* link : doc.GetNodeList()) {
    if (!isRow.count(link)) continue;
    LINKINFO* record = doc.RecordUndo(link, kUndoReordered, group);
    record->m_nOrder = isSelected.count(link) ? 0 : 1;
  }
}

// The runtime's classic pseudo-random sequence, 0..32767.
class CShortRandom {
 public:
  explicit CShortRandom(unsigned seed) : m_state(seed) {}
  int Next() {
    m_state = m_state * 214013u + 2531011u;
    return static_cast<int>((m_state >> 16) & 0x7FFF);
  }

 private:
  unsigned m_state;
};

}  // namespace

void CNodeClipboard::Store(const LINKINFO& node) {
  if (!m_node) m_node = std::make_unique<LINKINFO>(node.m_nKind, node.m_nFlags);
  m_node->CopyValues(node);
  // The copy outlives the node and its neighbours: it keeps no pointer the document may free
  // (a paste gives the new node its own identity and parent anyway).
  m_node->m_pSelf = m_node.get();
  m_node->m_pParent = nullptr;
  m_node->m_pUndoAux = nullptr;
}

bool ChangeLink(CVeskDoc& doc, LINKINFO* link) {
  if (!link) return false;
  doc.RecordUndo(link, kUndoChanged, doc.BeginUndoGroup());
  if (doc.EditLink(link)) return true;
  doc.DiscardLastUndoGroup();
  return false;
}

bool ChangeCategory(CVeskDoc& doc, LINKINFO* category) {
  if (!category || category == doc.GetWorkBox() || doc.IsInTrash()) return false;
  doc.RecordUndo(category, kUndoChanged, doc.BeginUndoGroup());
  if (doc.EditCategory(category)) return true;
  doc.DiscardLastUndoGroup();
  return false;
}

bool RenameCategory(CVeskDoc& doc, LINKINFO* category, const std::string& newTitle) {
  if (!category || category == doc.GetWorkBox() || doc.IsInTrash()) return false;
  if (newTitle.empty() || newTitle == category->m_strTitle) return false;
  doc.RecordUndo(category, kUndoChanged, doc.BeginUndoGroup());
  category->m_strTitle = newTitle;
  return true;
}

LINKINFO* PasteNode(CVeskDoc& doc, const CNodeClipboard& clipboard, LINKINFO* parent) {
  if (clipboard.IsEmpty() || doc.IsInTrash()) {
    doc.UI().Beep();
    return nullptr;
  }
  const LINKINFO& from = *clipboard.Node();
  LINKINFO* node = doc.CreateNode(from.IsCategory() ? NodeKind::Category : NodeKind::NewLink);
  if (!node) return nullptr;
  TakeValues(node, from);
  if (from.IsCategory() && parent) node->m_pParent = parent;
  return node;
}

void RecordCreated(CVeskDoc& doc, LINKINFO* node) {
  doc.RecordUndo(node, kUndoCreated, doc.BeginUndoGroup());
}

LINKINFO* PreviousSiblingCategory(CVeskDoc& doc, LINKINFO* category) {
  LINKINFO* previous = nullptr;
  for (LINKINFO* node : doc.GetNodeList()) {
    if (node == category) return previous;
    if (node->IsCategory() && node->m_pParent == category->m_pParent) previous = node;
  }
  return nullptr;
}

LINKINFO* NeighbourCategory(CVeskDoc& doc, LINKINFO* category, int direction) {
  if (!category->m_pParent) return nullptr;
  if (direction < 0) return PreviousSiblingCategory(doc, category);
  bool seen = false;
  for (LINKINFO* node : doc.GetNodeList()) {
    if (node == category) {
      seen = true;
    } else if (seen && node->IsCategory() && node->m_pParent == category->m_pParent) {
      return node;
    }
  }
  return nullptr;
}

bool CopyCategory(CVeskDoc& doc, LINKINFO* category, CNodeClipboard& clipboard) {
  if (!category || !category->IsCategory() || doc.IsFixedCategory(category) || doc.IsInTrash()) {
    doc.UI().Beep();
    return false;
  }
  clipboard.Store(*category);
  return true;
}

bool CutCategory(CVeskDoc& doc, LINKINFO* category, CNodeClipboard& clipboard,
                 LINKINFO* previousSibling) {
  if (!CopyCategory(doc, category, clipboard)) return false;
  LINKINFO* formerParent = category->m_pParent;
  MoveCategoryUnder(doc, category, doc.GetTrash(), previousSibling);
  if (formerParent) doc.SelectCategory(formerParent, false);
  return true;
}

bool DropCategory(CVeskDoc& doc, LINKINFO* category, LINKINFO* target, LINKINFO* previousSibling) {
  if (!category || !target || doc.IsFixedCategory(category) || !target->IsCategory() ||
      IsInSubtree(target, category) || target == category->m_pParent) {
    doc.UI().Beep();
    return false;
  }
  MoveCategoryUnder(doc, category, target, previousSibling);
  return true;
}

bool SwapCategories(CVeskDoc& doc, LINKINFO* category, LINKINFO* neighbour) {
  if (!category || !neighbour || neighbour == category || category == doc.GetTopCategory() ||
      category == doc.GetWorkBox() || doc.IsInTrash()) {
    doc.UI().Beep();
    return false;
  }
  LINKINFO* record = doc.RecordUndo(category, kUndoSwapped, doc.BeginUndoGroup());
  record->m_pSelf = neighbour;
  record->m_pUndoAux = category;
  // The place of the node the swap moves, for its undo.
  record->m_pUndoNext = doc.NextNode(doc.LaterOf(category, neighbour));
  doc.SwapNodes(category, neighbour);
  return true;
}

void FillCategoryTree(CVeskDoc& doc) {
  CChildIndex index(doc.GetNodeList());
  for (LINKINFO* root : {doc.GetTopCategory(), doc.GetWorkBox(), doc.GetTrash()}) {
    if (!root) continue;
    std::unordered_set<const LINKINFO*> seen{root};
    std::vector<LINKINFO*> stack{root};
    while (!stack.empty()) {
      LINKINFO* node = stack.back();
      stack.pop_back();
      doc.UpdateAllViews(kHintAddCategory, node);
      const auto& kids = index.Children(node);
      for (auto it = kids.rbegin(); it != kids.rend(); ++it) {
        if ((*it)->IsCategory() && seen.insert(*it).second) stack.push_back(*it);
      }
    }
  }
  doc.UpdateAllViews(kHintExpandCategories, nullptr);
  if (doc.GetTopCategory()) doc.SelectCategory(doc.GetTopCategory(), false);
}

bool CutLinks(CVeskDoc& doc, const std::vector<LINKINFO*>& selected, CNodeClipboard& clipboard) {
  if (selected.empty() || doc.IsInTrash()) {
    doc.UI().Beep();
    return false;
  }
  const int group = doc.BeginUndoGroup();
  if (doc.GetCurrent()) doc.RecordUndo(doc.GetCurrent(), kUndoListAction, group);
  // The one-node clipboard ends up with the last of them, as if each had been copied in turn.
  clipboard.Store(*selected.back());
  // Not cancellable: the group would undo a delete the user never saw finish, and the list
  // takes its rows out only after the last link.
  CProgressReport progress(doc.UI(), ProgressStep::DeleteLinks, selected.size(), false);
  for (LINKINFO* link : selected) {
    doc.MoveToTrash(link, group);
    progress.Advance();
  }
  return true;
}

bool CopyLink(CVeskDoc& doc, const std::vector<LINKINFO*>& selected, CNodeClipboard& clipboard) {
  if (selected.size() != 1 || doc.IsInTrash()) {
    doc.UI().Beep();
    return false;
  }
  clipboard.Store(*selected.front());
  return true;
}

bool SwapLinks(CVeskDoc& doc, LINKINFO* link, LINKINFO* neighbour) {
  if (!link || !neighbour || neighbour == link || doc.IsInTrash()) {
    doc.UI().Beep();
    return false;
  }
  LINKINFO* record = doc.RecordUndo(link, kUndoSwapped, doc.BeginUndoGroup());
  record->m_pUndoAux = neighbour;
  record->m_pUndoNext = doc.NextNode(doc.LaterOf(link, neighbour));
  doc.SwapLinkPlaces(link, neighbour);
  return true;
}

bool DropLinksOnCategory(CVeskDoc& doc, const std::vector<LINKINFO*>& selected, LINKINFO* target) {
  if (!target || !target->IsCategory() || target == doc.GetCurrent() || selected.empty()) {
    return false;
  }
  const int group = doc.BeginUndoGroup();
  if (doc.GetCurrent()) doc.RecordUndo(doc.GetCurrent(), kUndoListAction, group);
  for (LINKINFO* link : selected) {
    doc.RecordUndo(link, kUndoReparented, group);
    link->m_pParent = target;
  }
  return true;
}

bool ReorderLinks(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                  const std::vector<LINKINFO*>& selected, LINKINFO* dropRow) {
  if (selected.empty()) return false;
  const std::unordered_set<const LINKINFO*> isSelected(selected.begin(), selected.end());
  auto first = std::find_if(rows.begin(), rows.end(),
                            [&](const LINKINFO* row) { return isSelected.count(row) != 0; });
  if (first == rows.end()) return false;
  if (dropRow == *first || (std::next(first) != rows.end() && dropRow == *std::next(first))) {
    return false;
  }
  const int group = doc.BeginUndoGroup();
  LINKINFO* category = doc.GetCurrent();
  if (category) {
    doc.RecordUndo(category, kUndoListAction, group);
    category->m_nSortMode = kSortManual;
  }
  for (LINKINFO* link : rows) {
    if (!isSelected.count(link)) continue;
    link->m_nOrder = 0;
    // Each link is recorded right before it moves, so undo puts it back in its very place.
    doc.RecordUndo(link, kUndoDragged, group);
    doc.MoveNodeBefore(link, dropRow);
  }
  doc.ShowCurrentCategory();
  return true;
}

std::vector<LINKINFO*> MakeOrderPhysical(CVeskDoc& doc, std::vector<LINKINFO*> rows, int code) {
  SortLinks(rows, code);
  int order = 1;
  for (LINKINFO* link : rows) {
    link->m_nOrder = order++;
    doc.MoveNodeBefore(link, nullptr);
  }
  return rows;
}

std::vector<LINKINFO*> SortLinksByColumn(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                                         const std::vector<LINKINFO*>& selected, int active,
                                         int newCode) {
  if (newCode == active) return rows;
  if (rows.size() >= 2) RecordListOrder(doc, rows, selected);
  if (doc.GetCurrent()) doc.GetCurrent()->m_nSortMode = newCode;
  return MakeOrderPhysical(doc, rows, newCode);
}

std::vector<LINKINFO*> RandomSortLinks(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                                       const std::vector<LINKINFO*>& selected, unsigned seed) {
  if (rows.size() < 2) return rows;
  RecordListOrder(doc, rows, selected);
  CShortRandom random(seed);
  for (LINKINFO* link : rows) link->m_nOrder = random.Next();
  return MakeOrderPhysical(doc, rows, kSortManual);
}

std::vector<LINKINFO*> PlaceNewLink(CVeskDoc& doc, const std::vector<LINKINFO*>& rows,
                                    LINKINFO* newLink, int active, bool tail) {
  if (!tail) {
    if (rows.size() < 2) return rows;
    doc.MoveNodeBefore(newLink, rows.front());
    newLink->m_nOrder = 1;
    int order = 2;
    for (LINKINFO* link : rows) {
      if (link != newLink) link->m_nOrder = order++;
    }
  }
  return MakeOrderPhysical(doc, rows, active);
}

}  // namespace vesk
