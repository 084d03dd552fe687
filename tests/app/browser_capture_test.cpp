// Where the capture looks and what it makes: only running browsers are asked, the one used last
// first, then the clipboard; the page becomes one undoable link placed by the list.
#include <gtest/gtest.h>
#include <lz4.h>
#ifndef _WIN32
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>

#include "app/capture/browser_capture.h"
#include "app/capture/capture_link.h"
#include "app/capture/dde_reply.h"
#include "app/capture/local_page_title.h"
#include "app/capture/session_file.h"
#include "support/doc_fixture.h"
#include "support/view_recorder.h"
#include "text/encoding.h"

namespace vesk {
namespace {

using test::CTempFolder;
namespace fs = std::filesystem;

#ifdef _WIN32
// The discovery reads Firefox's and Chromium's Linux profile folders, whose locks are symbolic
// links naming POSIX processes; none of it has a form Wine can stand for.
TEST(BrowserDiscoveryTest, LinuxBrowserProfilesOnly) {
  GTEST_SKIP() << "the running browsers are found in their Linux profiles (symbolic-link locks, "
                  "POSIX process ids)";
}
#else
std::string MozLz4(const std::string& json) {
  std::string packed(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(json.size()))),
                     '\0');
  packed.resize(static_cast<std::size_t>(LZ4_compress_default(
      json.data(), packed.data(), static_cast<int>(json.size()), static_cast<int>(packed.size()))));
  std::string size(4, '\0');
  for (int i = 0; i < 4; ++i) size[i] = static_cast<char>((json.size() >> (8 * i)) & 0xFF);
  return std::string("mozLz40\0", 8) + size + packed;
}

// A one-tab Chromium session log showing url.
std::string ChromiumLog(const std::string& url) {
  auto le = [](std::uint32_t v) {
    std::string s(4, '\0');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
  };
  auto command = [](unsigned id, const std::string& payload) {
    const std::size_t size = payload.size() + 1;
    return std::string{static_cast<char>(size & 0xFF), static_cast<char>(size >> 8),
                       static_cast<char>(id)} +
           payload;
  };
  std::string padded = url;
  while (padded.size() % 4 != 0) padded += '\0';
  const std::string nav =
      le(7) + le(0) + le(static_cast<std::uint32_t>(url.size())) + padded + le(0);
  return "SNSS" + le(3) + command(0, le(1) + le(7)) + command(2, le(7) + le(0)) +
         command(8, le(1) + le(0)) + command(6, le(static_cast<std::uint32_t>(nav.size())) + nav);
}

void SetTime(const std::string& path, long seconds) {
  struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << path;
}

class BrowserDiscoveryTest : public ::testing::Test {
 protected:
  BrowserDiscoveryTest() {
    env.home = dir.Path() + "home";
    env.configHome = dir.Path() + "config";
    env.devToolsPort = 9399;
  }

  // A Firefox profile listed in profiles.ini under the configuration folder; running when pid
  // is live.
  std::string FirefoxShowing(const std::string& url, long pid, long time) {
    const std::string root = env.configHome + "/mozilla/firefox";
    fs::create_directories(root + "/p.test/sessionstore-backups");
    test::WriteBytes(root + "/profiles.ini", "[Profile0]\nName=t\nIsRelative=1\nPath=p.test\n");
    const std::string file = root + "/p.test/sessionstore-backups/recovery.jsonlz4";
    test::WriteBytes(file, MozLz4(R"({"windows":[{"tabs":[{"entries":[{"url":")" + url +
                                  R"(","title":"Fx"}]}]}]})"));
    ::symlink(("127.0.0.1:+" + std::to_string(pid)).c_str(), (root + "/p.test/lock").c_str());
    SetTime(file, time);
    return file;
  }

  std::string ChromiumShowing(const std::string& url, long pid, long time,
                              const std::string& host = HostName()) {
    const std::string data = env.configHome + "/chromium";
    fs::create_directories(data + "/Default/Sessions");
    const std::string file = data + "/Default/Sessions/Session_13400000000000000";
    test::WriteBytes(file, ChromiumLog(url));
    ::symlink((host + "-" + std::to_string(pid)).c_str(), (data + "/SingletonLock").c_str());
    SetTime(file, time);
    return file;
  }

  CTempFolder dir;
  CaptureEnvironment env;
};

// A process id that is not alive.
constexpr long kDeadPid = 2147483646;

