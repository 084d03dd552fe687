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

}  // namespace vesk
