// The children of every category, built in one walk of the node list, for bulk operations that
// must not rescan the whole list once per node.
#pragma once

#include <unordered_map>
#include <vector>

#include "document/link_info.h"

namespace vesk {

// Parent → its children in node-list order, as of the moment of building.
class CChildIndex {
 public:
  explicit CChildIndex(const NodeList& list);

  // The children of parent in list order (empty when it has none).
  const std::vector<LINKINFO*>& Children(const LINKINFO* parent) const;
  // The whole subtree below root (root excluded), each node after its own descendants and
  // siblings in list order: the order in which removing "first child first" takes nodes away.
  std::vector<LINKINFO*> PostOrderBelow(const LINKINFO* root) const;

 private:
  std::unordered_map<const LINKINFO*, std::vector<LINKINFO*>> m_children;
};

}  // namespace vesk
