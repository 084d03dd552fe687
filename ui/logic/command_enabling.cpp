#include "ui/logic/command_enabling.h"

#include "ui/logic/command_table.h"

namespace vesk {

bool IsCommandEnabled(int command, const CommandState& state) {
  const CommandInfo* info = FindCommand(command);
  if (info == nullptr) return false;
  if (info->owner == CommandOwner::Later || info->owner == CommandOwner::Never) return false;
  if (info->owner == CommandOwner::View) {
    return state.treeActive && TreeCommandEnabled(command, state.tree).value_or(false);
  }
  if (command >= kCmdFileMru1 && command < kCmdFileMru1 + kRecentFileCount) {
    return command - kCmdFileMru1 < state.recentFiles;
  }
  switch (command) {
    case kCmdEditUndo:
      return state.canUndo;
    case kCmdFindNext:
      return state.canFindNext;
    case kCmdEmptyTrash:
      return state.trashHasChildren;
    case kCmdNewCategory:
      return !state.inTrash;
    case kCmdNewLink:
      return !state.inTrash && !state.labelEditing;
    default:
      return true;
  }
}

bool IsCommandChecked(int command, const CommandState& state) {
  if (command == kCmdViewToolbar) return state.toolbarShown;
  if (command == kCmdViewStatusBar) return state.statusBarShown;
  return false;
}

std::optional<bool> IsListCommandEnabled(int command, const ListCommandState& s) {
  switch (command) {
    case kCmdChangeLink:
    case kCmdDeleteLink:
    case kCmdRandomSort:
    case kCmdOpenBrowser:
    case kCmdMailAdmin:
      return true;
    case kCmdEditCut:
      return s.selected >= 1 && !s.inTrash;
    case kCmdEditCopy:
      return s.selected == 1 && !s.inTrash;
    case kCmdEditPaste:
      return s.clipboard && !s.inTrash;
    case kCmdMoveDown:
      return s.selected == 1 && !s.selectedLast && !s.inTrash;
    case kCmdMoveUp:
      return s.selected == 1 && !s.selectedFirst && !s.inTrash;
    default:
      return std::nullopt;
  }
}

bool IsListMenuItemEnabled(int command, const ListCommandState& s) {
  switch (command) {
    case kCmdNewLink:
    case kCmdBrowserPage:
      return true;
    case kCmdChangeLink:
    case kCmdOpenBrowser:
    case kCmdMailAdmin:
      return s.selected == 1;
    case kCmdDeleteLink:
    case kCmdEditCut:
    case kCmdEditCopy:
      return s.selected >= 1;
    case kCmdEditPaste:
      return s.clipboard;
    case kCmdEmptyTrash:
      return s.trashHasChildren;
    default:
      return false;
  }
}

}  // namespace vesk
