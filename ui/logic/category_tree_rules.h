// The toolkit-free rules of the category tree: which of its commands may run, what its context
// menu offers, which drags and drops it accepts, what its keys do and what a rename stores.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vesk {

class CVeskDoc;
struct LINKINFO;

// What the selected item is, as far as the rules care.
enum class TreeRole { None, Top, WorkBox, Trash, Other };

// The tree's state at the moment a rule is asked.
struct TreeState {
  TreeRole role = TreeRole::None;
  bool inTrash = false;  // the current category is the trash or lies below it
  bool hasPrevSibling = false;
  bool hasNextSibling = false;
  bool clipboardFull = false;
  bool trashHasChildren = false;
};

// Reads the state for the selected category (null: nothing selected) from the document.
TreeState TreeStateOf(CVeskDoc& doc, LINKINFO* selected, bool clipboardFull);

// Enabling of the commands the tree answers (cut, copy, paste, change, delete, move up and
// down); nothing for other commands.
std::optional<bool> TreeCommandEnabled(int command, const TreeState& state);

// One entry of a context menu; text is UTF-8.
struct TreeMenuEntry {
  int command;
  const char* text;
  bool enabled;
};

// The right-click menu: "DustBox" inside the trash, "TreeMenu" elsewhere.
struct TreeContextMenu {
  const char* name;
  std::vector<TreeMenuEntry> entries;
};
TreeContextMenu TreeContextMenuFor(const TreeState& state);

// The three fixed categories cannot be dragged.
bool CanDragCategory(const CVeskDoc& doc, const LINKINFO* category);
// A drop is refused on the dragged category itself, inside its subtree and on its parent.
bool CanDropCategory(const CVeskDoc& doc, const LINKINFO* dragged, const LINKINFO* target);

// In-place rename may start except on the work box and inside the trash.
bool CanStartRename(const TreeState& state);
// The Shift_JIS name a finished rename stores, or nothing: empty, unchanged, longer than 256
// bytes, or holding a character Shift_JIS lacks.
std::optional<std::string> AcceptedLabel(const std::string& utf8Text,
                                         const std::string& currentTitle);

// What a key pressed in the tree does.
enum class TreeKeyAction { None, Change, Cut, Copy, Paste, Undo, Rename };
// Keys as the rules know them; letters are their capital ASCII code.
constexpr int kTreeKeyEnter = 0x10001;
constexpr int kTreeKeyDelete = 0x10002;
constexpr int kTreeKeyF2 = 0x10003;

// Remembers the last key pressed, so a Ctrl+letter held down acts once.
class CTreeKeys {
 public:
  // A key went down; returns the action to run now.
  TreeKeyAction KeyDown(int key, bool ctrl);
  // Any key went up.
  void KeyUp() { m_lastKey = 0; }

 private:
  int m_lastKey = 0;
};

}  // namespace vesk
