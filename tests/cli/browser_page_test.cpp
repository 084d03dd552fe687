// vesk-cli browser-page as a script uses it: one line URL<TAB>TITLE<TAB>SOURCE in UTF-8, or exit
// 1 with a message; the user's own home is never looked at.
#include <gtest/gtest.h>
#include <lz4.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <cstdlib>
#include <filesystem>

#include "app/capture/session_file.h"
#include "cli/cli_runner.h"
#include "support/loopback_http_server.h"

namespace vesk {
namespace {

using test::CCliRunner;

#ifdef _WIN32
TEST(BrowserPageCommand, LinuxBrowserProfilesOnly) {
  GTEST_SKIP() << "the running browsers are found in their Linux profiles below HOME "
                  "(symbolic-link locks, POSIX process ids)";
}
#else
// HOME points into the test's folder while the test runs.
class ScopedHome {
 public:
  explicit ScopedHome(const std::string& home) {
    if (const char* old = std::getenv("HOME")) m_old = old;
    ::setenv("HOME", home.c_str(), 1);
  }
  ~ScopedHome() { ::setenv("HOME", m_old.c_str(), 1); }

 private:
  std::string m_old;
};

std::string MozLz4(const std::string& json) {
  std::string packed(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(json.size()))),
                     '\0');
  packed.resize(static_cast<std::size_t>(LZ4_compress_default(
      json.data(), packed.data(), static_cast<int>(json.size()), static_cast<int>(packed.size()))));
  std::string size(4, '\0');
  for (int i = 0; i < 4; ++i) size[i] = static_cast<char>((json.size() >> (8 * i)) & 0xFF);
  return std::string("mozLz40\0", 8) + size + packed;
}

TEST(BrowserPageCommand, PrintsTheRunningBrowsersPageOrFails) {
  CCliRunner cli;
  test::CTempFolder home;
  ScopedHome scoped(home.Str());

  // The endpoint's port is one that nothing listens on (a server's, after it has ended).
  int closedPort = 0;
  {
    test::CLoopbackHttpServer gone([](const test::CLoopbackHttpServer::Request&) {
      return test::CLoopbackHttpServer::Response{};
    });
    closedPort = gone.Port();
  }
  ASSERT_EQ(
      cli.Run({"config", "set", "Settings\\Capture", "DevToolsPort", std::to_string(closedPort)})
          .exitCode,
      0);
  const std::string settings = test::ReadBytes(cli.SettingsFile());

  auto r = cli.Run({"browser-page"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("no browser page"), std::string::npos) << r.err;
  EXPECT_EQ(test::ReadBytes(cli.SettingsFile()), settings);  // asking writes no settings

  // An older Firefox keeps its profiles in the home folder; this process stands for it.
  const std::string root = home.Path() + ".mozilla/firefox";
  std::filesystem::create_directories(root + "/abc.default/sessionstore-backups");
  test::WriteBytes(root + "/profiles.ini", "[Profile0]\nIsRelative=1\nPath=abc.default\n");
  test::WriteBytes(root + "/abc.default/sessionstore-backups/recovery.jsonlz4",
                   MozLz4(R"({"windows":[{"tabs":[{"entries":[{"url":"file:///tmp/a%20b.html",
                              "title":"試験\tページ"}]}]}]})"));
  ASSERT_EQ(::symlink(("127.0.0.1:+" + std::to_string(::getpid())).c_str(),
                      (root + "/abc.default/lock").c_str()),
            0);
  r = cli.Run({"browser-page"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "file:///tmp/a%20b.html\t試験 ページ\tfirefox\n");
}

TEST(BrowserPageCommand, AsksTheEndpointOnThePortOfTheSettings) {
  CCliRunner cli;
  test::CTempFolder home;
  ScopedHome scoped(home.Str());
  test::CLoopbackHttpServer server([](const test::CLoopbackHttpServer::Request& request) {
    test::CLoopbackHttpServer::Response out;
    if (request.path != "/json/list") out.status = 404;
    out.body = R"([{"type":"iframe","url":"http://frame/"},
                   {"type":"page","url":"https://dev.example/","title":"開発"}])";
    return out;
  });
  ASSERT_EQ(
      cli.Run({"config", "set", "Settings\\Capture", "DevToolsPort", std::to_string(server.Port())})
          .exitCode,
      0);
  // Only a running browser that names the port is asked there.
  EXPECT_NE(cli.Run({"browser-page"}).out, "https://dev.example/\t開発\tchromium-devtools\n");
  const std::string data = cli.ConfigHome() + "/chromium";
  std::filesystem::create_directories(data);
  test::WriteBytes(data + "/DevToolsActivePort", std::to_string(server.Port()) + "\n/x\n");
  ASSERT_EQ(::symlink((HostName() + "-" + std::to_string(::getpid())).c_str(),
                      (data + "/SingletonLock").c_str()),
            0);
  auto r = cli.Run({"browser-page"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "https://dev.example/\t開発\tchromium-devtools\n");
}
#endif

}  // namespace
}  // namespace vesk
