#include "app/capture/browser_page.h"

#include <cctype>

namespace vesk {

bool IsCapturableUrl(const std::string& url) {
  // A URL longer than this is not one a person links to; it only burdens the document.
  constexpr std::size_t kMaxUrl = 8192;
  if (url.empty() || url.size() > kMaxUrl) return false;
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
