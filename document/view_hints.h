// Numbered notifications from the document to its views, and the view interface that receives them.
#pragma once

namespace vesk {

struct LINKINFO;

enum ViewHint : int {
  kHintStoreExpanded = 101,
  kHintAddCategory = 102,
  kHintSelectCategory = 103,
  kHintUndoCategoryMove = 104,
  kHintUndoCategorySwap = 105,
  kHintCategoryText = 106,
  kHintDeleteCategory = 107,
  kHintRestoreCategory = 108,
  kHintExpandCategories = 109,
  kHintEmptyTrash = 200,
  kHintShowCategory = 300,
  kHintAddLink = 301,
  kHintAddSelectLink = 302,
  kHintDeselectAll = 303,
  kHintRemoveLink = 304,
  kHintLinkText = 305,
  kHintUndoLinkSwap = 306,
  kHintNewLink = 307,
  kHintColumnsChanged = 308,
};

// A view of the document (tree, list, or a recording fake in tests).
class IDocView {
 public:
  virtual ~IDocView() = default;
  virtual void OnUpdate(int hint, LINKINFO* node) = 0;
};

}  // namespace vesk
