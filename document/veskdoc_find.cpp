// Find and Find Next over the links of the document.
#include <iterator>
#include <utility>

#include "document/find_history.h"
#include "document/progress_report.h"
#include "document/veskdoc.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

namespace vesk {
namespace {

bool IsCp932Lead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// Byte-exact search that only tries character starts, so a hit never begins on a trail byte.
bool ContainsAtCharStart(const std::string& hay, const std::string& needle) {
  if (needle.size() > hay.size()) return false;
  const std::size_t last = hay.size() - needle.size();
  for (std::size_t i = 0; i <= last;) {
    if (hay.compare(i, needle.size(), needle) == 0) return true;
    i += (IsCp932Lead(static_cast<unsigned char>(hay[i])) && i + 1 < hay.size()) ? 2 : 1;
  }
  return false;
}

// The selected texts of a link in their fixed order, one TAB between each two.
std::string SearchedText(const LINKINFO& link, int mode) {
  const std::pair<int, const std::string*> fields[] = {
      {kFindTitle, &link.m_strTitle},     {kFindUrl, &link.m_strURL},
      {kFindAdmin, &link.m_strAdmin},     {kFindEmail, &link.m_strEmail},
      {kFindComment, &link.m_strComment}, {kFindKeywords, &link.m_strKeywords},
  };
  std::string joined;
  bool first = true;
  for (const auto& [bit, text] : fields) {
    if (!(mode & bit)) continue;
    if (!first) joined += '\t';
    joined += *text;
    first = false;
  }
  return joined;
}

}  // namespace

bool CVeskDoc::IsFindHit(const LINKINFO* node, const std::string& text, int mode) const {
  // An empty text is never searched (it would match every link).
  if (node->IsCategory() || text.empty()) return false;
  return ContainsAtCharStart(SearchedText(*node, mode), text);
}

void CVeskDoc::ShowFindHit(LINKINFO* node) {
  if (node->m_pParent != m_pCurrent) SelectCategory(node->m_pParent, false);
  UpdateAllViews(kHintDeselectAll, nullptr);
  UpdateAllViews(kHintAddSelectLink, node);
}

bool CVeskDoc::MatchLink(LINKINFO* node, const std::string& text, int mode) {
  AssertHeld(node);
  if (!IsFindHit(node, text, mode)) return false;
  ShowFindHit(node);
  return true;
}

LINKINFO* CVeskDoc::FindFrom(const std::string& text, int mode, LINKINFO* start, bool* stopped) {
  AssertHeld(start);
  if (stopped) *stopped = false;
  // A start that has left the list (emptied, undone) searches the whole list once.
  const NodePos from = Contains(start) ? start->m_posSelf : m_pNodeList.end();
  const bool whole = from == m_pNodeList.end();
  LINKINFO* hit = nullptr;
  {
    // Reading only, so the search may stop at any node.
    CProgressReport progress(m_ui, ProgressStep::Find,
                             whole ? m_pNodeList.size() : m_pNodeList.size() - 1, true);
    auto examine = [&](LINKINFO* node) {
      if (!progress.Advance()) return true;
      if ((mode & kFindCurrentCategory) && node->m_pParent != m_pCurrent) return false;
      if (!IsFindHit(node, text, mode)) return false;
      hit = node;
      return true;
    };
    auto search = [&]() {
      if (whole) {
        for (LINKINFO* node : m_pNodeList) {
          if (examine(node)) return;
        }
        return;
      }
      for (auto it = std::next(from); it != m_pNodeList.end(); ++it) {
        if (examine(*it)) return;
      }
      for (auto it = m_pNodeList.begin(); it != from; ++it) {
        if (examine(*it)) return;
      }
    };
    search();
    if (progress.Cancelled()) {
      if (stopped) *stopped = true;
      return nullptr;
    }
  }
  // Shown once the progress is closed, so the hit's category is not switched behind it.
  if (hit) ShowFindHit(hit);
  return hit;
}

void CVeskDoc::OnFind() {
  FindDialogState state;
  state.history = JoinHistory(HistoryEntries(m_settings.GetSearchWords()));
  state.mode = m_settings.GetSearchMode();
  if (!m_ui.RunFindDialog(state)) return;
  if (!state.text.empty()) {
    bool stopped = false;
    LINKINFO* hit = FindFrom(state.text, state.mode, nullptr, &stopped);
    // A search the user stopped found nothing yet: the last hit stays, and no box says "none".
    if (!stopped) {
      m_posFind = hit;
      m_bFindKept = hit != nullptr;
      if (!hit) m_ui.MessageBox(ResString(kIdsFindNotFound), MbButtons::Ok, MbIcon::Information);
    }
    // Applying the rule again to a list the dialog already updated leaves it as it is.
    m_settings.SetSearchWords(
        CloseFindDialog(state.text, state.history, ControlsFromMode(state.mode)).words);
  }
  m_settings.SetSearchMode(state.mode);
}

void CVeskDoc::OnFindNext() {
  if (!m_bFindKept) return;
  const std::vector<std::string> words = HistoryEntries(m_settings.GetSearchWords());
  const std::string text = words.empty() ? std::string() : words.front();
  bool stopped = false;
  LINKINFO* hit = FindFrom(text, m_settings.GetSearchMode(), m_posFind, &stopped);
  if (hit) {
    m_posFind = hit;
  } else if (!stopped) {
    m_ui.MessageBox(ResString(kIdsFindNoMore), MbButtons::Ok, MbIcon::Information);
  }
}

}  // namespace vesk
