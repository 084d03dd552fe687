// The POSIX instance channel and tools run through the shell; the Windows process calls are
// tested beside.
#ifndef _WIN32

#include "platform/instance_channel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/run_tool.h"
#include "support/temp_folder.h"

namespace vesk::platform {
namespace {

// Sends from a second thread while the primary keeps receiving, as the running program does
// from its timer.
std::vector<std::string> DeliverAndReceive(CInstanceChannel& primary, const std::string& message,
                                           bool& sent) {
  CInstanceChannel second(primary.Folder());
  EXPECT_EQ(second.Claim(), InstanceRole::Secondary);
  std::thread sender([&] { sent = second.Send(message, 5000); });
  std::vector<std::string> got;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (got.empty() && std::chrono::steady_clock::now() < deadline) {
    got = primary.Receive();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  sender.join();
  return got;
}

TEST(InstanceChannelTest, SecondStartReachesTheFirstWithTheWholeMessage) {
  test::CTempFolder tmp;
  CInstanceChannel first(tmp.Str());
  ASSERT_EQ(first.Claim(), InstanceRole::Primary);
  struct stat st;
  ASSERT_EQ(::stat((tmp.Str() + "/vesk.sock").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 077, 0u) << "socket open to others";

  // Bytes of any value, NULs included, and more than one read's worth.
  std::string message = std::string("vesk-open 1\n/a b/\xE6\x97\xA5.knd") + '\0';
  message += std::string(10000, 'x');
  bool sent = false;
  auto got = DeliverAndReceive(first, message, sent);
  EXPECT_TRUE(sent);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], message);
  EXPECT_TRUE(first.Receive().empty());
}

TEST(InstanceChannelTest, NobodyListeningIsAFailedSendNotAHang) {
  test::CTempFolder tmp;
  CInstanceChannel lone(tmp.Str());
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(lone.Send("x", 300));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  EXPECT_EQ(CInstanceChannel("").Claim(), InstanceRole::Alone);
}

TEST(InstanceChannelTest, LockAndSocketOfACrashedInstanceBlockNothing) {
  test::CTempFolder tmp;
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Claims, then dies without any clean-up, as a crash would.
    CInstanceChannel crashed(tmp.Str());
    ::_exit(crashed.Claim() == InstanceRole::Primary ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  struct stat st;
  ASSERT_EQ(::lstat((tmp.Str() + "/vesk.sock").c_str(), &st), 0) << "no stale socket to test";

  CInstanceChannel next(tmp.Str());
  ASSERT_EQ(next.Claim(), InstanceRole::Primary);
  bool sent = false;
  auto got = DeliverAndReceive(next, "hello", sent);
  EXPECT_TRUE(sent);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], "hello");
}

// A local client of the channel that connects and then sends as slowly as it likes.
int ConnectRaw(const std::string& folder) {
  const std::string path = folder + "/vesk.sock";
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

TEST(InstanceChannelTest, HostileClientsNeitherBlockTheOwnerNorKeepOutARealStart) {
  test::CTempFolder tmp;
  CInstanceChannel first(tmp.Str());
  ASSERT_EQ(first.Claim(), InstanceRole::Primary);
  std::atomic<int> wakes{0};
  first.SetWake([&] { ++wakes; });

  // Idle connections, and slow senders that trickle one byte at a time and never finish; more
  // of them than the channel keeps open at once.
  std::vector<int> idle;
  for (int i = 0; i < 60; ++i) idle.push_back(ConnectRaw(tmp.Str()));
  std::vector<int> slow;
  for (int i = 0; i < 40; ++i) slow.push_back(ConnectRaw(tmp.Str()));
  for (int fd : idle) ASSERT_GE(fd, 0);
  for (int fd : slow) ASSERT_GE(fd, 0);
  std::atomic<bool> stop{false};
  std::thread trickle([&] {
    while (!stop) {
      for (int fd : slow) ::send(fd, "x", 1, MSG_NOSIGNAL | MSG_DONTWAIT);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });

  // The owner's reads return at once whatever the clients do.
  for (int i = 0; i < 20; ++i) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(first.Receive().empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  // A real second start is answered within a second, although nobody calls Receive meanwhile.
  CInstanceChannel second(tmp.Str());
  ASSERT_EQ(second.Claim(), InstanceRole::Secondary);
  EXPECT_TRUE(second.Send("real", 1000));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (wakes == 0 && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_GE(wakes.load(), 1) << "the owner was not woken";
  const auto got = first.Receive();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0], "real");

  stop = true;
  trickle.join();
  for (int fd : idle) ::close(fd);
  for (int fd : slow) ::close(fd);
}

TEST(InstanceChannelTest, OversizedAndEndlessMessagesAreDropped) {
  test::CTempFolder tmp;
  CInstanceChannel first(tmp.Str());
  ASSERT_EQ(first.Claim(), InstanceRole::Primary);
  // More than a hand-over may hold: the connection is closed, nothing is delivered.
  const int big = ConnectRaw(tmp.Str());
  ASSERT_GE(big, 0);
  const std::string chunk(64 * 1024, 'y');
  std::size_t sent = 0;
  for (int i = 0; i < 8; ++i) {
    const ssize_t n = ::send(big, chunk.data(), chunk.size(), MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  ::shutdown(big, SHUT_WR);
  char receipt = 0;
  EXPECT_LE(::recv(big, &receipt, 1, 0), 0) << "an oversized message was confirmed";
  ::close(big);
  // A sender that never finishes is cut off after a bounded time.
  const int endless = ConnectRaw(tmp.Str());
  ASSERT_GE(endless, 0);
  ::send(endless, "z", 1, MSG_NOSIGNAL);
  timeval tv{10, 0};
  ::setsockopt(endless, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(::recv(endless, &receipt, 1, 0), 0) << "the channel never hung up";
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  ::close(endless);
  EXPECT_TRUE(first.Receive().empty());
}

TEST(InstanceChannelTest, RuntimeFolderIsUsedOnlyWhenPrivate) {
  test::CTempFolder tmp;
  const char* old = std::getenv("XDG_RUNTIME_DIR");
  const std::string saved = old != nullptr ? old : "";
  ::chmod(tmp.Str().c_str(), 0700);
  ::setenv("XDG_RUNTIME_DIR", tmp.Str().c_str(), 1);
  const std::string folder = InstanceFolder();
  EXPECT_EQ(folder, tmp.Str() + "/vesk");
  struct stat st;
  ASSERT_EQ(::stat(folder.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  // Someone made our folder open to others: it is not used.
  ::chmod(folder.c_str(), 0755);
  EXPECT_EQ(InstanceFolder(), "");
  // A link in its place is not followed.
  ::rmdir(folder.c_str());
  ::mkdir((tmp.Str() + "/elsewhere").c_str(), 0700);
  ASSERT_EQ(::symlink((tmp.Str() + "/elsewhere").c_str(), folder.c_str()), 0);
  EXPECT_EQ(InstanceFolder(), "");
  if (old != nullptr)
    ::setenv("XDG_RUNTIME_DIR", saved.c_str(), 1);
  else
    ::unsetenv("XDG_RUNTIME_DIR");
}

TEST(RunToolTest, ExitStatusMissingProgramAndTimeLimit) {
  EXPECT_EQ(RunTool({"sh", "-c", "exit 3"}, 5000), 3);
  EXPECT_EQ(RunTool({"vesk-no-such-tool-here"}, 5000), -1);
  EXPECT_TRUE(ToolExists("sh"));
  EXPECT_FALSE(ToolExists("vesk-no-such-tool-here"));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunTool({"sleep", "10"}, 200), -1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  // Arguments reach the program as they are, never through a shell.
  test::CTempFolder tmp;
  const std::string odd = tmp.File("a b;$(touch x)");
  EXPECT_EQ(RunTool({"touch", odd}, 5000), 0);
  EXPECT_EQ(::access(odd.c_str(), F_OK), 0);
  EXPECT_NE(OwnProgramPath().find("test_platform"), std::string::npos);
}

}  // namespace
}  // namespace vesk::platform

#endif
