#include "document/child_index.h"

#include <unordered_set>
#include <utility>

namespace vesk {

CChildIndex::CChildIndex(const NodeList& list) {
  for (LINKINFO* node : list) {
    if (node->m_pParent) m_children[node->m_pParent].push_back(node);
  }
}

const std::vector<LINKINFO*>& CChildIndex::Children(const LINKINFO* parent) const {
  static const std::vector<LINKINFO*> none;
  auto it = m_children.find(parent);
  return it == m_children.end() ? none : it->second;
}

std::vector<LINKINFO*> CChildIndex::PostOrderBelow(const LINKINFO* root) const {
  std::vector<LINKINFO*> order;
  // A damaged file may link parents in a ring; each node is taken once all the same.
  std::unordered_set<const LINKINFO*> seen{root};
  std::vector<std::pair<LINKINFO*, std::size_t>> stack;
  const auto& top = Children(root);
  for (LINKINFO* child : top) {
    if (!seen.insert(child).second) continue;
    stack.emplace_back(child, 0);
    while (!stack.empty()) {
      auto& [node, next] = stack.back();
      const auto& kids = Children(node);
      if (next < kids.size()) {
        LINKINFO* kid = kids[next++];
        if (seen.insert(kid).second) stack.emplace_back(kid, 0);
      } else {
        order.push_back(node);
        stack.pop_back();
      }
    }
  }
  return order;
}

}  // namespace vesk
