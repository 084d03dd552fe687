#include "text/outside_text.h"

#include "text/encoding.h"

namespace vesk {

namespace {

// The length of the UTF-8 character at i (1 for a byte that starts none).
std::size_t Utf8Length(const std::string& text, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(text[i]);
  std::size_t len = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 1;
  if (c >= 0xF5) len = 1;
  if (i + len > text.size()) return 1;
  for (std::size_t k = 1; k < len; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  }
  return len;
}

}  // namespace

const char* HtmlReferenceFor(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      return nullptr;
  }
}

std::string EscapeHtmlText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (const char* reference = HtmlReferenceFor(c)) {
      out += reference;
    } else {
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

std::string UrlToCp932(const std::string& url) {
  std::string out;
  if (Utf8ToCp932(url, out)) return out;
  out.clear();
  static const char kHex[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < url.size();) {
    const std::size_t len = Utf8Length(url, i);
    const std::string ch = url.substr(i, len);
    std::string converted;
    if (len > 1 && Utf8ToCp932(ch, converted)) {
      out += converted;
    } else if (len == 1 && static_cast<unsigned char>(ch[0]) < 0x80) {
      out += ch;
    } else {
      for (unsigned char c : ch) {
        out += '%';
        out += kHex[c >> 4];
        out += kHex[c & 0xF];
      }
    }
    i += len;
  }
  return out;
}

}  // namespace vesk
