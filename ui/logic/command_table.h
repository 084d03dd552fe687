// The command table of the main window: every command number with its menu text, prompt, owner
// and place in the menus and on the toolbar, independent of any toolkit.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vesk {

// Command numbers shared by the menus, the toolbar, the accelerators and the context menus.
enum CommandId : int {
  kCmdFileNew = 57600,
  kCmdFileOpen = 57601,
  kCmdFileSave = 57603,
  kCmdFileSaveAs = 57604,
  kCmdFileMru1 = 57616,  // 57616..57619: the four recent files
  kCmdAppExit = 57665,
  kCmdEditUndo = 57643,
  kCmdEditCut = 57635,
  kCmdEditCopy = 57634,
  kCmdEditPaste = 57637,
  kCmdEditFind = 57636,
  kCmdViewToolbar = 59392,
  kCmdViewStatusBar = 59393,
  kCmdHelpIndex = 57670,
  kCmdContextHelp = 57669,
  kCmdAppAbout = 57664,
  kCmdNextPane = 57680,
  kCmdPrevPane = 57681,
  kCmdNewCategory = 32771,
  kCmdChangeCategory = 32772,
  kCmdCategoryProperty = 32773,
  kCmdDeleteCategory = 32774,
  kCmdNewLink = 32775,
  kCmdChangeLink = 32776,
  kCmdLinkProperty = 32777,
  kCmdDeleteLink = 32778,
  kCmdCgiOutput = 32779,
  kCmdCsvOutput = 32780,
  kCmdHtmlOutput = 32781,
  kCmdSearchProgram = 32782,
  kCmdEmptyTrash = 32783,
  kCmdFindNext = 32784,
  kCmdEnvSettings = 32785,
  kCmdCgiSettings = 32786,
  kCmdHtmlSettings = 32787,
  kCmdRandomSort = 32789,
  kCmdReadDataFile = 32790,
  kCmdFavoritesImport = 32791,
  kCmdFavoritesExport = 32792,
  kCmdOpenBrowser = 32793,
  kCmdRenumber = 32794,
  kCmdMoveDown = 32795,
  kCmdMoveUp = 32796,
  kCmdBrowserPage = 32798,
  kCmdMailAdmin = 32799,
  kCmdCheckLinks = 32810,       // beyond the original set: the link check
  kCmdBookmarksImport = 32811,  // beyond the original set: browser bookmark files
  kCmdBookmarksExport = 32812,
  kCmdSearchPageOutput = 32813,  // beyond the original set: the search page without CGI
};

constexpr int kRecentFileCount = 4;

// Who answers a command. Later means the handler arrives with a later piece of the program; such
// commands are shown but stay disabled.
enum class CommandOwner { Framework, Document, Frame, App, View, Later, Never };

// One command. Texts are UTF-8 as written in the source; the toolkit side converts them once.
struct CommandInfo {
  int id;
  const char* text;    // menu text with its mnemonic and, after a TAB, the accelerator
  const char* prompt;  // status-bar prompt
  CommandOwner owner;
};

// One accelerator key: a key name as the toolkit-free side knows it, and its command.
struct AcceleratorInfo {
  bool ctrl;
  bool shift;
  const char* key;  // "B", "F1", "Down", "Tab", ...
  int command;
};

// A menu of the menu bar: its title and its items in order; 0 is a separator and kCmdFileMru1
// stands for the whole recent-file block.
struct MenuInfo {
  const char* title;
  std::vector<int> items;
};

// Every command of the program, in menu order followed by those that only the context menus,
// the toolbar or the accelerators reach.
const std::vector<CommandInfo>& CommandTable();
// The command with that number; null when there is none.
const CommandInfo* FindCommand(int id);
const std::vector<MenuInfo>& MainMenus();
// The toolbar buttons left to right; 0 is a separator.
const std::vector<int>& ToolbarButtons();
const std::vector<AcceleratorInfo>& Accelerators();

// The one mapping between command numbers and the toolkit's ids: toolkit id = base + offset.
// Offsets are small and dense so every toolkit id stays below 0x7FFF for any base up to 0x7000.
int CommandOffset(int command);                    // -1 for an unknown command
std::optional<int> CommandFromOffset(int offset);  // the inverse
constexpr int kCommandOffsetLimit = 0x100;

// The menu text of a recent-file entry: "&n " followed by the shortened path (Shift_JIS).
std::string RecentFileMenuText(int index, const std::string& shortened);

}  // namespace vesk
