// Starting other programs on Windows: exit status, tools found on PATH, and what a start refuses.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <string>

#include "platform/file_system.h"
#include "platform/program_starter.h"
#include "platform/run_tool.h"
#include "support/temp_folder.h"

namespace vesk::platform {
namespace {

TEST(WindowsProcess, RunToolGivesTheExitStatusAndFindsToolsOnThePath) {
  EXPECT_EQ(RunTool({"cmd", "/c", "exit 3"}, 20000), 3);
  EXPECT_EQ(RunTool({"vesk-no-such-tool-here"}, 5000), -1);
  EXPECT_EQ(RunTool({}, 5000), -1);
  EXPECT_TRUE(ToolExists("cmd"));
  EXPECT_FALSE(ToolExists("vesk-no-such-tool-here"));
  EXPECT_FALSE(ToolExists("C:/windows/system32/cmd.exe"));  // names only, as on PATH
}

TEST(WindowsProcess, StarterRefusesWhatIsNoProgramAndStartsOneByName) {
  auto starter = MakeProgramStarter();
  EXPECT_FALSE(starter->Start(""));
  test::CTempFolder dir;
  EXPECT_FALSE(starter->Start(dir.File("missing.exe")));
  EXPECT_FALSE(starter->Start(dir.Str()));  // a folder
  EXPECT_TRUE(starter->Start("hostname"));  // found on PATH, ends by itself
  EXPECT_NE(OwnProgramPath().find("test_platform"), std::string::npos);
}

}  // namespace
}  // namespace vesk::platform

#endif