TEST_F(BrowserDiscoveryTest, TheBrowserUsedLastAnswersFirst) {
  EXPECT_FALSE(FindBrowserPage(env));
  FirefoxShowing("http://fx/", ::getpid(), 1000);
  ChromiumShowing("http://cr/", ::getpid(), 2000);
  auto page = FindBrowserPage(env);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://cr/");
  EXPECT_EQ(page->source, "chromium");

  SetTime(env.configHome + "/mozilla/firefox/p.test/sessionstore-backups/recovery.jsonlz4", 3000);
  page = FindBrowserPage(env);
  EXPECT_EQ(page->url, "http://fx/");
  EXPECT_EQ(page->title, "Fx");
  EXPECT_EQ(page->source, "firefox");
}

// Chromium's session file has no title for a local page that has not navigated since: the
// title comes from the page's file.
TEST_F(BrowserDiscoveryTest, ALocalPageWithoutATitleInTheSessionIsReadForIt) {
  fs::create_directories(dir.File("my pages"));
  const std::string page = dir.File("my pages/p.html");
  test::WriteBytes(page,
                   "<!DOCTYPE html><HTML><head><meta charset=\"utf-8\">\n<TITLE lang=ja>\n"
                   "  \xE6\x97\xA5\xE6\x9C\xAC &amp;\t page </title></head></html>");
  ChromiumShowing("file://" + dir.File("my%20pages/p.html") + "#part", ::getpid(), 2000);
  auto found = FindBrowserPage(env);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->title, "\xE6\x97\xA5\xE6\x9C\xAC & page");

  // A Shift_JIS page says so before its title.
  test::WriteBytes(page, "<meta charset=Shift_JIS><title>\x93\xFA\x96\x7B</title>");
  EXPECT_EQ(LocalPageTitle("file://" + dir.File("my%20pages/p.html")), "\xE6\x97\xA5\xE6\x9C\xAC");
  // Nothing but a regular local file is read.
  EXPECT_EQ(LocalPageTitle("http://" + dir.File("my%20pages/p.html")), "");
  EXPECT_EQ(LocalPageTitle("file://host" + dir.File("my%20pages/p.html")), "");
  EXPECT_EQ(LocalPageTitle("file://" + dir.File("my%20pages")), "");
  EXPECT_EQ(LocalPageTitle("file://" + dir.File("my%00pages/p.html")), "");
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_EQ(LocalPageTitle("file://" + dir.File("fifo")), "");  // never waits on a pipe
  test::WriteBytes(page, "<title>no end");
  EXPECT_EQ(LocalPageTitle("file://" + page), "");
}

TEST_F(BrowserDiscoveryTest, AnAppWindowsLogCountsWhenItIsTheNewest) {
  ChromiumShowing("http://cr/", ::getpid(), 2000);
  const std::string apps = env.configHome + "/chromium/Default/Sessions/Apps_13400000000000001";
  test::WriteBytes(apps, ChromiumLog("http://app/"));
  SetTime(apps, 2500);
  EXPECT_EQ(FindBrowserPage(env)->url, "http://app/");
  SetTime(apps, 1500);
  EXPECT_EQ(FindBrowserPage(env)->url, "http://cr/");
}

TEST_F(BrowserDiscoveryTest, ClosedBrowsersAreNotAskedAndTheClipboardComesLast) {
  FirefoxShowing("http://fx/", kDeadPid, 3000);
  ChromiumShowing("http://cr/", ::getpid(), 2000, "another-machine");
  EXPECT_FALSE(FindFirefoxSession(env));
  EXPECT_FALSE(FindChromiumSession(env));
  EXPECT_FALSE(FindBrowserPage(env));

  struct Clip : IClipboardSource {
    std::optional<std::string> MozUrl() override { return std::nullopt; }
    std::optional<std::string> Text() override { return std::string("https://clip.example/\n"); }
  } clip;
  env.clipboard = &clip;
  auto page = FindBrowserPage(env);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "https://clip.example/");
  EXPECT_EQ(page->source, "clipboard");
}

