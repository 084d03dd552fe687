#include "publish/csv_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <string>
#include <vector>

#include "document/veskdoc.h"
#include "publish/data_file.h"
#include "publish/read_data_file.h"
#include "support/doc_fixture.h"
#include "support/temp_folder.h"
#include "support/view_recorder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

const std::string kHeader =
    "Kestrelnest CSV file Rev03\r\n" +
    ToCp932(
        "通し番号,カテゴリー,webページの題名,URL,web管理者,E-mail,コメント,バナー,マーク,"
        "更新日,キーワード") +
    "\r\n";

// A saved-looking document in a temporary folder, so that DocFolder gives that folder.
class CsvDocTest : public DocFixture {
 protected:
  CsvDocTest() {
    doc.SetPathName(dir.File("links.knd"));
    doc.SetModifiedFlag(false);
    doc.AddView(&view);
  }
  ~CsvDocTest() override { doc.RemoveView(&view); }

  LINKINFO* AddCategory(LINKINFO* parent, const std::string& title, const std::string& file) {
    doc.SelectCategory(parent, false);
    LINKINFO* c = doc.CreateNode(NodeKind::Category);
    c->m_strTitle = title;
    c->m_strFileName = file;
    return c;
  }
  LINKINFO* AddLink(LINKINFO* parent, const std::string& title) {
    doc.SelectCategory(parent, false);
    LINKINFO* l = doc.CreateNode(NodeKind::Link);
    l->m_strTitle = title;
    l->m_nYear = 2001;
    l->m_nMonth = 5;
    l->m_nDay = 7;
    return l;
  }
  std::vector<LINKINFO*> Children(const LINKINFO* parent) {
    std::vector<LINKINFO*> out;
    for (LINKINFO* n : doc.GetNodeList())
      if (n->m_pParent == parent) out.push_back(n);
    return out;
  }

  ViewRecorder view;
};

TEST(CsvRecord, QuotesOnlyFieldsThatNeedItAndReadsThemBack) {
  LINKINFO link(1, 0);
  link.m_nSerial = 42;
  link.m_strTitle = "Tom, Dick";
  link.m_strURL = "http://example.com/";
  link.m_strAdmin = ToCp932("表示");  // second byte 0x5C
  link.m_strEmail = "a@b.c";
  link.m_strComment = "the \"best\"";
  link.m_strBanner = "";
  link.m_nMark = -3;
  link.m_nYear = 2001;
  link.m_nMonth = 5;
  link.m_nDay = 7;
  link.m_strKeywords = "k1\tk2";
  std::string line = CsvRecordLine(link, "Cat");
  EXPECT_EQ(line, "42,Cat,\"Tom, Dick\",http://example.com/," + ToCp932("表示") +
                      ",a@b.c,\"the \"\"best\"\"\",,-3,2001/05/07,k1\tk2");

  LINKINFO back(1, 0);
  std::string category;
  ParseCsvRecord(line, back, category);
  EXPECT_EQ(back.m_nSerial, 42u);
  EXPECT_EQ(category, "Cat");
  EXPECT_EQ(back.m_strTitle, link.m_strTitle);
  EXPECT_EQ(back.m_strAdmin, link.m_strAdmin);
  EXPECT_EQ(back.m_strComment, link.m_strComment);
  EXPECT_EQ(back.m_strBanner, "");
  EXPECT_EQ(back.m_nMark, -3);
  EXPECT_EQ(back.m_strKeywords, "k1\tk2");
  EXPECT_EQ(back.m_nYear * 10000 + back.m_nMonth * 100 + back.m_nDay, 20010507);
}

TEST(CsvRecord, DateRuleAcceptsOnlyTheHandledRange) {
  auto dateOf = [](const std::string& date) {
    LINKINFO link(1, 0);
    link.m_nYear = 1999;
    link.m_nMonth = 9;
    link.m_nDay = 9;
    std::string category;
    ParseCsvRecord("1,c,t,u,a,e,c,b,0," + date + ",k", link, category);
    return link.m_nYear * 10000 + link.m_nMonth * 100 + link.m_nDay;
  };
  EXPECT_EQ(dateOf("1969/12/31"), 19990909);
  EXPECT_EQ(dateOf("1970/1/1"), 19700101);
  EXPECT_EQ(dateOf("2001/2/30"), 20010230);
  EXPECT_EQ(dateOf("2037/12/31"), 20371231);
  EXPECT_EQ(dateOf("2038/01/01"), 19990909);
  EXPECT_EQ(dateOf("2001/13/01"), 19990909);
  EXPECT_EQ(dateOf("2001/00/01"), 19990909);
  EXPECT_EQ(dateOf("2001/01/32"), 19990909);
  EXPECT_EQ(dateOf("2001/01"), 19990909);
  EXPECT_EQ(dateOf("garbage"), 19990909);
  EXPECT_EQ(dateOf("2001x/3y/4z"), 20010304);
}

