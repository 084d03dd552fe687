// The readers of what browsers keep on disk and answer: mozlz4, the Firefox session store and
// profiles.ini, Chromium's session log, the remote-debugging list and the clipboard formats.
// Each is outside input, so each is also fed hostile bytes.
#include <gtest/gtest.h>
#include <lz4.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cstdint>
#include <string>

#include "app/capture/chromium_session.h"
#include "app/capture/clipboard_page.h"
#include "app/capture/devtools_list.h"
#include "app/capture/firefox_session.h"
#include "app/capture/mozlz4.h"
#include "support/loopback_http_server.h"
#include "support/temp_folder.h"

namespace vesk {
namespace {

using test::CTempFolder;

std::string Le32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
  return s;
}

std::string MozLz4(const std::string& json, std::uint32_t declared) {
  std::string packed(static_cast<std::size_t>(LZ4_compressBound(static_cast<int>(json.size()))),
                     '\0');
  const int n = LZ4_compress_default(json.data(), packed.data(), static_cast<int>(json.size()),
                                     static_cast<int>(packed.size()));
  packed.resize(static_cast<std::size_t>(n));
  return std::string("mozLz40\0", 8) + Le32(declared) + packed;
}

std::string MozLz4(const std::string& json) {
  return MozLz4(json, static_cast<std::uint32_t>(json.size()));
}

TEST(MozLz4, DecodesTheBlockAndRefusesEveryLie) {
  const std::string json = std::string(5000, 'a') + "{\"windows\":[]}";
  std::string out;
  ASSERT_TRUE(DecodeMozLz4(MozLz4(json), out));
  EXPECT_EQ(out, json);

  const std::string good = MozLz4(json);
  EXPECT_FALSE(DecodeMozLz4("mozLz40", out));                        // no size
  EXPECT_FALSE(DecodeMozLz4("mozLz41" + good.substr(7), out));       // wrong magic
  EXPECT_FALSE(DecodeMozLz4(good.substr(0, good.size() - 3), out));  // block cut short
  EXPECT_FALSE(DecodeMozLz4(MozLz4(json, json.size() + 1), out));    // declares more
  EXPECT_FALSE(DecodeMozLz4(MozLz4(json, json.size() - 1), out));    // declares less
  EXPECT_TRUE(out.empty());
  // A gigabyte declared over a few bytes is refused before anything is allocated for it.
  EXPECT_FALSE(DecodeMozLz4(MozLz4("{}", 0xFFFFFFF0u), out));
  EXPECT_FALSE(DecodeMozLz4(MozLz4(json), out, json.size() - 1));  // above the limit
  EXPECT_FALSE(
      DecodeMozLz4(std::string("mozLz40\0", 8) + Le32(1000) + std::string(8, '\xFF'), out));
}

TEST(MozLz4, FileReaderTakesOnlyRegularFilesWithinTheLimit) {
  CTempFolder dir;
  const std::string json = "{\"a\":1}";
  test::WriteBytes(dir.File("s.jsonlz4"), MozLz4(json));
  std::string out;
  EXPECT_TRUE(ReadMozLz4File(dir.File("s.jsonlz4"), out));
  EXPECT_EQ(out, json);
  EXPECT_FALSE(ReadMozLz4File(dir.File("s.jsonlz4"), out, 8));  // the file is over the limit
  EXPECT_FALSE(ReadMozLz4File(dir.Str(), out));                 // a folder
#ifdef _WIN32
  EXPECT_FALSE(ReadMozLz4File(dir.File("NUL"), out));  // a device, not a file
#else
  ASSERT_EQ(::mkfifo(dir.File("fifo").c_str(), 0600), 0);
  EXPECT_FALSE(ReadMozLz4File(dir.File("fifo"), out));  // returns at once, no writer needed
#endif
  EXPECT_FALSE(ReadMozLz4File(dir.File("missing"), out));
}

TEST(FirefoxSession, SelectedWindowTabAndHistoryEntry) {
  const std::string json = R"({"version":["sessionrestore",1],"selectedWindow":2,
    "_closedWindows":[{"tabs":[{"entries":[{"url":"http://closed/"}]}]}],
    "windows":[{"tabs":[{"entries":[{"url":"http://w1/"}]}],"selected":1},
               {"selected":2,"tabs":[
                 {"entries":[{"url":"http://w2t1/","title":"one"}],"index":1},
                 {"index":1,"entries":[{"url":"http://back/","title":"戻る"},
                                       {"url":"http://fwd/","title":"進む","children":[{"url":"http://frame/"}]}],
                  "formdata":{"id":{"x":"y"}}}]}]})";
  auto page = FirefoxSessionPage(json);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://back/");
  EXPECT_EQ(page->title, "戻る");
  EXPECT_EQ(page->source, "firefox");

  // Missing or out-of-range indices: the first window, the first tab, the newest entry.
  page = FirefoxSessionPage(R"({"selectedWindow":7,"windows":[{"selected":"2","tabs":[
      {"index":0,"entries":[{"url":"http://a/"},{"url":"http://b/","title":5}]}]}]})");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://b/");
  EXPECT_EQ(page->title, "");
}

