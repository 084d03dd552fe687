#include "settings/settings_file_format.h"

#include <cstdio>
#include <optional>

#include "text/encoding.h"

namespace vesk::platform {

namespace {

constexpr const char* kHeader =
    "; Vesk settings: registry keys and values, strings in UTF-8.\r\n"
    "; The programs rewrite this file whole; edit it only while they are not running.\r\n";
constexpr const char* kDwordTag = "dword:";
constexpr const char* kRawTag = "hex(sjis):";

// In-memory Shift_JIS to file UTF-8; nullopt when the bytes are not valid Shift_JIS or would not
// read back as the same bytes (CP932 has characters with two codes), so every value survives.
std::optional<std::string> ToFileText(const std::string& cp932) {
  std::string utf8, back;
  if (!Cp932ToUtf8(cp932, utf8) || !Utf8ToCp932(utf8, back) || back != cp932) return std::nullopt;
  return utf8;
}

// File bytes to memory: UTF-8 is converted (each character Shift_JIS lacks becomes '?'); bytes
// that are not UTF-8 are taken to be Shift_JIS already (typed by hand in an older editor) and
// kept as they stand, so nothing is lost.
std::string FromFileText(const std::string& bytes) {
  std::string cp932;
  if (Utf8ToCp932(bytes, cp932)) return cp932;
  if (!IsValidUtf8(bytes)) return bytes;
  return ToCp932(bytes);
}

std::string Quote(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '"':
        out += "\\\"";
        break;
      case '\t':
        out += "\\t";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      default:
        if (c < 0x20 || c == 0x7F) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\x%02x", c);
          out += buf;
        } else {
          out.push_back(static_cast<char>(c));
        }
    }
  }
  out += '"';
  return out;
}

// A quoted name or string: text in memory form, or the raw byte form when not Shift_JIS.
std::string FormatString(const std::string& cp932) {
  if (auto utf8 = ToFileText(cp932)) return Quote(*utf8);
  std::string out = kRawTag;
  char buf[4];
  for (std::size_t i = 0; i < cp932.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02x", static_cast<unsigned char>(cp932[i]));
    if (i) out += ',';
    out += buf;
  }
  return out;
}

