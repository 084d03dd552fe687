#include "app/link_check/link_check_park.h"

#include <unordered_set>

#include "document/veskdoc.h"

namespace vesk {

std::size_t ParkLinksInWorkBox(CVeskDoc& doc, const std::vector<NodeId>& ids) {
  LINKINFO* workBox = doc.GetWorkBox();
  if (workBox == nullptr) return 0;
  std::vector<LINKINFO*> moving;
  std::unordered_set<const LINKINFO*> seen;
  for (const NodeId& id : ids) {
    LINKINFO* link = doc.NodeById(id);
    if (link == nullptr || link->IsCategory() || link->m_pParent == workBox) continue;
    if (seen.insert(link).second) moving.push_back(link);
  }
  if (moving.empty()) return 0;
  const int group = doc.BeginUndoGroup();
  // Recorded first, undone last: the list shows the current category again after the links are
  // back where they were.
  if (LINKINFO* shown = doc.GetCurrent()) doc.RecordUndo(shown, kUndoListAction, group);
  for (LINKINFO* link : moving) {
    doc.RecordUndo(link, kUndoReparented, group);
    link->m_pParent = workBox;
  }
  doc.ShowCurrentCategory();
  return moving.size();
}

}  // namespace vesk
