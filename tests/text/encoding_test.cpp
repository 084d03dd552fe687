#include "text/encoding.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(Encoding, RoundTripsJapaneseAndRefusesWhatCp932Lacks) {
  std::string cp932;
  ASSERT_TRUE(Utf8ToCp932("作業箱", cp932));
  EXPECT_EQ(cp932, "\x8D\xEC\x8B\xC6\x94\xA0");
  std::string back;
  ASSERT_TRUE(Cp932ToUtf8(cp932, back));
  EXPECT_EQ(back, "作業箱");
  std::string out;
  EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80", out));  // an emoji has no CP932 form
  EXPECT_FALSE(Cp932ToUtf8("\x81", out));              // a lone lead byte
  EXPECT_EQ(ToUtf8(std::string("a\x81")), "a?");
}

TEST(Encoding, ValidUtf8IsStrict) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("plain 作業箱 \xF0\x9F\x98\x80"));
  // Shift_JIS bytes, a cut sequence, overlong forms, a surrogate and a code point above U+10FFFF.
  for (const char* bad : {"\x8D\xEC", "\xE4\xBD", "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF",
                          "\xED\xA0\x80", "\xF4\x90\x80\x80", "\x80"})
    EXPECT_FALSE(IsValidUtf8(std::string("ok") + bad)) << bad;
}

TEST(Encoding, LenientFormsPutOneQuestionMarkPerCharacter) {
  EXPECT_EQ(ToCp932("a😀b"), "a?b");
  EXPECT_EQ(ToCp932("😀😀"), "??");
  EXPECT_EQ(ToCp932("x\xFFy"), "x?y");  // a byte that starts no UTF-8 character
  EXPECT_EQ(ToCp932("Café"), "Caf?");
  EXPECT_EQ(ToUtf8(std::string("a\x85\x40"
                               "b")),
            "a?b");                                   // an unassigned double-byte code
  EXPECT_EQ(ToUtf8(std::string("a\x81 b")), "a? b");  // a lead byte without its second byte
  // Long texts go through the converter in several pieces.
  std::string longText(5000, 'x');
  longText += "😀作業箱";
  EXPECT_EQ(ToUtf8(ToCp932(longText)), std::string(5000, 'x') + "?作業箱");
}

}  // namespace
}  // namespace vesk
