// The browser page request over DDE: which browser is asked, and what its reply becomes.
#include <gtest/gtest.h>

#include <string>

#include "app/capture/browser_info_client.h"
#include "app/capture/capture_link.h"
#include "document/veskdoc.h"
#include "support/doc_fixture.h"
#include "support/scripted_ui.h"
#include "text/encoding.h"
#ifdef _WIN32
#include "support/dde_browser_server.h"
#endif

namespace vesk {
namespace {

TEST(BrowserInfoClient, NoBrowserAnsweringGivesNoPageAndNoMessage) {
  test::ScriptedUI ui;
  EXPECT_FALSE(AskBrowsersByDde(ui));
  EXPECT_TRUE(ui.messages.empty());
}

#ifdef _WIN32

// "http://127.0.0.1/a","\"引用\" ページ" in Shift_JIS, as a browser escapes quotes in a title.
std::string EscapedReply() { return ToCp932("\"http://127.0.0.1/a\",\"\\\"引用\\\" ページ\""); }

TEST(BrowserInfoClient, TheSecondBrowserIsAskedWhenTheFirstIsNotThere) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  test::CDdeBrowserServer netscape("NETSCAPE", EscapedReply());
  ASSERT_TRUE(netscape.Ready());
  test::ScriptedUI ui;
  auto page = AskBrowsersByDde(ui);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://127.0.0.1/a");
  EXPECT_EQ(page->title, "\"引用\" ページ");
  EXPECT_EQ(page->source, "dde");
  EXPECT_TRUE(ui.messages.empty());
}

TEST(BrowserInfoClient, TheFirstBrowserThatAnswersIsTheOneTaken) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  test::CDdeBrowserServer explorer("IEXPLORE", "\"http://127.0.0.1/ie\"");
  test::CDdeBrowserServer netscape("NETSCAPE", EscapedReply());
  ASSERT_TRUE(explorer.Ready() && netscape.Ready());
  test::ScriptedUI ui;
  auto page = AskBrowsersByDde(ui);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, "http://127.0.0.1/ie");
  EXPECT_EQ(page->title, "");  // one field: no title
}

TEST(BrowserInfoClient, AnEmptyAnswerIsNoPage) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  test::CDdeBrowserServer netscape("NETSCAPE", "");
  ASSERT_TRUE(netscape.Ready());
  test::ScriptedUI ui;
  EXPECT_FALSE(AskBrowsersByDde(ui));
}

TEST(BrowserInfoClient, ALongReplyIsCutAt259Bytes) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  const std::string url = "http://127.0.0.1/" + std::string(300, 'a');
  test::CDdeBrowserServer netscape("NETSCAPE", "\"" + url + "\",\"t\"");
  ASSERT_TRUE(netscape.Ready());
  test::ScriptedUI ui;
  auto page = AskBrowsersByDde(ui);
  ASSERT_TRUE(page);
  EXPECT_EQ(page->url, url.substr(0, 258));  // after the opening quote
  EXPECT_EQ(page->title, "");
}

using BrowserInfoCapture = test::DocFixture;

TEST_F(BrowserInfoCapture, TheReplyBecomesALinkOfTheCurrentCategory) {
  if (test::DdeNeedsADisplayHere()) GTEST_SKIP() << "Wine without a display";
  test::CDdeBrowserServer netscape("NETSCAPE", EscapedReply());
  ASSERT_TRUE(netscape.Ready());
  doc.SetCurrent(Top());
  LINKINFO* link = OnBrowserPage(doc, [&] { return AskBrowsersByDde(ui); });
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->m_pParent, Top());
  EXPECT_EQ(link->m_strURL, "http://127.0.0.1/a");
  EXPECT_NE(ToUtf8(link->m_strTitle).find("引用"), std::string::npos);
  EXPECT_EQ(ui.beeps, 0);
}

#endif

}  // namespace
}  // namespace vesk
