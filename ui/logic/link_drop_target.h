// The category tree as the drop target of links dragged out of the link list: the list's hints
// 400-402 drive it, and a release over a category answers with hint 403, which the list turns
// into the move of its selected links.
#pragma once

#include "document/node_store.h"

namespace vesk {

class CVeskDoc;
struct LINKINFO;

// Where the pointer stands, as the tree's hit test finds it.
struct LinkDragPointer {
  bool inside = false;       // within the tree's client area
  LINKINFO* over = nullptr;  // the category of the item under the pointer; null: no item
};

// What the tree shows after a step of the drag.
struct LinkDragLook {
  bool imageShown = false;
  LINKINFO* highlight = nullptr;  // the category to drop-highlight; null: none
};

// The drag state of the tree while links are dragged. Categories are held by id, so a category
// freed during the drag is no target.
class CLinkDropTarget {
 public:
  explicit CLinkDropTarget(CVeskDoc& doc) : m_doc(doc) {}

  // Hint 400: nothing shown, no target.
  void Start();
  // Hint 401. Outside the tree the image and the highlight go, and so does the target: a
  // release can only land on the category shown highlighted.
  LinkDragLook Move(const LinkDragPointer& at);
  // Hint 402: ends the drag; released inside the tree with a target, sends hint 403 with it and
  // returns it, else returns null.
  LINKINFO* Release(const LinkDragPointer& at);

  bool Dragging() const { return m_dragging; }
  LinkDragLook Look() const;

 private:
  CVeskDoc& m_doc;
  bool m_dragging = false;
  bool m_imageShown = false;
  NodeId m_target;
};

}  // namespace vesk
