// The page a browser shows, as the capture found it.
#pragma once

#include <string>

namespace vesk {

// URL and title in UTF-8, and the name of the source that answered ("firefox", "chromium",
// "chromium-devtools", "clipboard", "drop").
struct BrowserPage {
  std::string url;
  std::string title;
  std::string source;
};

// Whether the text is one URL a link can be made of: no control characters or spaces, a scheme
// and something after it. Session files and clipboards are outside input; anything else is no
// page.
bool IsCapturableUrl(const std::string& url);

}  // namespace vesk