TEST(FirefoxSession, WrongShapesAndDeepNestingGiveNoPage) {
  for (const char* json :
       {"", "[]", "null", "{\"windows\":{}}", "{\"windows\":[]}", "{\"windows\":[[]]}",
        "{\"windows\":[{\"tabs\":\"x\"}]}", "{\"windows\":[{\"tabs\":[{\"entries\":[1]}]}]}",
        "{\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":7}]}]}]}",
        "{\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":\"no scheme\"}]}]}]}",
        "{\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":\"http://cut/\"", "\xFF\xFE{"}) {
    EXPECT_FALSE(FirefoxSessionPage(json)) << json;
  }
  // Nesting a hundred thousand deep costs no stack: dropped while parsing.
  std::string deep = "{\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":\"http://d/\",\"title\":";
  deep += std::string(100000, '[') + std::string(100000, ']') + "}]}]}]}";
  auto page = FirefoxSessionPage(deep);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://d/");
  EXPECT_EQ(page->title, "");
  EXPECT_FALSE(FirefoxSessionPage(std::string(200000, '[')));
}

TEST(FirefoxProfiles, InstallDefaultFirstThenProfilesRelativeOrAbsolute) {
  const std::string ini =
      "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile1]\r\nName=other\r\nIsRelative=0\r\n"
      "Path=/abs/other\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=x.default-esr\r\n"
      "Default=1\r\n\r\n[InstallABCDEF]\r\nDefault=x.default-esr\r\nLocked=1\r\n";
  const auto folders = FirefoxProfileFolders(ini, "/home/u/.mozilla/firefox");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0], "/home/u/.mozilla/firefox/x.default-esr");
  EXPECT_EQ(folders[1], "/abs/other");
  EXPECT_TRUE(FirefoxProfileFolders("garbage\n[Profile0]\nPath=\n", "/r").empty());
}

TEST(FirefoxProfiles, RunningOnlyWhileTheLockNamesALiveProcess) {
#ifdef _WIN32
  GTEST_SKIP() << "Firefox's lock on Linux is a symbolic link naming a POSIX process";
#else
  CTempFolder dir;
  EXPECT_FALSE(IsFirefoxProfileRunning(dir.Str()));
  const std::string lock = dir.File("lock");
  ASSERT_EQ(::symlink(("127.0.1.1:+" + std::to_string(::getpid())).c_str(), lock.c_str()), 0);
  EXPECT_TRUE(IsFirefoxProfileRunning(dir.Str()));
  ::unlink(lock.c_str());
  // A pid that cannot exist, and a link of another shape.
  ASSERT_EQ(::symlink("127.0.1.1:+2147483646", lock.c_str()), 0);
  EXPECT_FALSE(IsFirefoxProfileRunning(dir.Str()));
  ::unlink(lock.c_str());
  ASSERT_EQ(::symlink(("host-" + std::to_string(::getpid())).c_str(), lock.c_str()), 0);
  EXPECT_FALSE(IsFirefoxProfileRunning(dir.Str()));
#endif
}