TEST(CsvRecord, NumbersTakeLeadingDigitsAndMissingFieldsAreEmpty) {
  LINKINFO link(1, 0);
  link.m_strURL = "old";
  std::string category = "old";
  ParseCsvRecord("17,Only two", link, category);
  EXPECT_EQ(link.m_nSerial, 17u);
  EXPECT_EQ(category, "Only two");
  EXPECT_EQ(link.m_strURL, "");
  EXPECT_EQ(link.m_nMark, 0);
}

TEST_F(CsvDocTest, ExportWritesTheCurrentCategorysOwnLinksBesideTheDocument) {
  LINKINFO* cat = AddCategory(doc.GetTopCategory(), "Sites, mine", "category3.cgi");
  LINKINFO* sub = AddCategory(cat, "Sub", "category4.cgi");
  LINKINFO* a = AddLink(cat, "A");
  a->m_nSerial = 7;
  a->m_strURL = "http://a/";
  a->m_strComment = "say \"hi\"";
  AddLink(sub, "not exported");
  AddLink(doc.GetTopCategory(), "neither");
  LINKINFO* b = AddLink(cat, "B");
  b->m_nSerial = 8;
  b->m_nMark = 2;
  doc.SelectCategory(cat, false);
  doc.GetFileInfo().m_strCgiFolder = dir.Path() + "cgi";  // output folders do not matter

  ASSERT_TRUE(ExportCsv(doc));
  EXPECT_EQ(ReadBytes(dir.File("category3.csv")),
            kHeader +
                "7,\"Sites, mine\",A,http://a/,,,\"say \"\"hi\"\"\",,0,2001/05/07,\r\n"
                "8,\"Sites, mine\",B,,,,,,2,2001/05/07,\r\n");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "CSVデータをファイルに書き込みました。");
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Information);
  EXPECT_FALSE(doc.IsModified());
}

// A category without a file name that no output names (the work box) would give the hidden
// ".csv" that every such category shares: it is refused instead.
TEST_F(CsvDocTest, ExportOfACategoryThatHasNoFileNameIsRefused) {
  doc.SelectCategory(doc.GetWorkBox(), false);
  EXPECT_FALSE(ExportCsv(doc));
  EXPECT_FALSE(std::filesystem::exists(dir.File(".csv")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "このカテゴリーにはファイル名が有りません。");
}

TEST_F(CsvDocTest, ExportRefusesNamesLeavingTheFolderAndReportsUncreatableFiles) {
  LINKINFO* cat = AddCategory(doc.GetTopCategory(), "Bad", "../escape.cgi");
  doc.SelectCategory(cat, false);
  EXPECT_FALSE(ExportCsv(doc));
  EXPECT_FALSE(std::filesystem::exists(dir.Path() + "../escape.csv"));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
  EXPECT_NE(ui.messages[0].Utf8().find("ファイル名に使用できない文字が有ります。"),
            std::string::npos);

  // A folder standing where the file should go cannot be created as a file.
  ui.messages.clear();
  cat->m_strFileName = "taken.cgi";
  std::filesystem::create_directory(dir.File("taken.csv"));
  EXPECT_FALSE(ExportCsv(doc));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "ファイル名に使用できない文字が有ります。\ntaken.csv");
}

TEST_F(CsvDocTest, ExportedFileImportsIntoANewWorkBoxCategoryAsOneUndoGroup) {
  LINKINFO* cat = AddCategory(doc.GetTopCategory(), "Sites, mine", "category3.cgi");
  LINKINFO* a = AddLink(cat, "Tom, \"Dick\"");
  a->m_nSerial = 1234;
  a->m_strURL = "http://a/";
  a->m_strKeywords = ToCp932("能力") + "\tx";
  a->m_nYear = 2010;
  a->m_nMonth = 12;
  a->m_nDay = 24;
  AddLink(cat, "B")->m_nSerial = 1235;
  doc.SelectCategory(cat, false);
  ASSERT_TRUE(ExportCsv(doc));
  std::size_t nodesBefore = doc.GetNodeList().size();
  view.hints.clear();

  ASSERT_TRUE(ImportCsvFile(doc, dir.File("category3.csv")));
  std::vector<LINKINFO*> boxed = Children(doc.GetWorkBox());
  ASSERT_EQ(boxed.size(), 1u);
  LINKINFO* imported = boxed[0];
  EXPECT_TRUE(imported->IsCategory());
  EXPECT_EQ(imported->m_strTitle, "Sites, mine");
  EXPECT_EQ(doc.GetCurrent(), imported);
  std::vector<LINKINFO*> links = Children(imported);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0]->m_strTitle, "Tom, \"Dick\"");
  EXPECT_EQ(links[0]->m_nSerial, 1234u);
  EXPECT_EQ(links[0]->m_strKeywords, a->m_strKeywords);
  EXPECT_EQ(links[0]->m_nYear * 10000 + links[0]->m_nMonth * 100 + links[0]->m_nDay, 20101224);
  EXPECT_EQ(links[1]->m_strTitle, "B");
  EXPECT_TRUE(view.Saw(kHintAddCategory));
  EXPECT_TRUE(view.Saw(kHintNewLink));
  EXPECT_TRUE(view.Saw(kHintCategoryText));
  EXPECT_EQ(doc.GetNodeList().size(), nodesBefore + 3);

  // One undo takes the whole import away.
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), nodesBefore);
  EXPECT_TRUE(Children(doc.GetWorkBox()).empty());
}

