// The form of a path that a hand-over message carries on Windows.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "platform/hand_over_path.h"
#include "text/encoding.h"

namespace vesk::platform {
namespace {

TEST(HandOverPath, WindowsTakesBackslashesAndShiftJis) {
  std::string out;
  ASSERT_TRUE(HandOverPath("C:/サイト/引用 表/knrdata.html", out));
  EXPECT_EQ(out, ToCp932("C:\\サイト\\引用 表\\knrdata.html"));
  ASSERT_TRUE(HandOverPath("//server/share/a.html", out));
  EXPECT_EQ(out, "\\\\server\\share\\a.html");
}

TEST(HandOverPath, APathShiftJisCannotHoldIsRefusedNotApproximated) {
  std::string out;
  EXPECT_FALSE(HandOverPath("C:/caf\xC3\xA9/knrdata.html", out));   // é would become e
  EXPECT_FALSE(HandOverPath("C:/\xED\x95\x9C/knrdata.html", out));  // a Hangul syllable
  EXPECT_FALSE(HandOverPath("C:/\xFF/bad", out));                   // not UTF-8 at all
}

}  // namespace
}  // namespace vesk::platform

#endif