// Builds a Chromium session log command by command.
class CSnss {
 public:
  explicit CSnss(std::uint32_t version = 3) : m_bytes("SNSS" + Le32(version)) {}
  CSnss& Raw(unsigned id, const std::string& payload) {
    const std::size_t size = payload.size() + 1;
    m_bytes += static_cast<char>(size & 0xFF);
    m_bytes += static_cast<char>(size >> 8);
    m_bytes += static_cast<char>(id);
    m_bytes += payload;
    return *this;
  }
  CSnss& Ints(unsigned id, std::initializer_list<std::int32_t> values) {
    std::string p;
    for (std::int32_t v : values) p += Le32(static_cast<std::uint32_t>(v));
    return Raw(id, p);
  }
  static std::string Padded(std::string s) {
    while (s.size() % 4 != 0) s += '\0';
    return s;
  }
  // UpdateTabNavigation as a pickle: tab, index, URL, UTF-16 title, then more fields.
  CSnss& Navigation(std::int32_t tab, std::int32_t index, const std::string& url,
                    const std::u16string& title) {
    std::string body =
        Le32(static_cast<std::uint32_t>(tab)) + Le32(static_cast<std::uint32_t>(index));
    body += Le32(static_cast<std::uint32_t>(url.size())) + Padded(url);
    std::string units;
    for (char16_t c : title) {
      units += static_cast<char>(c & 0xFF);
      units += static_cast<char>(c >> 8);
    }
    body += Le32(static_cast<std::uint32_t>(title.size())) + Padded(units);
    body += Le32(0) + Le32(0);  // page state, transition
    return Raw(6, Le32(static_cast<std::uint32_t>(body.size())) + body);
  }
  const std::string& Bytes() const { return m_bytes; }

 private:
  std::string m_bytes;
};

TEST(ChromiumSession, ActiveTabOfActiveWindowAtItsSelectedNavigation) {
  CSnss s;
  s.Ints(0, {10, 101}).Ints(2, {101, 0}).Ints(0, {10, 102}).Ints(2, {102, 1});
  s.Ints(0, {20, 201}).Ints(2, {201, 0}).Ints(8, {20, 0});
  s.Navigation(101, 0, "http://first/", u"first");
  s.Navigation(102, 0, "http://old/", u"old");
  s.Navigation(102, 1, "file:///tmp/p.html#ready", u"試験 \U0001F600");
  s.Navigation(201, 0, "http://other-window/", u"other");
  s.Ints(7, {102, 1}).Ints(8, {10, 1}).Ints(20, {10});
  auto page = ReadChromiumSession(s.Bytes());
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "file:///tmp/p.html#ready");
  EXPECT_EQ(page->title, "試験 \xF0\x9F\x98\x80");
  EXPECT_EQ(page->source, "chromium");

  // Going back selects the older navigation; the other window activated wins.
  CSnss back = s;
  back.Ints(7, {102, 0});
  EXPECT_EQ(ReadChromiumSession(back.Bytes())->url, "http://old/");
  back.Ints(20, {20});
  EXPECT_EQ(ReadChromiumSession(back.Bytes())->url, "http://other-window/");
  // A closed tab is gone: the window's one tab left is the one shown.
  back.Ints(20, {10}).Ints(16, {102, 0, 0, 0});
  EXPECT_EQ(ReadChromiumSession(back.Bytes())->url, "http://first/");
  back.Ints(17, {10, 0, 0, 0});
  EXPECT_EQ(ReadChromiumSession(back.Bytes())->url, "http://other-window/");
}

TEST(ChromiumSession, CutAndHostileLogsKeepWhatCameBefore) {
  CSnss s;
  s.Ints(0, {1, 5}).Ints(2, {5, 0}).Ints(8, {1, 0}).Navigation(5, 0, "http://kept/", u"k");
  const std::string good = s.Bytes();
  // A later navigation cut short (the browser still writing) leaves the earlier one.
  CSnss later = s;
  later.Navigation(5, 1, "http://cut/", u"c").Ints(7, {5, 1});
  const std::string cut = later.Bytes().substr(0, later.Bytes().size() - 15);
  auto page = ReadChromiumSession(cut);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://kept/");

  // Sizes that lie: a pickle larger than its command, a string longer than the pickle, a
  // negative length, a title of a billion units, a command of size 0 or larger than the file.
  for (const std::string& payload :
       {Le32(1000) + Le32(5) + Le32(1), Le32(12) + Le32(5) + Le32(1) + Le32(0x7FFFFFFF),
        Le32(12) + Le32(5) + Le32(1) + Le32(0xFFFFFFFF),
        Le32(20) + Le32(5) + Le32(1) + Le32(4) + "http" + Le32(1000000000)}) {
    CSnss bad = s;
    bad.Raw(6, payload).Ints(7, {5, 1});
    page = ReadChromiumSession(bad.Bytes());
    EXPECT_FALSE(page) << "a hostile navigation was taken";
  }
  EXPECT_EQ(ReadChromiumSession(good + std::string("\0\0", 2) + "xyz")->url, "http://kept/");
  EXPECT_EQ(ReadChromiumSession(good + "\xFF\xFF\x06" + "abc")->url, "http://kept/");
  // Not a session log, or one of the encrypted versions.
  EXPECT_FALSE(ReadChromiumSession("SNSS"));
  EXPECT_FALSE(ReadChromiumSession("SNSX" + good.substr(4)));
  EXPECT_FALSE(ReadChromiumSession(CSnss(2).Bytes() + good.substr(8)));
  // Short integer commands are ignored, not read past.
  EXPECT_EQ(ReadChromiumSession(good + CSnss(3).Raw(8, "\x01").Bytes().substr(8))->url,
            "http://kept/");
}

