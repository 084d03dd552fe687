#include "app/capture/local_page_title.h"

#include <cctype>

#include "platform/read_only_file.h"
#include "publish/bookmark_reader.h"
#include "text/encoding.h"

namespace vesk {
namespace {

// A title stands in a page's head; no more of the file is read.
constexpr std::size_t kHeadMax = 64 * 1024;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The path of a file:// URL with its escapes decoded; empty when it is none or holds a NUL.
std::string FilePathOf(const std::string& url) {
  const std::string scheme = "file://";
  if (url.compare(0, scheme.size(), scheme) != 0) return {};
  std::string encoded = url.substr(scheme.size());
  encoded = encoded.substr(0, encoded.find_first_of("?#"));
  if (encoded.empty() || encoded.front() != '/') return {};  // a host other than this one
  std::string path;
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '%' && i + 2 < encoded.size() && HexDigit(encoded[i + 1]) >= 0 &&
        HexDigit(encoded[i + 2]) >= 0) {
      const char c = static_cast<char>(HexDigit(encoded[i + 1]) * 16 + HexDigit(encoded[i + 2]));
      if (c == '\0') return {};
      path += c;
      i += 2;
    } else {
      path += encoded[i];
    }
  }
  return path;
}

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

std::string LocalPageTitle(const std::string& url) {
  const std::string path = FilePathOf(url);
  if (path.empty()) return {};
  platform::CReadOnlyFile file;
  if (!file.Open(path)) return {};
  std::string head(kHeadMax, '\0');
  const long got = file.Read(head.data(), head.size());
  if (got <= 0) return {};
  head.resize(static_cast<std::size_t>(got));
  const std::string lower = Lower(head);
  std::size_t open = lower.find("<title");
  if (open == std::string::npos) return {};
  open = lower.find('>', open);
  if (open == std::string::npos) return {};
  const std::size_t close = lower.find("</title", open);
  if (close == std::string::npos) return {};
  std::string raw = head.substr(open + 1, close - open - 1);
  // Pages of Japanese sites may still be Shift_JIS; they say so before the title.
  const std::string before = lower.substr(0, open);
  const bool cp932 = before.find("shift_jis") != std::string::npos ||
                     before.find("shift-jis") != std::string::npos ||
                     before.find("windows-31j") != std::string::npos ||
                     before.find("x-sjis") != std::string::npos;
  if (cp932) raw = ToUtf8(raw);
  std::string title;
  for (char c : DecodeHtmlEntities(raw)) {
    const bool space = c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
    if (!space) {
      title += c;
    } else if (!title.empty() && title.back() != ' ') {
      title += ' ';
    }
  }
  if (!title.empty() && title.back() == ' ') title.pop_back();
  return title;
}

}  // namespace vesk
