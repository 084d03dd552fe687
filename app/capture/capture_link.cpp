#include "app/capture/capture_link.h"

#include "app/capture/browser_capture.h"
#include "document/veskdoc.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"
#include "text/outside_text.h"

namespace vesk {

std::string UrlToCp932(const std::string& utf8) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out, converted;
  for (std::size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    std::size_t len = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + len > utf8.size()) len = 1;
    const std::string ch = utf8.substr(i, len);
    if (Utf8ToCp932(ch, converted) && !converted.empty()) {
      out += converted;
    } else {
      for (unsigned char b : ch) {
        out += '%';
        out += kHex[b >> 4];
        out += kHex[b & 0x0F];
      }
    }
    i += len;
  }
  return out;
}

LINKINFO* CreateCapturedLink(CVeskDoc& doc, const BrowserPage& page) {
  // Without a current category the link would belong nowhere.
  if (doc.GetCurrent() == nullptr) return nullptr;
  // A page may show a script address; as a link on the site it would run on the visitor's side.
  if (IsScriptUrl(page.url)) {
    doc.UI().MessageBox(ResFormat(kIdsScriptUrlsSkipped, "1"), MbButtons::Ok, MbIcon::Information);
    return nullptr;
  }
  LINKINFO* link = doc.CreateNode(1);
  if (link == nullptr) return nullptr;
  link->m_strURL = OutsideUrl(UrlToCp932(page.url));
  // The browser showed the title as text; the pages publish it as HTML.
  link->m_strTitle = EscapeHtmlText(ToCp932(CleanTitle(page.title)));
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
