#include "text/cp932_text.h"

namespace vesk {

namespace {

std::size_t CharLen(const std::string& text, std::size_t i) { return MbsCharLen(text, i); }

bool SameCharAt(const std::string& text, std::size_t i, const std::string& chars, std::size_t j,
                std::size_t len) {
  return text.compare(i, len, chars, j, len) == 0;
}

}  // namespace

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// A stray lead byte before a control character, a comma or a quote stands alone, so that line
// and field separators are never swallowed by a damaged character.
std::size_t MbsCharLen(const std::string& text, std::size_t i) {
  if (IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() &&
      static_cast<unsigned char>(text[i + 1]) >= 0x40)
    return 2;
  return 1;
}

bool MbsEqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size();) {
    std::size_t len = MbsCharLen(a, i);
    if (MbsCharLen(b, i) != len) return false;
    if (len == 2) {
      if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
    } else {
      char x = a[i], y = b[i];
      if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
      if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
      if (x != y) return false;
    }
    i += len;
  }
  return true;
}

std::size_t MbsFind(const std::string& text, const std::string& what, std::size_t from) {
  if (from > text.size()) return npos;
  if (what.empty()) return from;
  for (std::size_t i = from; i < text.size(); i += CharLen(text, i)) {
    if (text.size() - i < what.size()) return npos;
    if (text.compare(i, what.size(), what) == 0) return i;
  }
  return npos;
}

std::size_t MbsFindChar(const std::string& text, char c, std::size_t from) {
  for (std::size_t i = from; i < text.size();) {
    std::size_t len = CharLen(text, i);
    if (len == 1 && text[i] == c) return i;
    i += len;
  }
  return npos;
}

std::size_t MbsReverseFindChar(const std::string& text, char c) {
  std::size_t found = npos;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = CharLen(text, i);
    if (len == 1 && text[i] == c) found = i;
    i += len;
  }
  return found;
}

std::size_t MbsFindOneOf(const std::string& text, const std::string& chars, std::size_t from) {
  for (std::size_t i = from; i < text.size();) {
    std::size_t len = CharLen(text, i);
    for (std::size_t j = 0; j < chars.size();) {
      std::size_t clen = CharLen(chars, j);
      if (clen == len && SameCharAt(text, i, chars, j, len)) return i;
      j += clen;
    }
    i += len;
  }
  return npos;
}

bool ReplaceText(std::string& text, const std::string& find, const std::string& replacement,
                 bool every) {
  if (find.empty()) return false;
  std::size_t pos = MbsFind(text, find);
  if (pos == npos) return false;
  std::string result;
  std::size_t done = 0;
  while (pos != npos) {
    result.append(text, done, pos - done);
    result += replacement;
    done = pos + find.size();
    if (!every) break;
    pos = MbsFind(text, find, done);
  }
  result.append(text, done, npos);
  text.swap(result);
  return true;
}

std::string TakeToken(std::string& text, const std::string& separator) {
  if (text.empty() || separator.empty()) return text;
  std::size_t pos = MbsFind(text, separator);
  std::string token;
  if (pos == npos) {
    token.swap(text);
    return token;
  }
  token = text.substr(0, pos);
  text.erase(0, pos + separator.size());
  return token;
}

bool AppendWithSeparator(std::string& list, const std::string& item, const std::string& separator) {
  if (separator.empty()) return false;
  if (!list.empty()) list += separator;
  list += item;
  return true;
}

void AddCsvField(std::string& line, const std::string& field) {
  if (!line.empty()) line += ',';
  if (MbsFindOneOf(field, ",\"") == npos) {
    line += field;
    return;
  }
  line += '"';
  for (char c : field) {
    // A quote byte is never a second byte, so a plain byte walk doubles exactly the quotes.
    if (c == '"') line += '"';
    line += c;
  }
  line += '"';
}

std::string TakeCsvField(std::string& line) {
  std::string field;
  if (line.empty()) return field;
  if (line[0] != '"') {
    std::size_t comma = MbsFindChar(line, ',');
    if (comma == npos) {
      field.swap(line);
    } else {
      field = line.substr(0, comma);
      line.erase(0, comma + 1);
    }
    return field;
  }
  line.erase(0, 1);
  for (;;) {
    std::size_t a = MbsFind(line, "\",");
    std::size_t b = MbsFind(line, "\"\"");
    if (a == npos && b == npos) {
      field += line;
      line.clear();
      if (!field.empty() && field.back() == '"') field.pop_back();
      return field;
    }
    if (a != npos && (b == npos || a < b)) {
      field.append(line, 0, a);
      line.erase(0, a + 2);
      return field;
    }
    field.append(line, 0, b + 1);
    line.erase(0, b + 2);
  }
}

std::string TakeEscapedField(std::string& line) {
  std::string field = TakeCsvField(line);
  std::string result;
  result.reserve(field.size());
  for (std::size_t i = 0; i < field.size();) {
    std::size_t len = CharLen(field, i);
    if (len == 1 && field[i] == '\\') {
      ++i;
      if (i >= field.size()) break;
      len = CharLen(field, i);
    }
    result.append(field, i, len);
    i += len;
  }
  return result;
}

std::string NarrowText(std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = CharLen(text, i);
    if (len == 1) {
      result += text[i];
      i += 1;
      continue;
    }
    unsigned char lead = static_cast<unsigned char>(text[i]);
    unsigned char second = static_cast<unsigned char>(text[i + 1]);
    if (lead == 0x81 && second == 0x40) {
      result += ' ';
    } else if (lead == 0x82 && second >= 0x4F && second <= 0x58) {
      result += static_cast<char>(second - 0x1F);
    } else if (lead == 0x82 && second >= 0x60 && second <= 0x79) {
      result += static_cast<char>(second - 0x1F);
    } else if (lead == 0x82 && second >= 0x81 && second <= 0x9A) {
      result += static_cast<char>(second - 0x20);
    } else {
      result.append(text, i, 2);
    }
    i += 2;
  }
  text = result;
  return result;
}

std::string SafeFileName(std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = CharLen(text, i);
    if (len == 2) {
      result.append(text, i, 2);
      i += 2;
      continue;
    }
    char c = text[i++];
    switch (c) {
      case '\\':
      case '"':
      case '/':
      case '*':
      case ':':
      case '?':
      case '<':
      case '>':
      case '|':
        result += '_';
        break;
      case '\t':
        result += ' ';
        break;
      case '\n':
      case '\r':
        break;
      default:
        result += c;
    }
  }
  text = result;
  return result;
}

namespace {

// The byte values removed here are all below 0x40, so they are never second bytes.
void RemoveByte(std::string& text, char c) {
  std::string::size_type out = 0;
  for (char b : text)
    if (b != c) text[out++] = b;
  text.resize(out);
}

bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

void StripCR(std::string& text) { RemoveByte(text, '\r'); }
void StripLF(std::string& text) { RemoveByte(text, '\n'); }
void StripTab(std::string& text) { RemoveByte(text, '\t'); }
void StripSpaces(std::string& text) { RemoveByte(text, ' '); }

void TrimWhiteSpace(std::string& text) {
  std::size_t end = text.size();
  while (end > 0 && IsWhiteSpace(text[end - 1])) --end;
  std::size_t begin = 0;
  while (begin < end && IsWhiteSpace(text[begin])) ++begin;
  text = text.substr(begin, end - begin);
}

}  // namespace vesk
