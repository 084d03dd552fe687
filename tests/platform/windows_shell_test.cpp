// The Windows forms of the shell services: the Favorites known folder and the one-instance
// channel on the named mutex. (Windows found by title need a display: the desktop test of the
// search program covers them.)
#ifdef _WIN32

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/favorites_folder.h"
#include "platform/file_system.h"
#include "platform/instance_channel.h"

namespace vesk::platform {
namespace {

TEST(WindowsShell, FavoritesIsTheKnownFolderInTheProgramsPathForm) {
  const std::string folder = SystemFavoritesFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.find('\\'), std::string::npos);
  EXPECT_EQ(folder.substr(1, 2), ":/");
  EXPECT_EQ(GetPathKind(folder), PathKind::Folder);
}

TEST(WindowsShell, SecondChannelHandsItsMessageToTheFirst) {
  CInstanceChannel first(InstanceFolder());
  ASSERT_EQ(first.Claim(), InstanceRole::Primary);
  int woken = 0;
  first.SetWake([&woken] { ++woken; });
  CInstanceChannel second(InstanceFolder());
  ASSERT_EQ(second.Claim(), InstanceRole::Secondary);
  const std::string message = std::string("vesk-open 1\nC:/d/a.knd") + '\0';
  ASSERT_TRUE(second.Send(message, 5000));
  const auto got = first.Receive();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], message);
  EXPECT_EQ(woken, 1);
  EXPECT_TRUE(first.Receive().empty());
  first.SetWake({});
}

TEST(WindowsShell, SendingWithoutARunningInstanceGivesUpInTime) {
  CInstanceChannel lone(InstanceFolder());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(lone.Send("x", 300));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
}

}  // namespace
}  // namespace vesk::platform

#endif
