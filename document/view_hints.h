// Numbered notifications from the document to its views, and the view interface that receives them.
#pragma once

#include <optional>

namespace vesk {

struct LINKINFO;

enum ViewHint : int {
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
  // Between the list and the tree, through the document: links are being dragged.
  kHintLinkDragStarted = 400,
  kHintLinkDragMoved = 401,
  kHintLinkDragReleased = 402,
  kHintLinksDropped = 403,  // the tree's answer to a release on a category (node: the category)
};

// A view of the document (tree, list, or a recording fake in tests).
class IDocView {
 public:
  virtual ~IDocView() = default;
  virtual void OnUpdate(ViewHint hint, LINKINFO* node) = 0;
  // Whether the view shows category expanded; nothing when it does not show it. Asked for every
  // category when the document is saved.
  virtual std::optional<bool> IsCategoryExpanded(const LINKINFO* /*category*/) const {
    return std::nullopt;
  }
};

}  // namespace vesk
