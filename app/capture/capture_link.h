// The link made from a browser's page: the capture command and drops of links from a browser.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/capture/browser_page.h"

namespace vesk {

class CVeskDoc;
struct LINKINFO;

// Creates a link in the current category with the page's URL and title (Shift_JIS; a
// character without a form there becomes '?'; the title stored as HTML that shows it), records it
// as one undo group (operation 100) and lets the list place and select it (hint 307). Null when
// there is no current category, the page's address would run a script (told), or the document
// refuses a new node (it has told the user).
LINKINFO* CreateCapturedLink(CVeskDoc& doc, const BrowserPage& page);

// The capture command: the page that find returns becomes a link; none: a beep, no link.
LINKINFO* OnBrowserPage(CVeskDoc& doc, const std::function<std::optional<BrowserPage>()>& find);

// A link dropped on a category: that category is shown first (as a click on it would), then
// the link is made there. Null when the category is not one the document holds.
LINKINFO* CreateDroppedLink(CVeskDoc& doc, LINKINFO* category, const BrowserPage& page);

}  // namespace vesk