void FormatKey(const SettingsKey& key, const std::string& path, std::string& out) {
  // A key that holds only subkeys is implied by their sections.
  if (!key.values.empty() || key.subkeys.empty()) out += "\r\n[" + ToUtf8(path) + "]\r\n";
  for (const auto& v : key.values) {
    // Names keep their quoted form even when they are not Shift_JIS text.
    auto name = ToFileText(v.name);
    out += name ? Quote(*name) : Quote(ToUtf8(v.name));
    out += '=';
    if (const auto* d = std::get_if<std::uint32_t>(&v.data)) {
      char buf[24];
      std::snprintf(buf, sizeof buf, "%s%08x", kDwordTag, static_cast<unsigned>(*d));
      out += buf;
    } else {
      out += FormatString(std::get<std::string>(v.data));
    }
    out += "\r\n";
  }
  for (const auto& sub : key.subkeys) FormatKey(sub, JoinKeyPath(path, sub.name), out);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a quoted string starting at line[pos] == '"'; pos ends after the closing quote.
bool ParseQuoted(const std::string& line, std::size_t& pos, std::string& out, std::string& why) {
  out.clear();
  ++pos;
  while (pos < line.size()) {
    char c = line[pos++];
    if (c == '"') return true;
    if (c != '\\') {
      out.push_back(c);
      continue;
    }
    if (pos >= line.size()) break;
    char e = line[pos++];
    switch (e) {
      case '\\':
      case '"':
        out.push_back(e);
        break;
      case 't':
        out.push_back('\t');
        break;
      case 'n':
        out.push_back('\n');
        break;
      case 'r':
        out.push_back('\r');
        break;
      case 'x': {
        int hi = pos < line.size() ? HexDigit(line[pos]) : -1;
        int lo = pos + 1 < line.size() ? HexDigit(line[pos + 1]) : -1;
        if (hi < 0 || lo < 0) {
          why = "bad \\x escape";
          return false;
        }
        out.push_back(static_cast<char>(hi * 16 + lo));
        pos += 2;
        break;
      }
      default:
        why = std::string("unknown escape \\") + e;
        return false;
    }
  }
  why = "unterminated string";
  return false;
}

bool ParseDword(const std::string& text, std::uint32_t& out) {
  if (text.empty() || text.size() > 8) return false;
  out = 0;
  for (char c : text) {
    int d = HexDigit(c);
    if (d < 0) return false;
    out = out * 16 + static_cast<std::uint32_t>(d);
  }
  return true;
}

bool ParseRaw(const std::string& text, std::string& out) {
  out.clear();
  if (text.empty()) return true;
  std::size_t pos = 0;
  while (true) {
    if (pos + 2 > text.size()) return false;
    int hi = HexDigit(text[pos]), lo = HexDigit(text[pos + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<char>(hi * 16 + lo));
    pos += 2;
    if (pos == text.size()) return true;
    if (text[pos] != ',') return false;
    ++pos;
  }
}

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return {};
  std::size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

bool ParseValueLine(const std::string& line, SettingsKey& key, std::string& why) {
  std::size_t pos = 0;
  std::string name;
  if (!ParseQuoted(line, pos, name, why)) return false;
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  if (pos >= line.size() || line[pos] != '=') {
    why = "'=' expected after the value name";
    return false;
  }
  std::string rest = Trim(line.substr(pos + 1));
  std::string memName = FromFileText(name);
  if (!rest.empty() && rest[0] == '"') {
    std::size_t p = 0;
    std::string text;
    if (!ParseQuoted(rest, p, text, why)) return false;
    if (p != rest.size()) {
      why = "text after the closing quote";
      return false;
    }
    key.SetValue(memName, FromFileText(text));
    return true;
  }
  if (rest.rfind(kDwordTag, 0) == 0) {
    std::uint32_t d = 0;
    if (!ParseDword(rest.substr(std::string(kDwordTag).size()), d)) {
      why = "bad dword value";
      return false;
    }
    key.SetValue(memName, d);
    return true;
  }
  if (rest.rfind(kRawTag, 0) == 0) {
    std::string bytes;
    if (!ParseRaw(rest.substr(std::string(kRawTag).size()), bytes)) {
      why = "bad hex(sjis) value";
      return false;
    }
    key.SetValue(memName, bytes);
    return true;
  }
  why = "unknown value type";
  return false;
}

}  // namespace

bool ParseSettingsText(const std::string& text, CSettingsTree& tree, SettingsParseError* error) {
  tree.Clear();
  std::size_t start = 0;
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  SettingsKey* current = nullptr;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    if (error) *error = SettingsParseError{lineNo, why};
    return false;
  };
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(text.substr(start, end - start));
    start = end + 1;
    ++lineNo;
    if (line.empty() || line[0] == ';' || line[0] == '#') continue;
    if (line.find('\0') != std::string::npos) return fail("NUL byte");
    if (line[0] == '[') {
      if (line.back() != ']' || line.size() < 3) return fail("bad section line");
      std::string path = FromFileText(line.substr(1, line.size() - 2));
      if (SplitKeyPath(path).empty()) return fail("empty key path");
      current = &tree.Create(path);
      continue;
    }
    if (line[0] != '"') return fail("line is neither a section nor a value");
    if (!current) return fail("value before the first section");
    std::string why;
    if (!ParseValueLine(line, *current, why)) return fail(why);
  }
  return true;
}

std::string FormatSettingsText(const CSettingsTree& tree) {
  std::string out = kHeader;
  for (const auto& key : tree.Root().subkeys) FormatKey(key, key.name, out);
  return out;
}

}  // namespace vesk::platform