TEST(ChromiumSession, WithoutAnActiveWindowRecordTheWindowThatSelectedLastCounts) {
  CSnss s;
  s.Ints(0, {1, 11}).Ints(0, {2, 22}).Ints(2, {11, 0}).Ints(2, {22, 0});
  s.Navigation(11, 0, "http://one/", u"").Navigation(22, 0, "http://two/", u"");
  s.Ints(8, {2, 0}).Ints(8, {1, 0});
  EXPECT_EQ(ReadChromiumSession(s.Bytes())->url, "http://one/");
}

TEST(DevToolsList, FirstPageTargetOnly) {
  auto page = FirstDevToolsPage(R"([{"type":"service_worker","url":"http://sw/"},
      {"type":"page","url":"file:///p.html","title":"テスト","id":"X"},
      {"type":"page","url":"http://second/"}])");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "file:///p.html");
  EXPECT_EQ(page->title, "テスト");
  EXPECT_EQ(page->source, "chromium-devtools");
  for (const char* json : {"{}", "[]", "[{\"type\":\"page\"}]", "[{\"type\":\"page\",\"url\":[]}]",
                           "[{\"type\":\"browser_ui\",\"url\":\"chrome://x/\"}]", "[[[[[["}) {
    EXPECT_FALSE(FirstDevToolsPage(json)) << json;
  }
}

TEST(DevToolsList, OnlyLoopbackAddressesAreEverAsked) {
  EXPECT_EQ(DevToolsListUrl("127.0.0.1", 9222), "http://127.0.0.1:9222/json/list");
  EXPECT_EQ(DevToolsListUrl("::1", 9222), "http://[::1]:9222/json/list");
  for (const char* host : {"localhost", "127.0.0.2", "0.0.0.0", "example.com", "[::1]@evil", ""})
    EXPECT_EQ(DevToolsListUrl(host, 9222), "") << host;
  EXPECT_EQ(DevToolsListUrl("127.0.0.1", 0), "");
  EXPECT_EQ(DevToolsListUrl("127.0.0.1", 65536), "");

  test::CLoopbackHttpServer server([](const test::CLoopbackHttpServer::Request& r) {
    test::CLoopbackHttpServer::Response out;
    out.body = r.path == "/json/list" ? "[{\"type\":\"page\",\"url\":\"http://x/\"}]" : "";
    if (r.path != "/json/list") out.status = 404;
    return out;
  });
  auto body = FetchDevToolsList("127.0.0.1", server.Port());
  ASSERT_TRUE(body);
  EXPECT_EQ(FirstDevToolsPage(*body)->url, "http://x/");
  EXPECT_FALSE(FetchDevToolsList("192.0.2.1", server.Port()));  // refused without a connection
}