TEST_F(BrowserDiscoveryTest, TheEndpointIsAskedBeforeTheSessionFilesOnLoopbackOnly) {
  ChromiumShowing("http://cr/", ::getpid(), 2000);
  test::WriteBytes(env.configHome + "/chromium/DevToolsActivePort", "9399\n/devtools/browser/x\n");
  std::vector<std::string> asked;
  env.fetchDevTools = [&asked](const std::string& host, int port) -> std::optional<std::string> {
    asked.push_back(host + ":" + std::to_string(port));
    return std::string(R"([{"type":"page","url":"http://dev/","title":"a\tb\nc"}])");
  };
  auto page = FindBrowserPage(env);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://dev/");
  EXPECT_EQ(page->title, "a b c");  // control characters would break the record
  EXPECT_EQ(page->source, "chromium-devtools");
  EXPECT_EQ(asked, std::vector<std::string>{"127.0.0.1:9399"});

  // An endpoint that answers nothing usable leaves the session files.
  env.fetchDevTools = [&asked](const std::string& host, int) -> std::optional<std::string> {
    asked.push_back(host);
    return std::string("[]");
  };
  asked.clear();
  EXPECT_EQ(FindBrowserPage(env)->url, "http://cr/");
  EXPECT_EQ(asked, (std::vector<std::string>{"127.0.0.1", "::1"}));
}

// Any local process can listen on the port: only a running browser whose own files name the
// port is asked there.
TEST_F(BrowserDiscoveryTest, TheEndpointIsAskedOnlyWhenTheBrowsersLockAndPortFileSaySo) {
  int asked = 0;
  env.fetchDevTools = [&asked](const std::string&, int) -> std::optional<std::string> {
    ++asked;
    return std::string(R"([{"type":"page","url":"http://impostor/"}])");
  };
  EXPECT_FALSE(FindBrowserPage(env));  // no browser at all
  const std::string data = env.configHome + "/chromium";
  fs::create_directories(data);
  test::WriteBytes(data + "/DevToolsActivePort", "9399\n/devtools/browser/x\n");
  EXPECT_FALSE(FindBrowserPage(env));  // a port file without a running browser
  ChromiumShowing("http://cr/", kDeadPid, 2000);
  EXPECT_FALSE(FindBrowserPage(env));  // a lock left by a dead one
  EXPECT_EQ(asked, 0);
  fs::remove(data + "/SingletonLock");
  ChromiumShowing("http://cr/", ::getpid(), 2000);
  for (const char* other : {"9222\n/devtools/browser/x\n", "", "9399x\n", "99999\n"}) {
    test::WriteBytes(data + "/DevToolsActivePort", other);
    EXPECT_EQ(FindBrowserPage(env)->url, "http://cr/") << other;
  }
  EXPECT_EQ(asked, 0);
  test::WriteBytes(data + "/DevToolsActivePort", "9399\r\n");
  EXPECT_EQ(DevToolsActivePort(data), 9399);
  EXPECT_EQ(FindBrowserPage(env)->url, "http://impostor/");
  EXPECT_EQ(asked, 1);

  // A browser started with the port on its command line and no port file yet counts too.
  fs::remove(data + "/DevToolsActivePort");
  fs::remove(data + "/SingletonLock");
  const char* argv[] = {"sh", "-c", "sleep 20; :", "--remote-debugging-port=9399", nullptr};
  pid_t child = 0;
  ASSERT_EQ(::posix_spawnp(&child, "sh", nullptr, nullptr, const_cast<char* const*>(argv), environ),
            0);
  ChromiumShowing("http://cr/", child, 2000);
  // Until the child has run exec, its command line is still this program's.
  for (int i = 0; i < 500 && ChromiumCommandLinePort(child) != 9399; ++i) ::usleep(10000);
  EXPECT_EQ(ChromiumCommandLinePort(child), 9399);
  EXPECT_EQ(FindBrowserPage(env)->url, "http://impostor/");
  EXPECT_EQ(asked, 2);
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
  EXPECT_EQ(ChromiumCommandLinePort(::getpid()), 0);
}
#endif

class CaptureLinkTest : public test::DocFixture {
 protected:
  CaptureLinkTest() {
    doc.AddView(&view);
    doc.SelectCategory(Top(), true);
    view.Clear();
  }
  ~CaptureLinkTest() override { doc.RemoveView(&view); }
  test::ViewRecorder view;
};

TEST_F(CaptureLinkTest, ThePageBecomesOneUndoableLinkPlacedByTheList) {
  doc.SetModifiedFlag(false);
  BrowserPage page{"http://example.jp/\xC3\xA9/\xE6\x97\xA5", "日本語 \xF0\x9F\x98\x80 title",
                   "firefox"};
  LINKINFO* link = OnBrowserPage(doc, [&page] { return page; });
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->m_nKind, 1);
  EXPECT_EQ(link->m_pParent, Top());
  // A character of the URL without a CP932 form keeps the address working, percent-encoded.
  EXPECT_EQ(link->m_strURL, "http://example.jp/%C3%A9/\x93\xFA");
  EXPECT_EQ(ToUtf8(link->m_strTitle), "日本語 ? title");
  EXPECT_TRUE(link->m_strAdmin.empty());
  EXPECT_EQ(view.Codes(), std::vector<int>{kHintNewLink});
  ASSERT_EQ(doc.GetUndoList().size(), 1u);
  EXPECT_EQ(doc.GetUndoList().front()->m_nUndoOp, kUndoCreated);
  EXPECT_TRUE(doc.IsModified());

  doc.OnEditUndo();
  EXPECT_FALSE(doc.Contains(link));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(ui.beeps, 0);
}

TEST_F(CaptureLinkTest, NothingFoundBeepsAndTheNodeLimitMakesNothing) {
  EXPECT_EQ(OnBrowserPage(doc, [] { return std::optional<BrowserPage>(); }), nullptr);
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_FALSE(doc.CanUndo());

  while (doc.GetNodeList().size() < kMaxNodes) AddLink(doc.GetWorkBox(), "filler");
  EXPECT_EQ(OnBrowserPage(doc, [] { return BrowserPage{"http://x/", "x", "clipboard"}; }), nullptr);
  EXPECT_EQ(ui.messages.size(), 1u);  // the document's own limit message
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(view.Saw(kHintNewLink));
}

TEST_F(CaptureLinkTest, ADroppedLinkGoesIntoTheCategoryDroppedOn) {
  LINKINFO* other = AddCategory(Top(), "other");
  LINKINFO* link = CreateDroppedLink(doc, other, {"https://d.example/", "dropped", "drop"});
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->m_pParent, other);
  EXPECT_EQ(doc.GetCurrent(), other);
  EXPECT_EQ(view.hints.back(), std::make_pair(static_cast<int>(kHintNewLink), link));
  EXPECT_EQ(CreateDroppedLink(doc, link, {"https://d.example/", "", "drop"}), nullptr);
}

