#include <gtest/gtest.h>

#include <filesystem>

#include "document/veskdoc.h"
#include "publish/data_file.h"
#include "publish/html_pages.h"
#include "publish/search_page.h"
#include "support/doc_fixture.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

// The HTML output command on a real document with in-memory settings.
class HtmlOutputCommand : public DocFixture {
 protected:
  HtmlOutputCommand() {
    WriteBytes(dir.File("t.html"),
               "<!-- Links Data -->$Catefile <!-- Link List Up -->[$Title $New]"
               "<!-- End Link List Up --><!-- End Links Data -->\n");
    doc.GetFileInfo().m_strTemplate = dir.File("t.html");
  }
  void SaveAs(const std::string& name) {
    ASSERT_TRUE(doc.OnSaveDocument(dir.File(name)));
    doc.SetPathName(dir.File(name));
    doc.SetModifiedFlag(false);
  }
};

TEST_F(HtmlOutputCommand, ListsTheChangedPagesThenSaysNothingChanged) {
  Add(doc.GetTopCategory(), NodeKind::Link, "one");
  SaveAs("site.knd");
  ASSERT_TRUE(RunHtmlOutput(doc));
  ASSERT_EQ(ui.results.size(), 1u);
  EXPECT_EQ(ui.results[0], dir.File("category0.html") + "\r\n");
  EXPECT_EQ(ReadBytes(dir.File("category0.html")), "category0.cgi[one ]\r\n");
  ASSERT_TRUE(RunHtmlOutput(doc));
  EXPECT_EQ(ui.results.size(), 1u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "新規作成/変更されたファイルはありません。");
  EXPECT_EQ(ui.messages[0].icon, MbIcon::None);
  EXPECT_EQ(ui.messages[0].buttons, MbButtons::Ok);
}

// An unchanged run is made cheap by comparing in memory; each input a page shows must still
// reach it on the next run, and only the pages that show it are rewritten.
TEST_F(HtmlOutputCommand, EachInputOfAPageRewritesJustThatPageOnTheNextRun) {
  WriteBytes(
      dir.File("t.html"),
      "<T>$Category</T><!-- Category Data --><!-- Category List Up -->[sub $Category]"
      "<!-- End Category List Up --><!-- End Category Data --><!-- Links Data -->"
      "<!-- Link List Up -->[$Title $New]<!-- End Link List Up --><!-- End Links Data -->\n");
  doc.GetFileInfo().m_nLinksPerPage = 2;
  LINKINFO* one = Add(Top(), NodeKind::Link, "one");
  one->m_nMark = 1;
  LINKINFO* sub = Add(Top(), NodeKind::Category, "Sub");
  Add(sub, NodeKind::Link, "s1");
  Add(sub, NodeKind::Link, "s2");
  LINKINFO* s3 = Add(sub, NodeKind::Link, "s3");
  SaveAs("site.knd");
  const std::string top = dir.File("category0.html"), sub1 = dir.File("category1.html"),
                    sub2 = dir.File("category1_2.html");
  auto rerun = [&] {
    ui.results.clear();
    EXPECT_TRUE(RunHtmlOutput(doc));
    return ui.results.empty() ? std::string() : ui.results[0];
  };
  ASSERT_EQ(rerun(), sub1 + "\r\n" + sub2 + "\r\n" + top + "\r\n");
  EXPECT_EQ(rerun(), "");

  s3->m_strTitle = "s3 renamed";  // a link on the second page of Sub
  EXPECT_EQ(rerun(), sub2 + "\r\n");
  EXPECT_NE(ReadBytes(sub2).find("[s3 renamed ]"), std::string::npos);

  sub->m_strTitle = "Sub renamed";  // its own pages' heading and Top's category list
  EXPECT_EQ(rerun(), sub1 + "\r\n" + sub2 + "\r\n" + top + "\r\n");
  EXPECT_NE(ReadBytes(top).find("[sub Sub renamed]"), std::string::npos);

  settings.SetCoolData("COOL");  // the mark text of "one"
  EXPECT_EQ(rerun(), top + "\r\n");
  EXPECT_NE(ReadBytes(top).find("[one COOL]"), std::string::npos);

  doc.GetFileInfo().m_nLinksPerPage = 3;  // Sub's links now fit one page
  EXPECT_EQ(rerun(), sub1 + "\r\n");
  EXPECT_NE(ReadBytes(sub1).find("[s3 renamed ]"), std::string::npos);

  WriteBytes(dir.File("t.html"), "<U>$Category</U>\n");  // the template
  EXPECT_EQ(rerun(), sub1 + "\r\n" + top + "\r\n");
  EXPECT_EQ(ReadBytes(top), "<U>Top Category</U>\r\n");

  // A page changed or removed behind the program's back is put right, not trusted.
  WriteBytes(top, "<U>edited</U>\r\n");
  fs::remove(sub1);
  EXPECT_EQ(rerun(), sub1 + "\r\n" + top + "\r\n");
  EXPECT_EQ(rerun(), "");
}

