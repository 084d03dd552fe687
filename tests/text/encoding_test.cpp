#include "text/encoding.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(Encoding, RoundTripsJapaneseAndRefusesWhatCp932Lacks) {
  std::string sjis;
  ASSERT_TRUE(Utf8ToCp932("作業箱", sjis));
  EXPECT_EQ(sjis, "\x8D\xEC\x8B\xC6\x94\xA0");
  std::string back;
  ASSERT_TRUE(Cp932ToUtf8(sjis, back));
  EXPECT_EQ(back, "作業箱");
  std::string out;
  EXPECT_FALSE(Utf8ToCp932("\xF0\x9F\x98\x80", out));  // an emoji has no CP932 form
  EXPECT_FALSE(Cp932ToUtf8("\x81", out));              // a lone lead byte
  EXPECT_EQ(ToUtf8(std::string("a\x81")), "a?");
}

}  // namespace
}  // namespace vesk