TEST_F(CsvDocTest, ImportRefusesForeignAndMissingFilesWithoutChangingTheDocument) {
  std::size_t nodesBefore = doc.GetNodeList().size();
  WriteBytes(dir.File("other.csv"), "Kestrelnest CSV file Rev02\r\nx\r\n1,a,b\r\n");
  EXPECT_FALSE(ImportCsvFile(doc, dir.File("other.csv")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "Kestrelnest CSVのデータファイルではありません。");
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);

  WriteBytes(dir.File("empty.csv"), "");
  EXPECT_FALSE(ImportCsvFile(doc, dir.File("empty.csv")));
  EXPECT_EQ(ui.messages.size(), 2u);

  // A file that cannot be read is not a CSV file of the program either.
  ui.messages.clear();
  EXPECT_FALSE(ImportCsvFile(doc, dir.File("missing.csv")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "Kestrelnest CSVのデータファイルではありません。");
  EXPECT_EQ(doc.GetNodeList().size(), nodesBefore);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(CsvDocTest, ImportOfHeaderOnlyLeavesAnEmptyUnnamedCategory) {
  WriteBytes(dir.File("h.csv"), "Kestrelnest CSV file Rev03,extra\nheadings ignored\n");
  ASSERT_TRUE(ImportCsvFile(doc, dir.File("h.csv")));
  std::vector<LINKINFO*> boxed = Children(doc.GetWorkBox());
  ASSERT_EQ(boxed.size(), 1u);
  EXPECT_EQ(boxed[0]->m_strTitle, "");
  EXPECT_TRUE(Children(boxed[0]).empty());
}

TEST_F(CsvDocTest, ImportStopsAtAnEmptyLineAndSplitsRecordsAtLineBreaks) {
  WriteBytes(dir.File("r.csv"),
             "Kestrelnest CSV file Rev03\r\nh\r\n"
             "1,Cat,T1,u1,,,first half\r\nrest,Other,0,2001/01/01,k\r\n"
             "\r\n"
             "3,Late,T3,u3\r\n");
  ASSERT_TRUE(ImportCsvFile(doc, dir.File("r.csv")));
  LINKINFO* imported = Children(doc.GetWorkBox()).at(0);
  std::vector<LINKINFO*> links = Children(imported);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0]->m_strComment, "first half");
  EXPECT_EQ(links[1]->m_nSerial, 0u);  // "rest" has no digits
  EXPECT_EQ(links[1]->m_strTitle, "0");
  EXPECT_EQ(imported->m_strTitle, "Other");
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST_F(CsvDocTest, ImportWithoutATreeToFollowTheSelectionStillFillsTheWorkBox) {
  doc.RemoveView(&view);
  WriteBytes(dir.File("r.csv"), "Kestrelnest CSV file Rev03\nh\n5,Named,T,u\n");
  LINKINFO* top = doc.GetTopCategory();
  std::size_t topChildren = Children(top).size();
  ASSERT_TRUE(ImportCsvFile(doc, dir.File("r.csv")));
  doc.AddView(&view);
  std::vector<LINKINFO*> boxed = Children(doc.GetWorkBox());
  ASSERT_EQ(boxed.size(), 1u);
  EXPECT_EQ(boxed[0]->m_strTitle, "Named");
  ASSERT_EQ(Children(boxed[0]).size(), 1u);
  EXPECT_EQ(Children(top).size(), topChildren);
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST_F(CsvDocTest, ReadDataFileHandsCsvAndUrlFilesOverByTheirExactExtension) {
  const std::string csv = "Kestrelnest CSV file Rev03\r\nh\r\n9,From csv,T,http://t/\r\n";
  WriteBytes(dir.File("upper.CSV"), csv);
  WriteBytes(dir.File("lower.csv"), csv);
  WriteBytes(dir.File("site.URL"), "[InternetShortcut]\r\nURL=http://u/\r\n");
  WriteBytes(dir.File("site.url"), "[InternetShortcut]\r\nURL=http://u/\r\n");
  std::size_t before = doc.GetNodeList().size();
  EXPECT_FALSE(ReadDataFile(doc, dir.File("upper.CSV")));
  EXPECT_FALSE(ReadDataFile(doc, dir.File("site.URL")));
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_TRUE(ui.messages.empty());

  EXPECT_TRUE(ReadDataFile(doc, dir.File("lower.csv")));
  EXPECT_EQ(doc.GetNodeList().size(), before + 2);
  EXPECT_EQ(Children(doc.GetWorkBox()).at(0)->m_strTitle, "From csv");
  EXPECT_TRUE(ReadDataFile(doc, dir.File("site.url")));
  EXPECT_EQ(doc.GetNodeList().size(), before + 3);
  EXPECT_EQ(doc.GetNodeList().back()->m_strURL, "http://u/");
}

}  // namespace
}  // namespace vesk::test
