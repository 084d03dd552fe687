// The promise every browser-profile reader keeps, checked by its fuzz target: a page found has
// the reader's own source, a URL the capture accepts and a title within the cap.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

#include "app/capture/browser_page.h"

namespace vesk::fuzz {

inline void CheckBrowserPage(const std::optional<BrowserPage>& page, const char* source) {
  if (page && (!IsCapturableUrl(page->url) || page->source != source ||
               page->title.size() > kMaxCapturedTitle))
    std::abort();
}

}  // namespace vesk::fuzz
