#include "text/encoding.h"

#include <algorithm>
#include <cstdint>

#include "text/cp932_table.h"
#include "text/cp932_text.h"
#include "text/utf16.h"

// Conversion runs on the project's own tables on every system, so that the same document gives
// the same bytes everywhere; a conversion that fails stops (strict) or writes one '?' for the
// character and goes on, skipping as far as the character's own length.
namespace vesk {
namespace {

// A Shift_JIS character: a lead byte with its second byte, else one byte.
std::size_t Cp932CharAt(const std::string& text, std::size_t i) { return MbsCharLen(text, i); }

// A UTF-8 character: the lead byte's length when the continuation bytes are there, else one
// byte (a stray or cut sequence counts as one character per byte).
std::size_t Utf8CharAt(const std::string& text, std::size_t i) {
  unsigned char c = static_cast<unsigned char>(text[i]);
  std::size_t len = c >= 0xF0 && c <= 0xF4   ? 4
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xC2 && c <= 0xDF ? 2
                                             : 1;
  for (std::size_t k = 1; k < len; ++k) {
    if (i + k >= text.size() || (static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  }
  return len;
}

// The CP932 character at i: its code point and length, false when there is none.
bool DecodeCp932(const std::string& in, std::size_t i, std::uint16_t& cp, std::size_t& len) {
  const unsigned char b = static_cast<unsigned char>(in[i]);
  const std::uint16_t single = cp932::kSingle[b];
  if (single == cp932::kNone) return false;
  if (single != cp932::kLead) {
    cp = single;
    len = 1;
    return true;
  }
  if (i + 1 >= in.size()) return false;
  const std::uint16_t pair =
      cp932::kDouble[(b - 0x80) * 256 + static_cast<unsigned char>(in[i + 1])];
  if (pair == cp932::kNone) return false;
  cp = pair;
  len = 2;
  return true;
}

// The well-formed UTF-8 character at i (shortest form, no surrogates, at most U+10FFFF).
bool DecodeUtf8(const std::string& in, std::size_t i, std::uint32_t& cp, std::size_t& len) {
  const unsigned char c = static_cast<unsigned char>(in[i]);
  if (c < 0x80) {
    cp = c;
    len = 1;
    return true;
  }
  len = Utf8CharAt(in, i);
  if (len == 1) return false;
  cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  for (std::size_t k = 1; k < len; ++k)
    cp = (cp << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
  static constexpr std::uint32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  return cp >= kShortest[len] && cp <= 0x10FFFF && (cp < 0xD800 || cp > 0xDFFF);
}

// Appends the CP932 bytes of cp; false when CP932 lacks it.
bool EncodeCp932(std::uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
    return true;
  }
  const std::uint16_t* end = cp932::kEncodeCodePoints + cp932::kEncodeCount;
  const std::uint16_t* at = std::lower_bound(cp932::kEncodeCodePoints, end, cp);
  if (cp <= 0xFFFF && at != end && *at == cp) {
    const std::uint16_t bytes = cp932::kEncodeBytes[at - cp932::kEncodeCodePoints];
    if (bytes >= 0x100) out += static_cast<char>(bytes >> 8);
    out += static_cast<char>(bytes & 0xFF);
    return true;
  }
  for (std::size_t r = 0; r < cp932::kDroppedRangeCount; ++r) {
    if (cp >= cp932::kDroppedRanges[2 * r] && cp <= cp932::kDroppedRanges[2 * r + 1]) return true;
  }
  return false;
}

bool RunFromCp932(const std::string& in, std::string& out, bool strict) {
  out.clear();
  bool ok = true;
  for (std::size_t i = 0; i < in.size();) {
    std::uint16_t cp = 0;
    std::size_t len = 0;
    if (DecodeCp932(in, i, cp, len)) {
      AppendUtf8CodePoint(out, cp);
      i += len;
      continue;
    }
    ok = false;
    if (strict) break;
    out.push_back('?');
    i += std::min(Cp932CharAt(in, i), in.size() - i);
  }
  return ok;
}

bool RunToCp932(const std::string& in, std::string& out, bool strict) {
  out.clear();
  bool ok = true;
  for (std::size_t i = 0; i < in.size();) {
    std::uint32_t cp = 0;
    std::size_t len = 0;
    if (DecodeUtf8(in, i, cp, len) && EncodeCp932(cp, out)) {
      i += len;
      continue;
    }
    ok = false;
    if (strict) break;
    out.push_back('?');
    i += std::min(Utf8CharAt(in, i), in.size() - i);
  }
  return ok;
}

// The escape of one byte: U+F0000 + byte, in UTF-8 (F3 B0 8x/8y xx).
void AppendByteEscape(std::string& out, unsigned char b) {
  out += static_cast<char>(0xF3);
  out += static_cast<char>(0xB0);
  out += static_cast<char>(0x80 | (b >> 6));
  out += static_cast<char>(0x80 | (b & 0x3F));
}

}  // namespace

std::string ToUtf8Lossless(const std::string& cp932) {
  std::string out, back;
  if (Cp932ToUtf8(cp932, out) && Utf8ToCp932(out, back) && back == cp932 &&
      out.find("\xF3\xB0") == std::string::npos)
    return out;
  out.clear();
  std::string piece, again;
  for (std::size_t i = 0; i < cp932.size();) {
    std::size_t n =
        IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
    const std::string original = cp932.substr(i, n);
    if (RunFromCp932(original, piece, true) && RunToCp932(piece, again, true) &&
        again == original) {
      out += piece;
      i += n;
    } else {
      // A byte (or a character that would not come back the same) is kept as its escape; a lead
      // byte alone, so that the byte after it gets its own chance.
      AppendByteEscape(out, static_cast<unsigned char>(cp932[i]));
      ++i;
    }
  }
  return out;
}

bool FromUtf8Lossless(const std::string& utf8, std::string& out) {
  if (utf8.find("\xF3\xB0") == std::string::npos) return Utf8ToCp932(utf8, out);
  out.clear();
  std::string part, converted;
  for (std::size_t i = 0; i < utf8.size();) {
    if (i + 3 < utf8.size() && utf8.compare(i, 2, "\xF3\xB0") == 0 &&
        (static_cast<unsigned char>(utf8[i + 2]) & 0xFC) == 0x80 &&
        (static_cast<unsigned char>(utf8[i + 3]) & 0xC0) == 0x80) {
      if (!Utf8ToCp932(part, converted)) return false;
      out += converted;
      part.clear();
      out += static_cast<char>(((static_cast<unsigned char>(utf8[i + 2]) & 0x03) << 6) |
                               (static_cast<unsigned char>(utf8[i + 3]) & 0x3F));
      i += 4;
    } else {
      part += utf8[i++];
    }
  }
  if (!Utf8ToCp932(part, converted)) return false;
  out += converted;
  return true;
}

bool Cp932ToUtf8(const std::string& in, std::string& out) { return RunFromCp932(in, out, true); }

bool Utf8ToCp932(const std::string& in, std::string& out) { return RunToCp932(in, out, true); }

std::string ToUtf8(const std::string& cp932) {
  std::string out;
  RunFromCp932(cp932, out, false);
  return out;
}

std::string ToCp932(const std::string& utf8) {
  std::string out;
  RunToCp932(utf8, out, false);
  return out;
}

bool IsValidUtf8(const std::string& bytes) {
  std::uint32_t cp = 0;
  std::size_t len = 0;
  for (std::size_t i = 0; i < bytes.size(); i += len) {
    if (!DecodeUtf8(bytes, i, cp, len)) return false;
  }
  return true;
}

}  // namespace vesk
