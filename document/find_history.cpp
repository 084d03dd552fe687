#include "document/find_history.h"

namespace vesk {

FindControls ControlsFromMode(int mode) {
  FindControls c;
  c.currentCategory = (mode & kFindCurrentCategory) != 0;
  c.title = (mode & kFindTitle) != 0;
  c.url = (mode & kFindUrl) != 0;
  c.admin = (mode & kFindAdmin) != 0;
  c.email = (mode & kFindEmail) != 0;
  c.comment = (mode & kFindComment) != 0;
  c.keywords = (mode & kFindKeywords) != 0;
  return c;
}

int ModeFromControls(const FindControls& c) {
  int mode = 0;
  if (c.currentCategory) mode |= kFindCurrentCategory;
  if (c.title) mode |= kFindTitle;
  if (c.url) mode |= kFindUrl;
  if (c.admin) mode |= kFindAdmin;
  if (c.email) mode |= kFindEmail;
  if (c.comment) mode |= kFindComment;
  if (c.keywords) mode |= kFindKeywords;
  return mode;
}

std::vector<std::string> HistoryEntries(const std::string& tabJoined) {
  std::vector<std::string> entries;
  std::size_t start = 0;
  while (entries.size() < kFindHistorySize && start <= tabJoined.size()) {
    std::size_t tab = tabJoined.find('\t', start);
    std::string piece = tabJoined.substr(start, tab == std::string::npos ? tab : tab - start);
    if (piece.empty()) break;
    entries.push_back(std::move(piece));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return entries;
}

std::string JoinHistory(const std::vector<std::string>& entries) {
  std::string joined;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i) joined += '\t';
    joined += entries[i];
  }
  return joined;
}

FindDialogOutcome CloseFindDialog(const std::string& typed, const std::string& oldWords,
                                  const FindControls& controls) {
  FindDialogOutcome out;
  std::vector<std::string> entries = HistoryEntries(oldWords);
  if (!typed.empty()) {
    std::vector<std::string> fresh{typed};
    for (const std::string& word : entries) {
      if (fresh.size() == kFindHistorySize) break;
      if (word != typed) fresh.push_back(word);
    }
    entries = std::move(fresh);
  }
  out.words = JoinHistory(entries);
  out.mode = ModeFromControls(controls);
  return out;
}

}  // namespace vesk
