// The page a browser shows, as the capture found it.
#pragma once

#include <cstddef>
#include <string>

namespace vesk {

// URL and title in UTF-8, and the name of the source that answered ("firefox", "chromium",
// "chromium-devtools", "clipboard", "drop").
struct BrowserPage {
  std::string url;
  std::string title;
  std::string source;
};

// The longest title the readers keep, in UTF-8 bytes: more than a link's title field takes even
// after conversion, and a page cannot make a capture hold a title of megabytes.
constexpr std::size_t kMaxCapturedTitle = 1024;
// The longest URL a link is made of.
constexpr std::size_t kMaxCapturedUrl = 8192;

// The title cut to at most kMaxCapturedTitle bytes, at a character's start.
std::string CapTitle(std::string title);

// Whether the text is one URL a link can be made of: no control characters or spaces, a scheme
// and something after it. Session files and clipboards are outside input; anything else is no
// page.
bool IsCapturableUrl(const std::string& url);

}  // namespace vesk
