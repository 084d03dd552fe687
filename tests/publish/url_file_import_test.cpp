#include "publish/url_file_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/veskdoc.h"
#include "support/doc_fixture.h"
#include "support/temp_folder.h"
#include "support/view_recorder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

class UrlImportTest : public DocFixture {
 protected:
  UrlImportTest() {
    doc.AddView(&log);
    doc.SelectCategory(doc.GetTopCategory(), true);
  }
  ~UrlImportTest() override { doc.RemoveView(&log); }
  std::size_t LinksIn(const LINKINFO* category) {
    std::size_t n = 0;
    for (LINKINFO* node : doc.GetNodeList())
      if (node->m_pParent == category && !node->IsCategory()) ++n;
    return n;
  }

  ViewRecorder log;
};

TEST(UrlFileTitle, IsTheFileNameUpToItsLastDot) {
  EXPECT_EQ(UrlFileTitle("/fav/My site.v2.url"), "My site.v2");
  EXPECT_EQ(UrlFileTitle("/fav.d/plain"), "plain");
  // The path is UTF-8; the title is Shift_JIS ("ソ" holds a 0x5C second byte there).
  EXPECT_EQ(UrlFileTitle("/ドキュメント/ソフト.url"), ToCp932("ソフト"));
  EXPECT_EQ(UrlFileTitle("/f/a😀b.url"), "a?b");
}

TEST_F(UrlImportTest, MakesOneUndoableLinkInTheCurrentCategory) {
  WriteBytes(dir.File("Example Site.url"),
             "[DEFAULT]\r\nBASEURL=http://base/\r\n[InternetShortcut]\r\nURL=http://example.com/"
             "\r\nIconIndex=1\r\n");
  LINKINFO* current = doc.GetCurrent();
  ASSERT_NE(current, nullptr);
  std::size_t before = doc.GetNodeList().size();
  ASSERT_TRUE(ImportUrlFile(doc, dir.File("Example Site.url")));
  ASSERT_EQ(doc.GetNodeList().size(), before + 1);
  LINKINFO* link = doc.GetNodeList().back();
  for (LINKINFO* node : doc.GetNodeList())
    if (node->m_strURL == "http://example.com/") link = node;
  EXPECT_EQ(link->m_strURL, "http://example.com/");
  EXPECT_EQ(link->m_strTitle, "Example Site");
  EXPECT_EQ(link->m_pParent, current);
  ASSERT_FALSE(log.hints.empty());
  EXPECT_EQ(log.hints.back().first, kHintNewLink);
  EXPECT_EQ(log.hints.back().second, link);
  EXPECT_TRUE(ui.messages.empty());

  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), before);
}

// A shortcut without a URL imports nothing and says so; it does not count as imported.
TEST_F(UrlImportTest, AFileWithoutUrlMakesNothingAndAnUnreadableOneIsReported) {
  WriteBytes(dir.File("empty.url"), "[InternetShortcut]\r\nURL=\r\n");
  std::size_t before = doc.GetNodeList().size();
  EXPECT_FALSE(ImportUrlFile(doc, dir.File("empty.url")));
  EXPECT_EQ(doc.GetNodeList().size(), before);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), dir.File("empty.url") + " にはURLが有りません。");
  ui.messages.clear();

  EXPECT_FALSE(ImportUrlFile(doc, dir.File("gone.url")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "ファイルが見つかりません\nファイル: " + dir.File("gone.url"));
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.CanUndo());
}

}  // namespace
}  // namespace vesk::test
