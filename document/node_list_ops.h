// Constant-time moves inside the document's node list that keep each node's own position current.
#pragma once

#include "document/link_info.h"

namespace vesk {

// Takes a node out of the list; its position becomes meaningless.
inline void UnlinkNode(NodeList& list, LINKINFO* node) {
  if (!node->m_bInList) return;
  list.erase(node->m_posSelf);
  node->m_posSelf = NodePos{};
  node->m_bInList = false;
}

// Puts a node that is not in the list in front of where (list.end() = at the end).
inline void LinkNodeBefore(NodeList& list, LINKINFO* node, NodePos where) {
  node->m_posSelf = list.insert(where, node);
  node->m_bInList = true;
}

// Moves a node that is in the list in front of where; positions of all nodes stay valid.
inline void SpliceNodeBefore(NodeList& list, LINKINFO* node, NodePos where) {
  if (node->m_posSelf == where) return;
  list.splice(where, list, node->m_posSelf);
}

// Where a node stands, or list.end() for null.
inline NodePos PositionOf(NodeList& list, const LINKINFO* node) {
  return node ? node->m_posSelf : list.end();
}

}  // namespace vesk
