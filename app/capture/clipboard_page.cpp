#include "app/capture/clipboard_page.h"

#include <cctype>
#include <utility>

#include "app/capture/chromium_session.h"

namespace vesk {

namespace {

// A clipboard can hold anything; a text this long is no link.
constexpr std::size_t kMaxClipboardText = 1u << 20;

std::string Trim(const std::string& s) {
  const char* ws = " \t\r\n";
  const std::size_t b = s.find_first_not_of(ws);
  if (b == std::string::npos) return {};
  return s.substr(b, s.find_last_not_of(ws) - b + 1);
}

bool IsHttpUrl(const std::string& url) {
  auto starts = [&url](const char* scheme) {
    const std::string s = scheme;
    if (url.size() <= s.size()) return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(url[i])) != s[i]) return false;
    }
    return true;
  };
  return (starts("http://") || starts("https://")) && IsCapturableUrl(url);
}

}  // namespace

std::optional<BrowserPage> PageFromMozUrl(const std::string& bytes, const std::string& source) {
  if (bytes.size() > kMaxClipboardText) return std::nullopt;
  std::size_t start = 0;
  std::string utf16 = bytes;
  if (utf16.size() >= 2 && static_cast<unsigned char>(utf16[0]) == 0xFE &&
      static_cast<unsigned char>(utf16[1]) == 0xFF) {
    for (std::size_t i = 2; i + 1 < utf16.size(); i += 2) std::swap(utf16[i], utf16[i + 1]);
    start = 2;
  } else if (utf16.size() >= 2 && static_cast<unsigned char>(utf16[0]) == 0xFF &&
             static_cast<unsigned char>(utf16[1]) == 0xFE) {
    start = 2;
  }
  std::string text = Utf16LeToUtf8(utf16.data() + start, (utf16.size() - start) / 2);
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  const std::size_t nl = text.find('\n');
  BrowserPage page{Trim(text.substr(0, nl)), {}, source};
  if (nl != std::string::npos) {
    std::string title = text.substr(nl + 1);
    // Only the line after the URL is the title.
    const std::size_t end = title.find_first_of("\r\n");
    if (end != std::string::npos) title.resize(end);
    page.title = title;
  }
  if (!IsCapturableUrl(page.url)) return std::nullopt;
  return page;
}

std::optional<BrowserPage> PageFromUriList(const std::string& text, const std::string& source) {
  if (text.size() > kMaxClipboardText) return std::nullopt;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    const std::size_t nul = line.find('\0');
    if (nul != std::string::npos) line.resize(nul);
    if (line.empty() || line[0] == '#') continue;
    if (!IsCapturableUrl(line)) return std::nullopt;
    return BrowserPage{line, {}, source};
  }
  return std::nullopt;
}

std::optional<BrowserPage> PageFromPlainText(const std::string& text, const std::string& source) {
  if (text.size() > kMaxClipboardText) return std::nullopt;
  const std::string url = Trim(text);
  if (!IsHttpUrl(url)) return std::nullopt;
  return BrowserPage{url, {}, source};
}

std::optional<std::string> FilePathFromUri(const std::string& uri) {
  std::string rest;
  if (uri.rfind("file:///", 0) == 0) {
    rest = uri.substr(7);
  } else if (uri.rfind("file://localhost/", 0) == 0) {
    rest = uri.substr(16);
  } else {
    return std::nullopt;
  }
  auto hex = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::string path;
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (rest[i] == '%' && i + 2 < rest.size() && hex(rest[i + 1]) >= 0 && hex(rest[i + 2]) >= 0) {
      const char byte = static_cast<char>(hex(rest[i + 1]) * 16 + hex(rest[i + 2]));
      if (byte == '\0') return std::nullopt;
      path += byte;
      i += 2;
    } else if (rest[i] == '?' || rest[i] == '#') {
      break;  // a query or fragment is not part of the path
    } else {
      path += rest[i];
    }
  }
  return path;
}

std::optional<BrowserPage> ClipboardPage(IClipboardSource& clipboard) {
  if (auto moz = clipboard.MozUrl()) {
    if (auto page = PageFromMozUrl(*moz, "clipboard")) return page;
  }
  if (auto text = clipboard.Text()) return PageFromPlainText(*text, "clipboard");
  return std::nullopt;
}

}  // namespace vesk
