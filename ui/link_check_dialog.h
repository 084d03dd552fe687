// The link check of the desktop program: the check with its progress dialog, then the report.
#pragma once

#include <functional>
#include <string>

class wxWindow;

namespace vesk {

class CVeskDoc;
struct LINKINFO;

// What the report asks of the main window.
struct LinkCheckActions {
  // Shows the link in the tree and the list, selected.
  std::function<void(LINKINFO*)> showLink;
  // Opens a URL (UTF-8) in the default browser.
  std::function<void(const std::string&)> openUrl;
};

// Checks every http(s) link of the current category and its subcategories off the user-interface
// thread, with a progress dialog that can cancel, then shows the report. The document is touched
// only here, on the user-interface thread, after the check.
void RunLinkCheck(wxWindow* parent, CVeskDoc& doc, const LinkCheckActions& actions);

}  // namespace vesk
