#include "app/capture/browser_page.h"

#include <cctype>

namespace vesk {

std::string CapTitle(std::string title) {
  if (title.size() <= kMaxCapturedTitle) return title;
  std::size_t end = kMaxCapturedTitle;
  // Back to the start of a UTF-8 character, so the cut leaves no broken one behind.
  while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;
  title.resize(end);
  return title;
}

bool IsCapturableUrl(const std::string& url) {
  // A URL longer than this is not one a person links to; it only burdens the document.
  if (url.empty() || url.size() > kMaxCapturedUrl) return false;
  for (unsigned char c : url) {
    if (c <= 0x20 || c == 0x7F) return false;
  }
  const std::size_t colon = url.find(':');
  if (colon == std::string::npos || colon == 0 || colon + 1 == url.size()) return false;
  if (!std::isalpha(static_cast<unsigned char>(url[0]))) return false;
  for (std::size_t i = 1; i < colon; ++i) {
    const unsigned char c = static_cast<unsigned char>(url[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

}  // namespace vesk