std::string Utf16(const std::u16string& s, bool bom = false) {
  std::string out = bom ? std::string("\xFF\xFE") : std::string();
  for (char16_t c : s) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

TEST(ClipboardFormats, MozUrlUriListAndPlainText) {
  auto page = PageFromMozUrl(Utf16(u"http://a.example/\nタイトル\nextra", true), "drop");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://a.example/");
  EXPECT_EQ(page->title, "タイトル");
  EXPECT_EQ(page->source, "drop");
  EXPECT_EQ(PageFromMozUrl(Utf16(u"http://b/"), "c")->title, "");
  EXPECT_FALSE(PageFromMozUrl(Utf16(u"not a url\ntitle"), "c"));
  EXPECT_FALSE(PageFromMozUrl("\x01", "c"));

  EXPECT_EQ(PageFromUriList("# comment\r\nhttps://u/\r\nhttps://v/\r\n", "d")->url, "https://u/");
  EXPECT_FALSE(PageFromUriList("# only a comment\n", "d"));

  EXPECT_EQ(PageFromPlainText("  https://t.example/x?y \n", "c")->url, "https://t.example/x?y");

  // Dropped files keep the file system's bytes, Japanese names included.
  EXPECT_EQ(FilePathFromUri("file:///tmp/a%20b/%E3%83%86.knd"), "/tmp/a b/\xE3\x83\x86.knd");
  EXPECT_EQ(FilePathFromUri("file://localhost/x%2"), "/x%2");
  EXPECT_FALSE(FilePathFromUri("file://server/share/x"));
  EXPECT_FALSE(FilePathFromUri("http://x/"));
  EXPECT_FALSE(FilePathFromUri("file:///a%00b"));
  for (const char* text :
       {"https://a/ https://b/", "ftp://f/", "javascript:alert(1)", "http://", "see http://x/", ""})
    EXPECT_FALSE(PageFromPlainText(text, "c")) << text;
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

TEST(FirefoxSession, OnlyTheMembersOnTheWayCountTowardsTheBound) {
  // A million small values and more under a member that is dropped do not crowd out the page.
  std::string json = "{\"_closedWindows\":[";
  for (int i = 0; i < 1200000; ++i) json += i == 0 ? "1" : ",1";
  json += "],\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":\"http://kept/\"}]}]}]}";
  auto page = FirefoxSessionPage(json);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://kept/");
  // As many under the windows are more than any store keeps: the page is not found, and
  // nothing beyond the bound was kept.
  json = "{\"windows\":[";
  for (int i = 0; i < 1200000; ++i) json += "1,";
  json += "{\"tabs\":[{\"entries\":[{\"url\":\"http://late/\"}]}]}]}";
  EXPECT_FALSE(FirefoxSessionPage(json));
}

}  // namespace
}  // namespace vesk

namespace vesk {
namespace {

// Hostile stores of the sizes that once took minutes: each reader now passes once over its
// input and stops at its stated caps.
TEST(FirefoxSession, ManyObjectsAreReadOnceAndTitlesAreCapped) {
  // 320 thousand tabs in four windows; the last tab of the last one shows the page, with a
  // title of 5000 bytes.
  std::string json = "{\"selectedWindow\":4,\"windows\":[";
  for (int w = 0; w < 4; ++w) {
    json += "{\"selected\":80000,\"tabs\":[";
    for (int i = 0; i < 79999; ++i) json += "{},";
    json +=
        "{\"entries\":[{\"url\":\"http://last/\",\"title\":\"" + std::string(5000, 'x') + "\"}]}]}";
    json += w < 3 ? "," : "]}";
  }
  auto page = FirefoxSessionPage(json);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://last/");
  EXPECT_EQ(page->title, std::string(kMaxCapturedTitle, 'x'));
  // A cut never splits a character.
  std::string japanese;
  for (int i = 0; i < 400; ++i) japanese += "\xE6\x97\xA5";
  page = FirefoxSessionPage(
      "{\"windows\":[{\"tabs\":[{\"entries\":[{\"url\":\"http://j/\",\"title\":\"" + japanese +
      "\"}]}]}]}");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->title, japanese.substr(0, kMaxCapturedTitle / 3 * 3));
}

TEST(FirefoxSession, MoreWindowsThanAnyStoreHoldsGiveNoPage) {
  auto windows = [](int count) {
    std::string json = "{\"selectedWindow\":1,\"windows\":[";
    json += "{\"tabs\":[{\"entries\":[{\"url\":\"http://first/\"}]}]}";
    for (int i = 1; i < count; ++i) json += ",{}";
    return json + "]}";
  };
  EXPECT_TRUE(FirefoxSessionPage(windows(10000)));
  EXPECT_FALSE(FirefoxSessionPage(windows(10001)));
  // A selection that comes before its list, a list given twice (the later counts), a number
  // where an object belongs.
  auto page =
      FirefoxSessionPage(R"({"windows":[{"selected":2,"tabs":[{"entries":[{"url":"http://a/"}]},
      {"index":1,"entries":[{"url":"http://b/"},{"url":"http://c/"}]}]}],
      "windows":[{"tabs":[{"entries":[{"url":"http://again/","title":{"x":1}}]}]}]})");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://again/");
  EXPECT_EQ(page->title, "");
  page = FirefoxSessionPage(R"({"windows":[{"selected":2,"tabs":[{"entries":[{"url":"http://a/"}]},
      {"index":1,"entries":[{"url":"http://b/"},{"url":"http://c/"}]}]}]})");
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://b/");
}

