#include "text/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>

#include "text/sjis_text.h"

namespace vesk {
namespace {

// One converter per direction and thread, opened on first use and kept: opening a converter
// costs far more than a short conversion.
class CConverter {
 public:
  CConverter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
    if (m_cd == reinterpret_cast<iconv_t>(-1))
      throw CEncodingError(std::string("no converter from ") + from + " to " + to);
  }
  ~CConverter() { iconv_close(m_cd); }
  CConverter(const CConverter&) = delete;
  CConverter& operator=(const CConverter&) = delete;

  // Converts in; on a character that cannot be converted either stops (strict) or writes one
  // '?' for it and goes on. skip gives the byte length of the character starting at a position.
  template <typename Skip>
  bool Run(const std::string& in, std::string& out, bool strict, Skip skip) {
    out.clear();
    iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    bool ok = true;
    char buf[1024];
    char* src = const_cast<char*>(in.data());
    std::size_t srcLeft = in.size();
    while (srcLeft > 0) {
      char* dst = buf;
      std::size_t dstLeft = sizeof buf;
      std::size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
      const int err = errno;
      out.append(buf, static_cast<std::size_t>(dst - buf));
      if (r != static_cast<std::size_t>(-1)) continue;
      if (err == E2BIG) continue;
      if (err != EILSEQ && err != EINVAL) throw CEncodingError("character conversion failed");
      ok = false;
      if (strict) break;
      std::size_t at = in.size() - srcLeft;
      std::size_t n = std::min(skip(in, at), srcLeft);
      out.push_back('?');
      src += n;
      srcLeft -= n;
      iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    }
    return ok;
  }

 private:
  iconv_t m_cd;
};

CConverter& FromCp932() {
  thread_local CConverter c("UTF-8", "CP932");
  return c;
}

CConverter& ToCp932Converter() {
  thread_local CConverter c("CP932", "UTF-8");
  return c;
}

// A Shift_JIS character: a lead byte with its second byte, else one byte.
std::size_t SjisCharAt(const std::string& text, std::size_t i) { return MbsCharLen(text, i); }

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

// Converts one short piece strictly with an open descriptor; false on any failure.
bool ConvertPiece(iconv_t cd, const char* data, std::size_t size, std::string& out) {
  out.clear();
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buf[32];
  char* src = const_cast<char*>(data);
  std::size_t srcLeft = size;
  char* dst = buf;
  std::size_t dstLeft = sizeof buf;
  if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
  if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1)) return false;
  out.assign(buf, static_cast<std::size_t>(dst - buf));
  return true;
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
  iconv_t there = iconv_open("UTF-8", "CP932");
  iconv_t home = iconv_open("CP932", "UTF-8");
  std::string piece, again;
  for (std::size_t i = 0; i < cp932.size();) {
    std::size_t n =
        IsLeadByte(static_cast<unsigned char>(cp932[i])) && i + 1 < cp932.size() ? 2 : 1;
    bool ok = there != reinterpret_cast<iconv_t>(-1) && home != reinterpret_cast<iconv_t>(-1) &&
              ConvertPiece(there, cp932.data() + i, n, piece) &&
              ConvertPiece(home, piece.data(), piece.size(), again) && again == cp932.substr(i, n);
    if (ok) {
      out += piece;
      i += n;
    } else {
      // A byte (or a character that would not come back the same) is kept as its escape; a lead
      // byte alone, so that the byte after it gets its own chance.
      AppendByteEscape(out, static_cast<unsigned char>(cp932[i]));
      ++i;
    }
  }
  if (there != reinterpret_cast<iconv_t>(-1)) iconv_close(there);
  if (home != reinterpret_cast<iconv_t>(-1)) iconv_close(home);
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

bool Cp932ToUtf8(const std::string& in, std::string& out) {
  return FromCp932().Run(in, out, true, SjisCharAt);
}

bool Utf8ToCp932(const std::string& in, std::string& out) {
  return ToCp932Converter().Run(in, out, true, Utf8CharAt);
}

std::string ToUtf8(const std::string& cp932) {
  std::string out;
  FromCp932().Run(cp932, out, false, SjisCharAt);
  return out;
}

std::string ToCp932(const std::string& utf8) {
  std::string out;
  ToCp932Converter().Run(utf8, out, false, Utf8CharAt);
  return out;
}

}  // namespace vesk