TEST_F(HtmlOutputCommand, APageEditedToTheSameLengthOrRemovedIsPutRightByAnUnchangedRun) {
  LINKINFO* one = Add(Top(), NodeKind::Link, "one");
  SaveAs("site.knd");
  const std::string top = dir.File("category0.html");
  ASSERT_TRUE(RunHtmlOutput(doc));
  ASSERT_TRUE(RunHtmlOutput(doc));  // the page is now known to the run
  WriteBytes(top, "category0.cgi[two ]\r\n");
  ui.results.clear();
  ASSERT_TRUE(RunHtmlOutput(doc));
  ASSERT_EQ(ui.results.size(), 1u);
  EXPECT_EQ(ReadBytes(top), "category0.cgi[one ]\r\n");
  // The same output into a second folder keeps both folders' pages apart.
  one->m_strTitle = "uno";
  fs::create_directory(dir.File("other"));
  doc.GetFileInfo().m_strHtmlFolder = dir.File("other");
  doc.ConfirmOutputFolder(dir.File("other"), dir.File("other"));
  ASSERT_TRUE(RunHtmlOutput(doc));
  EXPECT_EQ(ReadBytes(dir.File("other/category0.html")), "category0.cgi[uno ]\r\n");
  EXPECT_EQ(ReadBytes(top), "category0.cgi[one ]\r\n");
}

TEST_F(HtmlOutputCommand, PagesGoToTheHtmlFolderUnderTheUtf8FormOfTheirNames) {
  // The document in a folder Shift_JIS cannot name; the template and output folder fields are
  // Shift_JIS, so they name Japanese folders.
  fs::create_directories(FsPath(dir.File("😀 -x")));
  SaveAs("😀 -x/site.knd");
  fs::create_directories(FsPath(dir.File("ドキュメント/公開")));
  fs::rename(FsPath(dir.File("t.html")), FsPath(dir.File("ドキュメント/テンプレート.html")));
  doc.GetFileInfo().m_strTemplate = ToCp932(dir.File("ドキュメント/テンプレート.html"));
  doc.GetFileInfo().m_strHtmlFolder = ToCp932(dir.File("ドキュメント/公開/"));
  settings.SetAuto(0);
  doc.GetTopCategory()->m_strFileName = ToCp932("カテゴリ.cgi");
  // The folder and the template lie outside the document's: each is confirmed once.
  ui.answers = {MbResult::Ok, MbResult::Ok};
  ASSERT_TRUE(RunHtmlOutput(doc));
  ASSERT_EQ(ui.results.size(), 1u);
  EXPECT_EQ(ui.results[0], dir.File("ドキュメント/公開/カテゴリ.html") + "\r\n");
  EXPECT_EQ(ReadBytes(dir.File("ドキュメント/公開/カテゴリ.html")), ToCp932("カテゴリ.cgi\r\n"));
  // Without the template: plain pages, named the same way.
  doc.GetFileInfo().m_strTemplate.clear();
  ASSERT_TRUE(RunHtmlOutput(doc));
  EXPECT_NE(ReadBytes(dir.File("ドキュメント/公開/カテゴリ.html")).find("<HTML>"),
            std::string::npos);
  // An accented folder has no Shift_JIS form: such a field names no folder, so the pages go
  // beside the document.
  fs::create_directories(FsPath(dir.File("Café")));
  doc.GetFileInfo().m_strHtmlFolder = ToCp932(dir.File("Café"));
  ASSERT_TRUE(RunHtmlOutput(doc));
  EXPECT_TRUE(fs::exists(FsPath(dir.File("😀 -x/カテゴリ.html"))));
}

