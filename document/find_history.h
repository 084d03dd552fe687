// The search dialog's rules as plain functions: its word history and the "Mode" word.
#pragma once

#include <string>
#include <vector>

namespace vesk {

// Bits of the "Mode" word (the field bits are shared with the link flag word where they overlap).
enum FindModeBits : int {
  kFindCurrentCategory = 0x100,
  kFindTitle = 0x200,
  kFindComment = 0x400,
  kFindUrl = 0x800,
  kFindKeywords = 0x1000,
  kFindAdmin = 0x2000,
  kFindEmail = 0x4000,
};
constexpr int kDefaultFindMode = kFindTitle;
constexpr std::size_t kFindHistorySize = 10;
// Longest search text OK accepts, and the longest the field takes while typing (bytes).
constexpr std::size_t kFindTextLimit = 256;
constexpr std::size_t kFindFieldLimit = 512;

// The scope radio buttons and the six field check boxes.
struct FindControls {
  bool currentCategory = false;  // "現在のカテゴリー"; off = "全てのカテゴリー"
  bool title = false;
  bool url = false;
  bool admin = false;
  bool email = false;
  bool comment = false;
  bool keywords = false;
};

FindControls ControlsFromMode(int mode);
int ModeFromControls(const FindControls& controls);

// The drop-down entries of a TAB-joined word list: at most ten, ending at the first empty one.
std::vector<std::string> HistoryEntries(const std::string& tabJoined);
std::string JoinHistory(const std::vector<std::string>& entries);

// What the dialog gives back when its window closes.
struct FindDialogOutcome {
  std::string words;  // TAB-joined, newest first, at most ten
  int mode = 0;
};

// typed is the text taken by OK (empty after Cancel); oldWords the list the dialog was opened
// with. A non-empty text goes to the front and an equal older entry (same bytes) is dropped.
FindDialogOutcome CloseFindDialog(const std::string& typed, const std::string& oldWords,
                                  const FindControls& controls);

}  // namespace vesk
