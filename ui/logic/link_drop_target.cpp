#include "ui/logic/link_drop_target.h"

#include "document/veskdoc.h"

namespace vesk {

void CLinkDropTarget::Start() {
  m_dragging = true;
  m_imageShown = false;
  m_target = NodeId();
}

LinkDragLook CLinkDropTarget::Move(const LinkDragPointer& at) {
  if (!m_dragging) return Look();
  if (!at.inside) {
    m_imageShown = false;
    m_target = NodeId();
  } else if (!m_imageShown) {
    // Coming in: the image appears first; the next move picks the target.
    m_imageShown = true;
  } else if (at.over != nullptr && at.over->IsCategory()) {
    m_target = m_doc.IdOf(at.over);
  }
  return Look();
}

LINKINFO* CLinkDropTarget::Release(const LinkDragPointer& at) {
  if (!m_dragging) return nullptr;
  LINKINFO* target = at.inside ? m_doc.NodeById(m_target) : nullptr;
  m_dragging = false;
  m_imageShown = false;
  m_target = NodeId();
  if (target == nullptr || !m_doc.Contains(target)) return nullptr;
  m_doc.UpdateAllViews(kHintLinksDropped, target);
  return target;
}

LinkDragLook CLinkDropTarget::Look() const {
  return {m_imageShown, m_dragging ? m_doc.NodeById(m_target) : nullptr};
}

}  // namespace vesk
