#include "ui/logic/category_tree_rules.h"

#include "document/dialog_rules.h"
#include "document/veskdoc.h"
#include "document/view_commands.h"
#include "text/encoding.h"
#include "ui/logic/command_table.h"

namespace vesk {
namespace {

bool IsInSubtree(const LINKINFO* node, const LINKINFO* root, std::size_t limit) {
  // Bounded: parent chains from a damaged file may loop.
  for (std::size_t steps = 0; node != nullptr && steps <= limit; node = node->m_pParent, ++steps) {
    if (node == root) return true;
  }
  return false;
}

// Cut and copy: never the top or the work box, never inside the trash (the trash included).
bool CanTakeOut(const TreeState& s) {
  return s.role != TreeRole::None && s.role != TreeRole::Top && s.role != TreeRole::WorkBox &&
         !s.inTrash;
}

}  // namespace

TreeState TreeStateOf(CVeskDoc& doc, LINKINFO* selected, bool clipboardFull) {
  TreeState s;
  s.clipboardFull = clipboardFull;
  s.inTrash = doc.IsInTrash();
  s.trashHasChildren = doc.TrashHasChildren();
  if (selected == nullptr) return s;
  if (selected == doc.GetTopCategory()) {
    s.role = TreeRole::Top;
  } else if (selected == doc.GetWorkBox()) {
    s.role = TreeRole::WorkBox;
  } else if (selected == doc.GetTrash()) {
    s.role = TreeRole::Trash;
  } else {
    s.role = TreeRole::Other;
    s.hasPrevSibling = NeighbourCategory(doc, selected, -1) != nullptr;
    s.hasNextSibling = NeighbourCategory(doc, selected, +1) != nullptr;
  }
  return s;
}

std::optional<bool> TreeCommandEnabled(int command, const TreeState& s) {
  switch (command) {
    case kCmdEditCut:
    case kCmdEditCopy:
      return CanTakeOut(s);
    case kCmdEditPaste:
      return s.clipboardFull && !s.inTrash;
    case kCmdChangeCategory:
    case kCmdDeleteCategory:
      // Always offered; the action itself refuses (silently or with a beep).
      return true;
    case kCmdMoveDown:
      return CanTakeOut(s) && s.role == TreeRole::Other && s.hasNextSibling;
    case kCmdMoveUp:
      return CanTakeOut(s) && s.role == TreeRole::Other && s.hasPrevSibling;
    default:
      return std::nullopt;
  }
}

TreeContextMenu TreeContextMenuFor(const TreeState& s) {
  if (s.inTrash) return {"DustBox", {{kCmdEmptyTrash, "ごみ箱を空にする", s.trashHasChildren}}};
  const bool work = s.role == TreeRole::WorkBox;
  return {"TreeMenu",
          {{kCmdNewCategory, "新規作成-カテゴリー", true},
           {kCmdChangeCategory, "カテゴリーの内容変更", !work},
           {kCmdDeleteCategory, "カテゴリーの削除", !work && s.role != TreeRole::Top},
           {kCmdCategoryProperty, "プロパティ", false}}};
}

bool CanDragCategory(const CVeskDoc& doc, const LINKINFO* category) {
  return category != nullptr && !doc.IsFixedCategory(category);
}

bool CanDropCategory(const CVeskDoc& doc, const LINKINFO* dragged, const LINKINFO* target) {
  if (!CanDragCategory(doc, dragged) || target == nullptr || !target->IsCategory()) return false;
  if (target == dragged->m_pParent) return false;
  return !IsInSubtree(target, dragged, doc.GetNodeList().size());
}

bool CanStartRename(const TreeState& s) {
  return s.role != TreeRole::None && s.role != TreeRole::WorkBox && !s.inTrash;
}

std::optional<std::string> AcceptedLabel(const std::string& utf8Text,
                                         const std::string& currentTitle) {
  std::string cp932;
  if (!Utf8ToCp932(utf8Text, cp932)) return std::nullopt;
  if (cp932.empty() || cp932.size() > kCategoryNameField.limit || cp932 == currentTitle)
    return std::nullopt;
  return cp932;
}

TreeKeyAction CTreeKeys::KeyDown(int key, bool ctrl) {
  const bool repeated = key == m_lastKey;
  m_lastKey = key;
  if (!ctrl) {
    if (key == kTreeKeyEnter) return TreeKeyAction::Change;
    if (key == kTreeKeyDelete) return TreeKeyAction::Cut;
    if (key == kTreeKeyF2) return TreeKeyAction::Rename;
    return TreeKeyAction::None;
  }
  TreeKeyAction action = TreeKeyAction::None;
  switch (key) {
    case 'X':
      action = TreeKeyAction::Cut;
      break;
    case 'C':
      action = TreeKeyAction::Copy;
      break;
    case 'V':
      action = TreeKeyAction::Paste;
      break;
    case 'Z':
      action = TreeKeyAction::Undo;
      break;
    default:
      break;
  }
  return repeated ? TreeKeyAction::None : action;
}

}  // namespace vesk
