// Enabling rules of the main window's commands as functions of the document's state.
#pragma once

#include <optional>

#include "ui/logic/category_tree_rules.h"

namespace vesk {

// What the enabling rules look at; the frame fills it from the document at the moment of asking.
struct CommandState {
  bool canUndo = false;           // the undo history is not empty
  bool canFindNext = false;       // a find position is kept
  bool inTrash = false;           // the current category is the trash or lies below it
  bool trashHasChildren = false;  // the trash holds at least one node
  bool labelEditing = false;      // a category name is being edited in place
  int recentFiles = 0;            // entries of the recent-file list
  bool toolbarShown = true;
  bool statusBarShown = true;
  // The view commands (cut, copy, paste, change, delete, move up/down) go to the pane that has
  // the focus: the tree's state when it is the tree; the list's commands come with the list.
  bool treeActive = false;
  TreeState tree;
};

// Whether the command may run now. Commands whose handler is not there yet, and the property
// entries of the context menus, are always disabled.
bool IsCommandEnabled(int command, const CommandState& state);
// Whether the command's menu item carries a check mark (the two show/hide commands).
bool IsCommandChecked(int command, const CommandState& state);

// What the link list's rules look at.
struct ListCommandState {
  int selected = 0;            // selected rows
  bool selectedFirst = false;  // the one selected row is the first row
  bool selectedLast = false;   // the one selected row is the last row
  bool clipboard = false;      // the list's clipboard holds a link
  bool inTrash = false;
  bool trashHasChildren = false;
};

// The rule of a link-list command from the menus, the toolbar and the keys; nullopt for a
// command that is not the list's.
std::optional<bool> IsListCommandEnabled(int command, const ListCommandState& state);
// The rule of an entry of the list's context menu, which looks at the selection more closely.
bool IsListMenuItemEnabled(int command, const ListCommandState& state);

}  // namespace vesk
