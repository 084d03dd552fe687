#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_runner.h"
#include "document/veskdoc.h"
#include "support/doc_fixture.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

// A saved collection with one category of three links, published through vesk-cli.
class HtmlCommands : public DocFixture {
 protected:
  HtmlCommands() {
    doc.SetCurrent(doc.GetTopCategory());
    category = doc.CreateNode(NodeKind::Category);
    category->m_strTitle = "Cat";
    doc.SetCurrent(category);
    for (const char* title : {"a", "b", "c"}) {
      LINKINFO* link = doc.CreateNode(NodeKind::Link);
      link->m_strTitle = title;
      link->m_strURL = std::string("http://") + title + "/";
    }
    doc.GetFileInfo().m_nLinksPerPage = 2;
    WriteBytes(dir.File("t.html"),
               "<!-- Links Data --><!-- Link List Up -->$Title<!-- End Link List Up -->"
               "<!-- End Links Data --><!-- Links Page -->\n");
    doc.GetFileInfo().m_strTemplate = dir.File("t.html");
    EXPECT_TRUE(doc.OnSaveDocument(dir.File("site.knd")));
  }

  LINKINFO* category = nullptr;
  CCliRunner cli;
};

TEST_F(HtmlCommands, ExportHtmlPrintsTheResultListThenReportsNothingChanged) {
  auto r = cli.Run({"export-html", dir.File("site.knd")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, dir.File("category1.html") + "\n" + dir.File("category1_2.html") + "\n" +
                       dir.File("category0.html") + "\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadBytes(dir.File("category1_2.html")), "c- <A href=\"category1.html\">1</A> 2 -\r\n");
  auto again = cli.Run({"export-html", dir.File("site.knd")});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(again.err, "新規作成/変更されたファイルはありません。\n");
}

TEST_F(HtmlCommands, ExportHtmlOfAMissingFileFails) {
  auto r = cli.Run({"export-html", dir.File("none.knd")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(fs::exists(dir.File("category0.html")));
}

TEST_F(HtmlCommands, SearchPageWritesTheCategoryLinksBesideTheFile) {
  auto r = cli.Run({"search-page", dir.File("site.knd"), std::to_string(category->m_nSerial)});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, dir.File("knrdata.html") + "\n");
  EXPECT_EQ(ReadBytes(dir.File("knrdata.html")),
            "<HTML>\r\n<HEAD>\r\n<TITLE>Kestrelnest -> Deepscout</TITLE>\r\n<BODY>\r\n"
            "<A href=\"http://a/\">a</A><BR>\r\n<A href=\"http://b/\">b</A><BR>\r\n"
            "<A href=\"http://c/\">c</A><BR>\r\n</BODY>\r\n</HTML>\r\n");
  // A serial that names no category is refused.
  auto bad = cli.Run({"search-page", dir.File("site.knd"), "999"});
  EXPECT_EQ(bad.exitCode, 1);
  auto usage = cli.Run({"search-page", dir.File("site.knd")});
  EXPECT_EQ(usage.exitCode, 2);
}

}  // namespace
}  // namespace vesk::test
