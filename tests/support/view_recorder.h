// A view that records every hint. Given the document, it also answers the hints the way the
// tree and the list do: 103 selects the category, an undone move up/down is swapped back.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "document/veskdoc.h"
#include "document/view_commands.h"
#include "document/view_hints.h"

namespace vesk::test {

class ViewRecorder : public IDocView {
 public:
  ViewRecorder() = default;
  explicit ViewRecorder(CVeskDoc& doc) : m_doc(&doc) {}

  void OnUpdate(int hint, LINKINFO* node) override {
    hints.emplace_back(hint, node);
    described.push_back(std::to_string(hint) + ":" + (node ? node->m_strTitle : ""));
    if (m_doc == nullptr) return;
    if (hint == kHintSelectCategory && actAsTree) m_doc->SelectCategory(node, true);
    if (hint == kHintUndoCategorySwap || hint == kHintUndoLinkSwap) {
      swapRecords.push_back({node->m_pSelf, node->m_pUndoAux});
      SwapBackForUndo(*m_doc, node);
    }
    if (hint == kHintUndoCategoryMove) {
      movedBack.push_back({node->m_pSelf, node->m_pParent, node->m_pSelf->m_pUndoAux});
      movedBackItems.push_back(node->m_hTreeItem);
    }
  }
  // The hint numbers in order.
  std::vector<int> Codes() const {
    std::vector<int> out;
    for (const auto& h : hints) out.push_back(h.first);
    return out;
  }
  bool Saw(int hint) const {
    for (const auto& h : hints)
      if (h.first == hint) return true;
    return false;
  }
  void Clear() {
    hints.clear();
    described.clear();
  }

  std::vector<std::pair<int, LINKINFO*>> hints;
  std::vector<std::string> described;  // "hint:title" as the node was at the hint
  std::vector<std::pair<LINKINFO*, LINKINFO*>> swapRecords;
  struct MoveBack {
    LINKINFO* live;
    LINKINFO* parent;
    LINKINFO* sibling;
  };
  std::vector<MoveBack> movedBack;
  std::vector<std::uintptr_t> movedBackItems;
  bool actAsTree = true;

 private:
  CVeskDoc* m_doc = nullptr;
};

}  // namespace vesk::test
