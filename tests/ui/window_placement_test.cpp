#include "ui/logic/window_placement.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

using Values = std::vector<std::pair<std::string, int>>;

TEST(WindowPlacement, ClosingWhileMinimisedWritesNothing) {
  FrameClosingState s;
  s.minimized = true;
  s.x = 5;
  s.column0Width = 200;
  EXPECT_TRUE(FrameClosingValues(s).empty());
}

TEST(WindowPlacement, NormalWindowWritesRectangleAndSplitter) {
  FrameClosingState s;
  s.x = 10;
  s.y = 20;
  s.cx = 700;
  s.cy = 500;
  s.column0Width = 180;
  s.row0Height = 400;
  EXPECT_EQ(FrameClosingValues(s), (Values{{"x", 10},
                                           {"y", 20},
                                           {"cx", 700},
                                           {"cy", 500},
                                           {"max", 0},
                                           {"ps1cx", 180},
                                           {"ps1cy", 400},
                                           {"ps2cx", 0},
                                           {"ps2cy", 350}}));
}

TEST(WindowPlacement, MaximisedKeepsTheEarlierRectangle) {
  FrameClosingState s;
  s.maximized = true;
  s.x = -4;
  s.cx = 1920;
  s.column0Width = 130;
  s.row0Height = 30;
  EXPECT_EQ(FrameClosingValues(s),
            (Values{{"max", 1}, {"ps1cx", 130}, {"ps1cy", 30}, {"ps2cx", 0}, {"ps2cy", -20}}));
}

}  // namespace
}  // namespace vesk
