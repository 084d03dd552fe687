// A view that records every hint and changes nothing: the document must be right without views.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "document/link_info.h"
#include "document/view_hints.h"

namespace vesk::test {

class ViewRecorder : public IDocView {
 public:
  void OnUpdate(ViewHint hint, LINKINFO* node) override {
    hints.emplace_back(hint, node);
    described.push_back(std::to_string(hint) + ":" + (node ? node->m_strTitle : ""));
    if (hint == kHintUndoCategorySwap || hint == kHintUndoLinkSwap) {
      swapRecords.push_back({node->m_pSelf, node->m_pUndoAux});
    }
    if (hint == kHintUndoCategoryMove) {
      movedBack.push_back({node->m_pSelf, node->m_pParent, node->m_pSelf->m_pUndoAux});
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
};

}  // namespace vesk::test
