// Shell scripts and descriptor numbers: the POSIX starter. The Windows one is tested beside.
#ifndef _WIN32

#include "platform/program_starter.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <thread>

#include "support/temp_folder.h"

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;

bool WaitForFile(const std::string& path) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    if (fs::exists(path) && fs::file_size(path) > 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(ProgramStarter, StartsThePathAsItStandsWithNoArgumentsAndNoInheritedFiles) {
  test::CTempFolder dir;
  // A path with a space: it is one program, not a program and an argument.
  fs::create_directories(dir.File("deep scout"));
  const std::string program = dir.File("deep scout/ds");
  const std::string report = dir.File("report");
  // An open descriptor that would survive exec unless the starter closes it.
  const int leaked = open(dir.File("leak").c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(leaked, 0);
  const int high = dup2(leaked, 57);
  ASSERT_EQ(high, 57);
  test::WriteBytes(program,
                   "#!/bin/sh\n"
                   "{ echo \"args=$#\"; ls /proc/$$/fd | tr '\\n' ' '; echo; } > \"" +
                       report +
                       ".tmp\"\n"
                       "mv \"" +
                       report + ".tmp\" \"" + report + "\"\n");
  ASSERT_EQ(chmod(program.c_str(), 0700), 0);

  auto starter = MakeProgramStarter();
  ASSERT_TRUE(starter->Start(program));
  close(leaked);
  close(high);
  ASSERT_TRUE(WaitForFile(report)) << "the program did not run";
  std::istringstream lines(test::ReadBytes(report));
  std::string args, fds;
  std::getline(lines, args);
  std::getline(lines, fds);
  EXPECT_EQ(args, "args=0");
  EXPECT_EQ((" " + fds).find(" 57 "), std::string::npos) << fds;

  // A bare name is found through PATH.
  fs::create_directories(dir.File("bin"));
  test::WriteBytes(dir.File("bin/ds-named"), "#!/bin/sh\necho named > \"" + report + "2\"\n");
  ASSERT_EQ(chmod(dir.File("bin/ds-named").c_str(), 0700), 0);
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
  setenv("PATH", (dir.File("bin") + ":" + oldPath).c_str(), 1);
  const bool named = starter->Start("ds-named");
  setenv("PATH", oldPath.c_str(), 1);
  ASSERT_TRUE(named);
  EXPECT_TRUE(WaitForFile(report + "2"));

  // Nothing to start: refused, and a failed exec is not taken for a start.
  EXPECT_FALSE(starter->Start(""));
  EXPECT_FALSE(starter->Start(dir.File("missing")));
  EXPECT_FALSE(starter->Start(dir.File("deep scout")));  // a folder
}

}  // namespace
}  // namespace vesk::platform

#endif
