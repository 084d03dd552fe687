#include "app/capture/capture_link.h"

#include "app/capture/browser_capture.h"
#include "document/dialog_rules.h"
#include "document/veskdoc.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"
#include "text/encoding.h"
#include "text/outside_text.h"

namespace vesk {

namespace {

// The title stored as HTML, cut at a whole character so that the stored text fits the link
// sheet's title field: a page's title can be longer than any field takes.
std::string StoredTitle(const std::string& cp932) {
  std::string out;
  for (std::size_t i = 0; i < cp932.size();) {
    const std::size_t len = MbsCharLen(cp932, i);
    const std::string escaped = EscapeHtmlText(cp932.substr(i, len));
    if (out.size() + escaped.size() > kLinkTextLimit) break;
    out += escaped;
    i += len;
  }
  return out;
}

}  // namespace

LINKINFO* CreateCapturedLink(CVeskDoc& doc, const BrowserPage& page) {
  // Without a current category the link would belong nowhere.
  if (doc.GetCurrent() == nullptr) return nullptr;
  // A page may show a script address; as a link on the site it would run on the visitor's side.
  if (IsScriptUrl(page.url)) {
    doc.UI().MessageBox(ResFormat(kIdsScriptUrlsSkipped, "1"), MbButtons::Ok, MbIcon::Information);
    return nullptr;
  }
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  if (link == nullptr) return nullptr;
  link->m_strURL = OutsideUrl(UrlToCp932(page.url));
  // The browser showed the title as text; the pages publish it as HTML.
  link->m_strTitle = StoredTitle(ToCp932(CleanTitle(page.title)));
  const int group = doc.BeginUndoGroup();
  doc.RecordUndo(link, kUndoCreated, group);
  doc.UpdateAllViews(kHintNewLink, link);
  return link;
}

LINKINFO* OnBrowserPage(CVeskDoc& doc, const std::function<std::optional<BrowserPage>()>& find) {
  std::optional<BrowserPage> page = find ? find() : std::nullopt;
  if (!page) {
    doc.UI().Beep();
    return nullptr;
  }
  return CreateCapturedLink(doc, *page);
}

LINKINFO* CreateDroppedLink(CVeskDoc& doc, LINKINFO* category, const BrowserPage& page) {
  if (category == nullptr || !doc.Contains(category) || !category->IsCategory()) return nullptr;
  if (category != doc.GetCurrent()) {
    // The tree follows the hint and makes it current; without a tree the document does.
    doc.SelectCategory(category, false);
    if (category != doc.GetCurrent()) doc.SelectCategory(category, true);
  }
  return CreateCapturedLink(doc, page);
}

}  // namespace vesk
