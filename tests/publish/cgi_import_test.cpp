#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>

#include "publish/cgi_data.h"
#include "publish/read_data_file.h"
#include "support/doc_fixture.h"
#include "support/view_recorder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

class CgiImportTest : public DocFixture {
 protected:
  std::vector<LINKINFO*> ChildrenOf(const LINKINFO* parent) {
    std::vector<LINKINFO*> out;
    for (LINKINFO* n : doc.GetNodeList()) {
      if (n->m_pParent == parent) out.push_back(n);
    }
    return out;
  }
  std::string Write(const std::string& name, const std::string& bytes) {
    WriteBytes(dir.File(name), bytes);
    return dir.File(name);
  }
};

constexpr const char* kSample =
    "Kestrelnest data format Rev03\r\n"
    "Links\t2\t988642800\tcomment\t\r\n"
    "<!-- category data -->\r\n"
    "category5.cgi\r\n"
    "<!-- Link data -->\r\n"
    "41\tFirst\thttp://one.example/\t&lt;b&gt;\t<IMG>\thot!\t988642800\tadm\tmail\r\n"
    "42\tSecond\thttp://two.example/\t\t\t2\t0\r\n"
    "\r\n"
    "43\tNever\tread\r\n";

TEST_F(CgiImportTest, ReadsLinksIntoANewWorkBoxCategoryUntilTheFirstEmptyLine) {
  ViewRecorder view;
  doc.AddView(&view);
  std::size_t before = doc.GetNodeList().size();
  ASSERT_TRUE(ImportCgiFile(doc, Write("category3.cgi", kSample)));
  auto added = ChildrenOf(doc.GetWorkBox());
  ASSERT_EQ(added.size(), 1u);
  LINKINFO* category = added[0];
  EXPECT_TRUE(category->IsCategory());
  EXPECT_EQ(category->m_strTitle, "Links");
  EXPECT_EQ(category->m_strFileName, "");
  EXPECT_EQ(category->m_strComment, "");
  EXPECT_EQ(doc.GetCurrent(), category);
  auto links = ChildrenOf(category);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(doc.GetNodeList().size(), before + 3);
  LINKINFO& first = *links[0];
  EXPECT_EQ(first.m_nKind, 1);
  EXPECT_EQ(first.m_nSerial, 41u);
  EXPECT_EQ(first.m_strTitle, "First");
  EXPECT_EQ(first.m_strURL, "http://one.example/");
  EXPECT_EQ(first.m_strComment, "&lt;b&gt;");  // escapes stay as they are
  EXPECT_EQ(first.m_strBanner, "<IMG>");
  EXPECT_EQ(first.m_nMark, 0);  // a mark text reads as 0
  EXPECT_EQ(first.m_strAdmin, "");
  EXPECT_EQ(first.m_strEmail, "");
  std::time_t t = 988642800;
  std::tm local{};
  localtime_r(&t, &local);
  EXPECT_EQ(first.m_nYear, local.tm_year + 1900);
  EXPECT_EQ(first.m_nMonth, local.tm_mon + 1);
  EXPECT_EQ(first.m_nDay, local.tm_mday);
  EXPECT_EQ(first.m_strKeywords, "Links_First");
  EXPECT_EQ(links[1]->m_nSerial, 42u);
  EXPECT_EQ(links[1]->m_nMark, 2);
  // The views heard of the new category, its selection and each link.
  auto has = [&](const std::string& h) {
    return std::find(view.described.begin(), view.described.end(), h) != view.described.end();
  };
  EXPECT_TRUE(has("102:Links"));
  EXPECT_TRUE(has("307:First"));
  EXPECT_TRUE(has("307:Second"));
  EXPECT_FALSE(has("307:Never"));
  doc.RemoveView(&view);
}

TEST_F(CgiImportTest, OneUndoRemovesTheWholeImport) {
  std::size_t before = doc.GetNodeList().size();
  std::uint32_t nextSerial = doc.GetNextSerial();
  ASSERT_TRUE(ImportCgiFile(doc, Write("c.cgi", kSample)));
  EXPECT_TRUE(doc.IsModified());
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_TRUE(ChildrenOf(doc.GetWorkBox()).empty());
  EXPECT_FALSE(doc.CanUndo());
  // The link created for the line that was not there gave its serial back.
  EXPECT_GE(doc.GetNextSerial(), nextSerial);
}

TEST_F(CgiImportTest, TheNodeLimitStopsTheImportAndWhatWasReadCanBeUndone) {
  while (doc.GetNodeList().size() < kMaxNodes - 3) AddLink(Top(), "filler");
  std::size_t before = doc.GetNodeList().size();
  std::string lines;
  for (int i = 0; i < 5; ++i) lines += std::to_string(i) + "\tL" + std::to_string(i) + "\n";
  EXPECT_FALSE(ImportCgiFile(
      doc,
      Write("big.cgi", "Kestrelnest data format Rev03\nBig\t5\n<!-- Link data -->\n" + lines)));
  EXPECT_EQ(doc.GetNodeList().size(), kMaxNodes);  // the category and two links
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages.back().Utf8(), "これ以上カテゴリー/リンク先を追加できません。");
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_TRUE(ChildrenOf(doc.GetWorkBox()).empty());
}