// What the browser showed as text stays text on the published page, and a page whose address
// would run a script becomes no link, dropped or captured.
TEST_F(CaptureLinkTest, TheTitleIsStoredAsTextAndScriptAddressesAreRefused) {
  LINKINFO* link = OnBrowserPage(doc, [] {
    return BrowserPage{"http://e.example/?a=1&b=\"2\"<x>", "<script>x</script> & \"q\"", "firefox"};
  });
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->m_strTitle, "&lt;script&gt;x&lt;/script&gt; &amp; &quot;q&quot;");
  EXPECT_EQ(link->m_strURL, "http://e.example/?a=1&b=%222%22%3Cx%3E");

  const std::size_t before = doc.GetNodeList().size();
  for (const char* url : {"javascript:alert(1)", " \x01JavaScript:alert(1)", "DATA:text/html,x",
                          "vbscript:msgbox", "java\tscript:alert(1)"}) {
    EXPECT_EQ(OnBrowserPage(doc,
                            [url] {
                              return BrowserPage{url, "t", "firefox"};
                            }),
              nullptr)
        << url;
    EXPECT_EQ(CreateDroppedLink(doc, Top(), {url, "t", "drop"}), nullptr) << url;
  }
  EXPECT_EQ(doc.GetNodeList().size(), before);
  ASSERT_EQ(ui.messages.size(), 10u);
  EXPECT_EQ(
      ui.messages[0].Utf8(),
      "スクリプトを実行する URL (javascript:、data:、vbscript:) 1 件は取り込みませんでした。");
  // Only the scheme counts: an address that merely mentions one is taken.
  EXPECT_NE(OnBrowserPage(doc,
                          [] {
                            return BrowserPage{"http://x/javascript:a", "t", "f"};
                          }),
            nullptr);
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(DdeReply, FieldsAreUnquotedAndUnescapedAsBrowsersSendThem) {
  std::string url, title;
  SplitDdeReply("\"http://a.example/\",\"A \\\"quoted\\\" title\",\"extra\"", url, title);
  EXPECT_EQ(url, "http://a.example/");
  EXPECT_EQ(title, "A \"quoted\" title");
  // One field: an empty title; a backslash inside a double-byte character is no escape.
  SplitDdeReply("\"http://b/\"", url, title);
  EXPECT_EQ(url, "http://b/");
  EXPECT_EQ(title, "");
  SplitDdeReply("\"http://c/\",\"\x95\x5C\\\\x\"", url, title);
  EXPECT_EQ(title, "\x95\x5C\\x");

  std::string data(300, 'u');
  EXPECT_EQ(TruncateDdeReply(data).size(), 259u);
  EXPECT_EQ(TruncateDdeReply(std::string("\"u\",\"t\"\0junk", 12)), "\"u\",\"t\"");
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

// The stored title fits the link sheet's title field, cut at a whole character and reference.
TEST_F(CaptureLinkTest, ALongTitleIsCutToWhatTheLinkSheetTakes) {
  BrowserPage page{"http://long/", std::string(300, '<'), "firefox"};
  LINKINFO* link = OnBrowserPage(doc, [&page] { return page; });
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->m_strTitle.size(), 256u);
  EXPECT_EQ(link->m_strTitle.substr(252), "&lt;");
  std::string japanese = "a";
  for (int i = 0; i < 200; ++i) japanese += "日";
  page.title = japanese;
  link = OnBrowserPage(doc, [&page] { return page; });
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->m_strTitle.size(), 255u) << "no half character at the end";
  EXPECT_EQ(ToUtf8(link->m_strTitle), japanese.substr(0, 1 + 127 * 3));
}

}  // namespace
}  // namespace vesk
