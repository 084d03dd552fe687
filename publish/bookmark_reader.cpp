#include "publish/bookmark_reader.h"

#include <cstdint>
#include <cstring>

#include "text/utf16.h"

namespace vesk {
namespace {

constexpr const char* kDoctype = "<!DOCTYPE NETSCAPE-Bookmark-file-1";
constexpr std::size_t kTitleMax = kBookmarkTitleMax;
constexpr std::size_t kUrlMax = kBookmarkUrlMax;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f'; }

bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-';
}

// True when text holds word (ASCII, any case) at pos.
bool HasWordAt(const std::string& text, std::size_t pos, const char* word) {
  const std::size_t len = std::strlen(word);
  if (pos + len > text.size()) return false;
  for (std::size_t k = 0; k < len; ++k) {
    if (Upper(text[pos + k]) != Upper(word[k])) return false;
  }
  return true;
}

void AppendUtf8(std::string& out, unsigned long cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  AppendUtf8CodePoint(out, static_cast<std::uint32_t>(cp));
}

// The tag's attributes, parsed up to its closing '>'.
struct Tag {
  std::string name;  // upper case
  bool closing = false;
  bool complete = false;  // its '>' was found
  std::string href, addDate, lastModified;
};

// Parses the tag whose '<' stands at lt; returns the position after its '>' (or the end).
std::size_t ParseTag(const std::string& text, std::size_t lt, Tag& tag) {
  const std::size_t n = text.size();
  std::size_t i = lt + 1;
  if (i < n && text[i] == '/') {
    tag.closing = true;
    ++i;
  }
  while (i < n && IsNameChar(text[i])) tag.name += Upper(text[i++]);
  while (i < n && text[i] != '>') {
    if (IsSpace(text[i]) || text[i] == '/') {
      ++i;
      continue;
    }
    std::size_t nameStart = i;
    while (i < n && !IsSpace(text[i]) && text[i] != '=' && text[i] != '>') ++i;
    std::string name;
    for (std::size_t k = nameStart; k < i; ++k) name += Upper(text[k]);
    while (i < n && IsSpace(text[i])) ++i;
    if (i >= n || text[i] != '=') continue;
    ++i;
    while (i < n && IsSpace(text[i])) ++i;
    std::size_t valueStart = i, valueEnd;
    if (i < n && (text[i] == '"' || text[i] == '\'')) {
      const char quote = text[i];
      std::size_t close = text.find(quote, i + 1);
      valueStart = i + 1;
      valueEnd = close == std::string::npos ? n : close;
      i = close == std::string::npos ? n : close + 1;
    } else {
      while (i < n && !IsSpace(text[i]) && text[i] != '>') ++i;
      valueEnd = i;
    }
    std::string* slot = name == "HREF"            ? &tag.href
                        : name == "ADD_DATE"      ? &tag.addDate
                        : name == "LAST_MODIFIED" ? &tag.lastModified
                                                  : nullptr;
    if (slot) slot->assign(text, valueStart, std::min(valueEnd - valueStart, kUrlMax * 8));
  }
  tag.complete = i < n;
  return i < n ? i + 1 : n;
}

// Seconds since 1970 from an attribute; some writers give milliseconds or microseconds.
std::int64_t ParseDate(const std::string& value) {
  std::int64_t v = 0;
  std::size_t digits = 0;
  for (char c : value) {
    if (c < '0' || c > '9') break;
    if (++digits > 18) return 0;
    v = v * 10 + (c - '0');
  }
  for (int k = 0; k < 3 && v > 100000000000LL; ++k) v /= 1000;
  return v;
}

// The element's text from pos up to the next tag; a closing tag of name there is consumed.
std::string TakeText(const std::string& text, std::size_t& pos, const char* closeTag) {
  std::size_t lt = text.find('<', pos);
  if (lt == std::string::npos) lt = text.size();
  std::string raw = text.substr(pos, std::min(lt - pos, kTitleMax * 8));
  pos = lt;
  if (HasWordAt(text, lt, closeTag)) {
    std::size_t gt = text.find('>', lt);
    pos = gt == std::string::npos ? text.size() : gt + 1;
  }
  return CleanBookmarkText(DecodeHtmlEntities(raw), kTitleMax);
}

}  // namespace

std::string CleanBookmarkText(const std::string& text, std::size_t max) {
  std::string out;
  bool space = false;
  for (char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F || c == ' ') {
      space = !out.empty();
      continue;
    }
    if (space) out += ' ';
    space = false;
    out += ch;
  }
  if (out.size() > max) {
    std::size_t cut = max;
    while (cut > 0 && (static_cast<unsigned char>(out[cut]) & 0xC0) == 0x80) --cut;
    out.resize(cut);
  }
  return out;
}

bool IsBookmarkFile(const std::string& text) {
  std::size_t i = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
  while (i < text.size() && IsSpace(text[i])) ++i;
  return HasWordAt(text, i, kDoctype) && i + std::strlen(kDoctype) < text.size() &&
         (text[i + std::strlen(kDoctype)] == '>' || IsSpace(text[i + std::strlen(kDoctype)]));
}