TEST(MozLz4, ADeclaredSizeBeyondTheBudgetIsRefusedBeforeDecoding) {
  const std::string big(kMozLz4MaxSize + 1, 'a');
  std::string out;
  EXPECT_FALSE(DecodeMozLz4(MozLz4(big), out));
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(DecodeMozLz4(MozLz4(big.substr(0, 1 << 20)), out));
  // The packed file itself may take at most half of the budget.
  CTempFolder dir;
  test::WriteBytes(dir.File("s.jsonlz4"), MozLz4("{\"a\":1}") + std::string(600, 'x'));
  EXPECT_FALSE(ReadMozLz4File(dir.File("s.jsonlz4"), out, 1200));
}

TEST(DevToolsList, AHugeListStopsAtItsCapAndTitlesAreCapped) {
  std::string list = "[";
  for (int i = 0; i < 99999; ++i) list += "{},";
  const std::string page =
      "{\"type\":\"page\",\"url\":\"http://p/\",\"title\":\"" + std::string(3000, 't') + "\"}";
  auto found = FirstDevToolsPage(list + page + "]");
  ASSERT_TRUE(found);
  EXPECT_EQ(found->title, std::string(kMaxCapturedTitle, 't'));
  EXPECT_FALSE(FirstDevToolsPage(list + "{}," + page + "]"));
  // What follows the first page is not read at all.
  EXPECT_TRUE(FirstDevToolsPage("[" + page + ",{\"type\":" + std::string(1000, '[')));
  EXPECT_FALSE(FirstDevToolsPage("[" + page + std::string(kDevToolsMaxAnswer, ' ') + "]"));
}

TEST(ChromiumSession, ReplayIsBoundedInCommandsNavigationsAndTitles) {
  CSnss s;
  s.Ints(0, {1, 5}).Ints(2, {5, 0}).Ints(8, {1, 0});
  s.Navigation(5, 0, "http://kept/", std::u16string(3000, u'z'));
  auto page = ReadChromiumSession(s.Bytes());
  ASSERT_TRUE(page);
  EXPECT_EQ(page->title, std::string(kMaxCapturedTitle, 'z'));
  // Prunes that move nothing are cheap; ones that do move the later navigations down.
  CSnss pruned = s;
  for (int i = 0; i < 200000; ++i) pruned.Ints(24, {5, 1000, 1});
  pruned.Navigation(5, 3, "http://three/", u"").Ints(24, {5, 1, 2}).Ints(7, {5, 1});
  EXPECT_EQ(ReadChromiumSession(pruned.Bytes())->url, "http://three/");
  // A tab of more navigations than the browser keeps: the rest is not kept.
  CSnss many = s;
  for (int i = 1; i < 300; ++i) many.Navigation(5, i, "http://n" + std::to_string(i) + "/", u"");
  EXPECT_EQ(ReadChromiumSession(CSnss(many).Ints(7, {5, 255}).Bytes())->url, "http://n255/");
  EXPECT_FALSE(ReadChromiumSession(CSnss(many).Ints(7, {5, 299}).Bytes()));
  // More commands than a million, or a file above the size cap, are refused.
  CSnss noisy = s;
  std::string tail;
  for (int i = 0; i < 1000000; ++i) tail += std::string("\x01\x00\x63", 3);
  EXPECT_FALSE(ReadChromiumSession(noisy.Bytes() + tail));
  EXPECT_TRUE(ReadChromiumSession(noisy.Bytes() + tail.substr(0, 3 * 900000)));
  EXPECT_FALSE(ReadChromiumSession(s.Bytes() + std::string(kChromiumSessionMaxSize, '\0')));
}

}  // namespace
}  // namespace vesk
