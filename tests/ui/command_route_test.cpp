// The command route: a command runs what was joined for it last, and only that.
#include "ui/logic/command_route.h"

#include <gtest/gtest.h>

#include <string>

namespace vesk {
namespace {

TEST(CommandRouteTest, RunsWhatWasJoinedLastAndNothingForOthers) {
  CCommandRoute route;
  std::string ran;
  EXPECT_FALSE(route.Has(kCmdFileNew));
  EXPECT_FALSE(route.Run(kCmdFileNew));
  route.Join(kCmdFileNew, [&] { ran += "new "; });
  route.Join(kCmdEditUndo, [&] { ran += "undo "; });
  EXPECT_TRUE(route.Has(kCmdFileNew));
  EXPECT_TRUE(route.Run(kCmdFileNew));
  EXPECT_TRUE(route.Run(kCmdEditUndo));
  route.Join(kCmdFileNew, [&] { ran += "again "; });
  EXPECT_TRUE(route.Run(kCmdFileNew));
  EXPECT_FALSE(route.Run(kCmdFileOpen));
  EXPECT_EQ(ran, "new undo again ");
}

TEST(CommandRouteTest, AHandlerMayJoinAnotherWhileItRuns) {
  CCommandRoute route;
  int runs = 0;
  route.Join(kCmdFileNew, [&] {
    ++runs;
    route.Join(kCmdFileNew, [&] { runs += 10; });
  });
  EXPECT_TRUE(route.Run(kCmdFileNew));
  EXPECT_TRUE(route.Run(kCmdFileNew));
  EXPECT_EQ(runs, 11);
  route.Join(kCmdFileOpen, nullptr);  // an empty handler runs nothing
  EXPECT_FALSE(route.Run(kCmdFileOpen));
}

}  // namespace
}  // namespace vesk
