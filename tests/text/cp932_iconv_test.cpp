// The tables agree with the C library's CP932 converter, which the Linux build always used: every
// character both ways, and mixed texts with damaged sequences in the strict and lenient forms.
#ifndef _WIN32
#include <iconv.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdint>
#include <random>
#include <string>

#include "text/cp932_text.h"
#include "text/encoding.h"
#include "text/utf16.h"

namespace vesk {
namespace {

std::size_t Utf8Len(const std::string& t, std::size_t i) {
  const unsigned char c = static_cast<unsigned char>(t[i]);
  std::size_t len = c >= 0xF0 && c <= 0xF4   ? 4
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xC2 && c <= 0xDF ? 2
                                             : 1;
  for (std::size_t k = 1; k < len; ++k)
    if (i + k >= t.size() || (static_cast<unsigned char>(t[i + k]) & 0xC0) != 0x80) return 1;
  return len;
}

// The conversion as iconv gives it: on a failure stop (strict) or write '?' and skip the
// character's length.
bool Reference(const char* to, const char* from, const std::string& in, std::string& out,
               bool strict, bool fromCp932) {
  iconv_t cd = iconv_open(to, from);
  EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
  out.clear();
  bool ok = true;
  char buf[256];
  char* src = const_cast<char*>(in.data());
  std::size_t left = in.size();
  while (left > 0) {
    char* dst = buf;
    std::size_t room = sizeof buf;
    const std::size_t r = iconv(cd, &src, &left, &dst, &room);
    const int err = errno;
    out.append(buf, static_cast<std::size_t>(dst - buf));
    if (r != static_cast<std::size_t>(-1) || err == E2BIG) continue;
    ok = false;
    if (strict) break;
    const std::size_t at = in.size() - left;
    const std::size_t n = std::min(fromCp932 ? MbsCharLen(in, at) : Utf8Len(in, at), left);
    out.push_back('?');
    src += n;
    left -= n;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  iconv_close(cd);
  return ok;
}

void ExpectSameFromCp932(const std::string& in) {
  std::string want, got;
  const bool wantOk = Reference("UTF-8", "CP932", in, want, true, true);
  EXPECT_EQ(Cp932ToUtf8(in, got), wantOk) << testing::PrintToString(in);
  EXPECT_EQ(got, want) << testing::PrintToString(in);
  Reference("UTF-8", "CP932", in, want, false, true);
  EXPECT_EQ(ToUtf8(in), want) << testing::PrintToString(in);
}

void ExpectSameToCp932(const std::string& in) {
  std::string want, got;
  const bool wantOk = Reference("CP932", "UTF-8", in, want, true, false);
  EXPECT_EQ(Utf8ToCp932(in, got), wantOk) << testing::PrintToString(in);
  EXPECT_EQ(got, want) << testing::PrintToString(in);
  Reference("CP932", "UTF-8", in, want, false, false);
  EXPECT_EQ(ToCp932(in), want) << testing::PrintToString(in);
}

TEST(Cp932Tables, EveryByteAndPairDecodesAsTheCLibraryDoes) {
  for (int a = 0; a < 256; ++a) {
    ExpectSameFromCp932(std::string(1, static_cast<char>(a)));
    for (int b = 0; b < 256; ++b) {
      std::string pair{static_cast<char>(a), static_cast<char>(b)};
      std::string want, got;
      const bool wantOk = Reference("UTF-8", "CP932", pair, want, true, true);
      ASSERT_EQ(Cp932ToUtf8(pair, got), wantOk) << a << " " << b;
      ASSERT_EQ(got, want) << a << " " << b;
    }
  }
}

TEST(Cp932Tables, EveryCodePointEncodesAsTheCLibraryDoes) {
  for (std::uint32_t cp = 0; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    std::string utf8;
    AppendUtf8CodePoint(utf8, cp);
    std::string want, got;
    const bool wantOk = Reference("CP932", "UTF-8", utf8, want, true, false);
    ASSERT_EQ(Utf8ToCp932(utf8, got), wantOk) << std::hex << cp;
    ASSERT_EQ(got, want) << std::hex << cp;
  }
}

TEST(Cp932Tables, DamagedUtf8IsRefusedAsTheCLibraryDoes) {
  // Overlong forms, encoded surrogates, beyond U+10FFFF, cut and stray bytes, a BOM.
  for (const char* s : {"\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xED\xA0\x80",
                        "\xED\xBF\xBF", "\xF0\x80\x80\x80", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
                        "\xE3\x81", "a\xE3", "\x80z", "\xFE\xFF",
                        "\xEF\xBB\xBF"
                        "abc",
                        "\xF3\xA0\x80\x81x", "\xE3\x81\x82\xE3\x41"})
    ExpectSameToCp932(s);
}

TEST(Cp932Tables, MixedTextsWithDamageConvertAsTheCLibraryDoes) {
  std::mt19937 rng(932);
  // Pieces that matter: Japanese in both encodings, lead bytes, ASCII separators, junk.
  const std::string pieces[] = {
      "a",        ",",    "\"",           "\n",       "\x81",         "\x82\xA0",
      "\x88\x9F", "\xA1", "\xFD",         "\x80",     "\xEE\xEC",     "\xFA\x40",
      "\x87\x40", "あ",   "漢字",         "😀",        "\xE3\x81",     "\xC3\xA9",
      "\xFF",     "~\\",  "\xE2\x80\xBE", "\xC2\xA5", "\xEF\xBF\xA2", "\xE2\x88\xA5"};
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    const int n = static_cast<int>(rng() % 12);
    for (int k = 0; k < n; ++k) text += pieces[rng() % std::size(pieces)];
    ExpectSameFromCp932(text);
    ExpectSameToCp932(text);
    // The lossless form comes back as the same bytes, whatever they are.
    std::string back;
    ASSERT_TRUE(FromUtf8Lossless(ToUtf8Lossless(text), back));
    EXPECT_EQ(back, text);
  }
}

}  // namespace
}  // namespace vesk
#endif