TEST_F(CgiImportTest, KeywordsAreFoldedToNarrowLetters) {
  std::string file = "Kestrelnest data format Rev03\n" + ToCp932("ＡＢ") +
                     "\t\n<!-- Link data -->\n1\t" + ToCp932("ｘ１") + "\n";
  ASSERT_TRUE(ImportCgiFile(doc, Write("w.cgi", file)));
  auto links = ChildrenOf(ChildrenOf(doc.GetWorkBox())[0]);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0]->m_strTitle, ToCp932("ｘ１"));
  EXPECT_EQ(links[0]->m_strKeywords, "AB_x1");
}

TEST_F(CgiImportTest, FilesThatAreNotCategoryFilesAreRefusedWithNothingCreated) {
  std::size_t before = doc.GetNodeList().size();
  const char* bad[] = {
      "Kestrelnest data format Rev03 \r\nName\t1\r\n<!-- Link data -->\r\n1\tT\r\n",
      "Kestrelnest data format Rev02\r\nName\t1\r\n",
      "Kestrelnest data format Rev03\r\nNo tab here\r\n",
      "Kestrelnest data format Rev03\r\n\tempty name\r\n",
      "Kestrelnest data format Rev03\r\n",
      "",
  };
  for (const char* content : bad) {
    ui.messages.clear();
    EXPECT_FALSE(ImportCgiFile(doc, Write("bad.cgi", content))) << content;
    ASSERT_EQ(ui.messages.size(), 1u) << content;
    EXPECT_EQ(ui.messages[0].Utf8(), "Kestrelnest CGI 用データファイルではありません。");
    EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
  }
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(CgiImportTest, AFileThatCannotBeOpenedIsReportedWithItsRealCause) {
  EXPECT_FALSE(ImportCgiFile(doc, dir.File("absent.cgi")));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "ファイルが見つかりません\nファイル: " + dir.File("absent.cgi"));
  // No permission is not "not found" (a folder stands for a file that cannot be read).
  std::filesystem::create_directory(dir.File("folder.cgi"));
  EXPECT_FALSE(ImportCgiFile(doc, dir.File("folder.cgi")));
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[1].Utf8().find("ファイルが見つかりません"), std::string::npos);
}

TEST_F(CgiImportTest, WithoutALinkMarkerTheCategoryIsCreatedEmpty) {
  ASSERT_TRUE(ImportCgiFile(doc, Write("e.cgi", "Kestrelnest data format Rev03\nOnly\t0\n")));
  auto added = ChildrenOf(doc.GetWorkBox());
  ASSERT_EQ(added.size(), 1u);
  EXPECT_TRUE(ChildrenOf(added[0]).empty());
}

TEST_F(CgiImportTest, ExportedFilesReadBack) {
  LINKINFO* link = AddLink(Top(), "Round");
  link->m_strURL = "http://r.example/";
  link->m_strBanner = "<IMG src=r.png>";
  link->m_nMark = 3;
  CDataFile data(doc);
  ExportCgiData(doc, data, dir.Path());
  ASSERT_TRUE(ImportCgiFile(doc, dir.File("category0.cgi")));
  auto links = ChildrenOf(ChildrenOf(doc.GetWorkBox())[0]);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0]->m_nSerial, link->m_nSerial);
  EXPECT_EQ(links[0]->m_strURL, "http://r.example/");
  EXPECT_EQ(links[0]->m_strBanner, "<IMG src=r.png>");
  EXPECT_EQ(links[0]->m_strKeywords, "Top Category_Round");
}

TEST_F(CgiImportTest, ReadDataFileDispatchesByTheExactExtension) {
  std::string upper = Write("data.CGI", kSample);
  EXPECT_FALSE(ReadDataFile(doc, upper));
  EXPECT_TRUE(ChildrenOf(doc.GetWorkBox()).empty());
  EXPECT_FALSE(ReadDataFile(doc, Write("noext", kSample)));
  EXPECT_FALSE(ReadDataFile(doc, Write("data.txt", kSample)));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ReadDataFile(doc, Write("data.cgi", kSample)));
  doc.GetFileInfo().m_strCgiExt = "dat";
  EXPECT_FALSE(ReadDataFile(doc, Write("data2.cgi", kSample)));
  EXPECT_TRUE(ReadDataFile(doc, Write("data.dat", kSample)));
  EXPECT_EQ(ChildrenOf(doc.GetWorkBox()).size(), 2u);
}

TEST_F(CgiImportTest, ReadDataFileCommandOffersTheFilterWithTheCgiExtension) {
  ui.openPath = Write("x.cgi", kSample);
  EXPECT_TRUE(OnReadDataFile(doc));
  ASSERT_EQ(ui.askedFilter.size(), 1u);
  EXPECT_EQ(ToUtf8(ui.askedFilter[0]),
            "Kestrelnest CGI データファイル (*cgi)|*cgi|Kestrelnest CSV カンマ区切りファイル "
            "(*.csv)|*.csv|お気に入り用ファイル(*.url)|*.url|");
}

}  // namespace
}  // namespace vesk::test