TEST_F(HtmlOutputCommand, CancelledDocumentFolderEndsSilently) {
  Add(doc.GetTopCategory(), NodeKind::Link, "one");  // never saved: the save dialog is cancelled
  ui.savePaths = {std::nullopt};
  EXPECT_FALSE(RunHtmlOutput(doc));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.results.empty());
}

TEST_F(HtmlOutputCommand, WithAutoOffNamesAreKeptAndANameWithoutDotIsItsOwnBase) {
  settings.SetAuto(0);
  LINKINFO* a = Add(doc.GetTopCategory(), NodeKind::Category, "A");
  a->m_strFileName = "plain";
  LINKINFO* b = Add(doc.GetTopCategory(), NodeKind::Category, "B");
  b->m_strFileName = "";
  LINKINFO* c = Add(doc.GetTopCategory(), NodeKind::Category, "C");
  c->m_strFileName = "category1.cgi";
  doc.GetTopCategory()->m_strFileName = "index.cgi";
  SaveAs("site.knd");
  ASSERT_TRUE(RunHtmlOutput(doc));
  EXPECT_EQ(a->m_strFileName, "plain");
  EXPECT_EQ(b->m_strFileName, "category0.cgi");  // the first series name nobody uses
  EXPECT_TRUE(fs::exists(dir.File("plain.html")));
  EXPECT_TRUE(fs::exists(dir.File("category0.html")));
  EXPECT_TRUE(fs::exists(dir.File("category1.html")));
  EXPECT_TRUE(fs::exists(dir.File("index.html")));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(HtmlOutputCommand, HandMadeNamesOutsideTheFolderAreRefusedAndTheRestIsWritten) {
  settings.SetAuto(0);
  LINKINFO* a = Add(doc.GetTopCategory(), NodeKind::Category, "A");
  a->m_strFileName = "..";
  LINKINFO* b = Add(doc.GetTopCategory(), NodeKind::Category, "B");
  b->m_strFileName = "sub/evil.cgi";
  doc.GetTopCategory()->m_strFileName = "index.cgi";
  SaveAs("site.knd");
  EXPECT_FALSE(RunHtmlOutput(doc));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
  EXPECT_EQ(ui.results.size(), 1u);
  EXPECT_TRUE(fs::exists(dir.File("index.html")));
  EXPECT_FALSE(fs::exists(dir.File("sub")));
}

TEST_F(HtmlOutputCommand, MarkTextsComeFromTheSettings) {
  settings.SetCoolData("<B>cool!</B>");
  LINKINFO* link = Add(doc.GetTopCategory(), NodeKind::Link, "one");
  link->m_nMark = 1;
  SaveAs("site.knd");
  ASSERT_TRUE(RunHtmlOutput(doc));
  EXPECT_EQ(ReadBytes(dir.File("category0.html")), "category0.cgi[one <B>cool!</B>]\r\n");
}

TEST_F(HtmlOutputCommand, SearchPageIsWrittenBesideTheDocument) {
  LINKINFO* cat = Add(doc.GetTopCategory(), NodeKind::Category, "C");
  LINKINFO* link = Add(cat, NodeKind::Link, "T");
  link->m_strURL = "http://x/";
  SaveAs("site.knd");
  doc.SelectCategory(cat, true);
  EXPECT_EQ(WriteSearchPageBesideDocument(doc), dir.File("knrdata.html"));
  EXPECT_EQ(ReadBytes(dir.File("knrdata.html")),
            "<HTML>\r\n<HEAD>\r\n<TITLE>Kestrelnest -> Deepscout</TITLE>\r\n<BODY>\r\n"
            "<A href=\"http://x/\">T</A><BR>\r\n</BODY>\r\n</HTML>\r\n");
  EXPECT_TRUE(ui.results.empty());  // written directly, not listed
}

}  // namespace
}  // namespace vesk::test
