#include "text/outside_text.h"

namespace vesk {

std::string EscapeHtmlText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

bool IsScriptUrl(const std::string& url) {
  std::size_t i = 0;
  // Browsers drop these before they read the scheme, so they hide nothing.
  while (i < url.size() && static_cast<unsigned char>(url[i]) <= 0x20) ++i;
  std::string scheme;
  for (; i < url.size() && url[i] != ':'; ++i) {
    const unsigned char c = static_cast<unsigned char>(url[i]);
    // A TAB or line break inside the scheme is removed by the browser as well.
    if (c == '\t' || c == '\n' || c == '\r') continue;
    if (scheme.size() > 10) return false;
    scheme += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  }
  if (i >= url.size()) return false;
  return scheme == "javascript" || scheme == "data" || scheme == "vbscript";
}

std::string OutsideUrl(const std::string& url) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(url.size());
  for (char ch : url) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == '"' || c == '<' || c == '>') {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0x0F];
    } else {
      out += ch;
    }
  }
  return out;
}

}  // namespace vesk