std::string DecodeHtmlEntities(const std::string& text) {
  static const struct {
    const char* name;
    unsigned long cp;
  } kNamed[] = {{"amp", '&'},  {"lt", '<'},    {"gt", '>'},
                {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '}};
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
      continue;
    }
    const std::size_t semi = text.find(';', i + 1);
    if (semi == std::string::npos || semi - i > 12 || semi == i + 1) {
      out += '&';
      continue;
    }
    const std::string ref = text.substr(i + 1, semi - i - 1);
    bool done = false;
    if (ref[0] == '#') {
      const bool hex = ref.size() > 1 && (ref[1] == 'x' || ref[1] == 'X');
      const std::size_t start = hex ? 2 : 1;
      unsigned long cp = 0;
      bool ok = ref.size() > start;
      for (std::size_t k = start; ok && k < ref.size(); ++k) {
        const char c = ref[k];
        int d = c >= '0' && c <= '9'          ? c - '0'
                : hex && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : hex && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                              : -1;
        ok = d >= 0;
        if (ok) cp = cp > 0x10FFFF ? cp : cp * (hex ? 16 : 10) + static_cast<unsigned long>(d);
      }
      if (ok) {
        AppendUtf8(out, cp);
        done = true;
      }
    } else {
      for (const auto& e : kNamed) {
        if (ref == e.name) {
          out += static_cast<char>(e.cp);
          done = true;
          break;
        }
      }
    }
    if (done) {
      i = semi;
    } else {
      out += '&';
    }
  }
  return out;
}

std::string HtmlShownText(const std::string& html) {
  std::string text;
  text.reserve(html.size());
  for (std::size_t i = 0; i < html.size(); ++i) {
    const char next = i + 1 < html.size() ? html[i + 1] : '\0';
    const bool letter = (next >= 'A' && next <= 'Z') || (next >= 'a' && next <= 'z');
    const bool tag = html[i] == '<' && (letter || next == '/' || next == '!' || next == '?');
    if (!tag) {
      text += html[i];
      continue;
    }
    const bool comment = html.compare(i, 4, "<!--") == 0;
    const std::size_t end = comment ? html.find("-->", i + 4) : html.find('>', i + 1);
    if (end == std::string::npos) break;  // a tag that never closes hides the rest
    i = end + (comment ? 2 : 0);
  }
  return DecodeHtmlEntities(text);
}

std::vector<BookmarkItem> ReadBookmarks(const std::string& text) {
  std::vector<BookmarkItem> items;
  std::vector<int> open;      // the folders opened by DL, innermost last (-1: top level)
  std::size_t beyondMax = 0;  // DLs opened below the depth bound, flattened
  int announced = -2;         // the folder whose H3 came last and whose DL is expected
  const auto parentNow = [&open] { return open.empty() ? -1 : open.back(); };
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && items.size() < kBookmarkItemMax) {
    const std::size_t lt = text.find('<', i);
    if (lt == std::string::npos) break;
    if (text.compare(lt, 4, "<!--") == 0) {
      const std::size_t end = text.find("-->", lt + 4);
      i = end == std::string::npos ? n : end + 3;
      continue;
    }
    Tag tag;
    i = ParseTag(text, lt, tag);
    // A tag cut off by the end of the file is no tag.
    if (!tag.complete) break;
    if (tag.name == "DL") {
      if (!tag.closing) {
        if (open.size() >= kBookmarkDepthMax) {
          ++beyondMax;
        } else {
          open.push_back(announced >= 0 ? announced : parentNow());
        }
      } else if (beyondMax > 0) {
        --beyondMax;
      } else if (!open.empty()) {
        open.pop_back();
      }
      announced = -2;
    } else if (tag.name == "H3" && !tag.closing) {
      BookmarkItem folder;
      folder.folder = true;
      folder.parent = parentNow();
      folder.title = TakeText(text, i, "</H3");
      folder.addDate = ParseDate(tag.addDate);
      folder.lastModified = ParseDate(tag.lastModified);
      announced = -2;
      // Below the depth bound a folder's content goes into the deepest folder allowed.
      if (open.size() < kBookmarkDepthMax && beyondMax == 0) {
        announced = static_cast<int>(items.size());
        items.push_back(std::move(folder));
      }
    } else if (tag.name == "A" && !tag.closing) {
      announced = -2;
      BookmarkItem link;
      link.parent = parentNow();
      link.url = CleanBookmarkText(DecodeHtmlEntities(tag.href), kUrlMax);
      link.title = TakeText(text, i, "</A");
      link.addDate = ParseDate(tag.addDate);
      link.lastModified = ParseDate(tag.lastModified);
      // Smart folders (saved queries) are no sites, and a bookmark without a URL is nothing.
      if (link.url.empty() || HasWordAt(link.url, 0, "place:")) continue;
      items.push_back(std::move(link));
    }
  }
  return items;
}

}  // namespace vesk
