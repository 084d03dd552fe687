#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "publish/cgi_data.h"
#include "publish/output_folder.h"
#include "support/doc_fixture.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

class CgiExportTest : public DocFixture {
 protected:
  // Runs the export into the temporary folder; returns the list of changed files.
  std::string Export(bool* changed = nullptr, bool* failed = nullptr) {
    CDataFile data(doc);
    bool c = ExportCgiData(doc, data, dir.Path(), failed);
    if (changed) *changed = c;
    return data.m_strChanged;
  }
  std::string File(const std::string& name) { return ReadBytes(dir.File(name)); }
};

TEST_F(CgiExportTest, OneLinkInTopCategoryIsWrittenByteForByte) {
  settings.SetCoolData("cool!");
  LINKINFO* link = AddLink(Top(), "Title");
  link->m_strURL = "http://example.jp/";
  link->m_strComment = "<b>R&D</b> \"x\"";
  link->m_strBanner = "<IMG src=\"b.png\">";
  link->m_nMark = 1;
  link->m_tUpdate = 988642800;
  link->m_strAdmin = "admin";
  link->m_strEmail = "a@example.jp";
  Top()->m_strComment = "top <i>comment</i>";
  Top()->m_tUpdate = 988642800;
  doc.SetModifiedFlag(false);

  bool changed = false;
  std::string list = Export(&changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(list, dir.File("category0.cgi") + "\r\n");
  EXPECT_EQ(Top()->m_strFileName, "category0.cgi");
  EXPECT_EQ(File("category0.cgi"),
            "Kestrelnest data format Rev03\r\n"
            "Top Category\t1\t988642800\ttop <i>comment</i>\t\r\n"
            "<!-- category data -->\r\n"
            "<!-- Link data -->\r\n"
            "3\tTitle\thttp://example.jp/\t&lt;b&gt;R&amp;D&lt;/b&gt; &quot;x&quot;\t"
            "<IMG src=\"b.png\">\tcool!\t988642800\tadmin\ta@example.jp\r\n");
  EXPECT_EQ(File("search.cgi"),
            "Kestrelnest search format Rev03\r\n"
            "3\t988642800\tcategory0.cgi\t::\tTop Category Title \r\n");
  EXPECT_FALSE(fs::exists(dir.File("vesktemp.)vesk(")));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(CgiExportTest, TagSettingWritesCommentsUnescaped) {
  settings.SetTag(1);
  AddLink(Top(), "T")->m_strComment = "a<b & c";
  Export();
  EXPECT_NE(File("category0.cgi").find("\ta<b & c\t"), std::string::npos);
}

TEST_F(CgiExportTest, TreeIsNamedTopDownAndCommittedChildrenFirst) {
  LINKINFO* a = AddCategory(Top(), "A");
  LINKINFO* l1 = AddLink(Top(), "L1");
  LINKINFO* b = AddCategory(Top(), "B");
  LINKINFO* a1 = AddCategory(a, "A1");
  LINKINFO* l2 = AddLink(a1, "L2");
  LINKINFO* l3 = AddLink(b, "L3");
  LINKINFO* l4 = AddLink(a, "L4");
  LINKINFO* hidden = AddLink(doc.GetWorkBox(), "W");
  LINKINFO* trashed = AddLink(doc.GetTrash(), "X");
  for (LINKINFO* l : {l1, l2, l3, l4, hidden, trashed}) {
    l->m_nFlags = kFlagTitle;
    l->m_tUpdate = 7;
  }

  std::string list = Export();
  EXPECT_EQ(Top()->m_strFileName, "category0.cgi");
  EXPECT_EQ(a->m_strFileName, "category1.cgi");
  EXPECT_EQ(a1->m_strFileName, "category2.cgi");
  EXPECT_EQ(b->m_strFileName, "category3.cgi");
  EXPECT_EQ(list, dir.File("category2.cgi") + "\r\n" + dir.File("category1.cgi") + "\r\n" +
                      dir.File("category3.cgi") + "\r\n" + dir.File("category0.cgi") + "\r\n");
  EXPECT_EQ(File("category0.cgi"),
            "Kestrelnest data format Rev03\r\nTop Category\t3\t0\t\t\r\n"
            "<!-- category data -->\r\ncategory1.cgi\r\ncategory3.cgi\r\n"
            "<!-- Link data -->\r\n" +
                std::to_string(l1->m_nSerial) + "\tL1\t\t\t\t\t7\t\t\r\n");
  EXPECT_EQ(File("category1.cgi"),
            "Kestrelnest data format Rev03\r\nA\t2\t0\t\t\r\n"
            "<!-- category data -->\r\ncategory2.cgi\r\n<!-- Link data -->\r\n" +
                std::to_string(l4->m_nSerial) + "\tL4\t\t\t\t\t7\t\t\r\n");
  auto s = [](LINKINFO* l, const char* file) {
    return std::to_string(l->m_nSerial) + "\t7\t" + file + "\t::\t" + l->m_strTitle + " \r\n";
  };
  // A's links come where A stands in Top Category's list: before L1.
  EXPECT_EQ(File("search.cgi"), "Kestrelnest search format Rev03\r\n" + s(l2, "category2.cgi") +
                                    s(l4, "category1.cgi") + s(l1, "category0.cgi") +
                                    s(l3, "category3.cgi"));
  EXPECT_EQ(File("search.cgi").find("\tW"), std::string::npos);
  EXPECT_EQ(File("search.cgi").find("\tX"), std::string::npos);
}

TEST_F(CgiExportTest, SecondRunWithoutChangesTouchesNoCategoryFileButRewritesSearchFile) {
  AddLink(Top(), "T");
  bool changed = false;
  Export(&changed);
  ASSERT_TRUE(changed);
  auto categoryTime = fs::last_write_time(dir.File("category0.cgi"));
  fs::last_write_time(dir.File("search.cgi"), categoryTime - std::chrono::hours(1));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  std::string list = Export(&changed);
  EXPECT_FALSE(changed);
  EXPECT_EQ(list, "");
  EXPECT_EQ(fs::last_write_time(dir.File("category0.cgi")), categoryTime);
  EXPECT_GT(fs::last_write_time(dir.File("search.cgi")), categoryTime - std::chrono::hours(1));
}

TEST_F(CgiExportTest, AutoOffKeepsNamesAndGivesUnnamedCategoriesAFreeNumber) {
  settings.SetAuto(0);
  Top()->m_strFileName = "index.cgi";
  LINKINFO* named = AddCategory(Top(), "named");
  named->m_strFileName = "category1.cgi";
  LINKINFO* parked = AddCategory(doc.GetWorkBox(), "parked");
  parked->m_strFileName = "category0.cgi";
  LINKINFO* fresh = AddCategory(Top(), "fresh");
  std::string list = Export();
  EXPECT_EQ(Top()->m_strFileName, "index.cgi");
  EXPECT_EQ(named->m_strFileName, "category1.cgi");
  EXPECT_EQ(fresh->m_strFileName, "category2.cgi");  // 0 and 1 are taken in the document
  EXPECT_EQ(list, dir.File("category1.cgi") + "\r\n" + dir.File("category2.cgi") + "\r\n" +
                      dir.File("index.cgi") + "\r\n");
}

TEST_F(CgiExportTest, AutoOnRenamesEveryCategory) {
  Top()->m_strFileName = "index.cgi";
  LINKINFO* sub = AddCategory(Top(), "sub");
  sub->m_strFileName = "keep.cgi";
  Export();
  EXPECT_EQ(Top()->m_strFileName, "category0.cgi");
  EXPECT_EQ(sub->m_strFileName, "category1.cgi");
  EXPECT_FALSE(fs::exists(dir.File("index.cgi")));
}

TEST_F(CgiExportTest, NamesThatLeaveTheFolderAreRefusedAndSkipped) {
  settings.SetAuto(0);
  fs::create_directory(dir.File("out"));
  Top()->m_strFileName = "top.cgi";
  LINKINFO* up = AddCategory(Top(), "up");
  up->m_strFileName = "../escape.cgi";
  AddLink(up, "hidden link");
  LINKINFO* dot = AddCategory(Top(), "dot");
  dot->m_strFileName = "..";
  LINKINFO* ok = AddCategory(Top(), "ok");
  ok->m_strFileName = "ok.cgi";
  CDataFile data(doc);
  bool failed = false;
  ExportCgiData(doc, data, dir.File("out/"), &failed);
  EXPECT_TRUE(failed);
  EXPECT_FALSE(fs::exists(dir.File("escape.cgi")));
  EXPECT_EQ(data.m_strChanged, dir.File("out/ok.cgi") + "\r\n" + dir.File("out/top.cgi") + "\r\n");
  ASSERT_EQ(ui.messages.size(), 2u);
  // Each refusal names the category and its file name.
  EXPECT_EQ(ui.messages[0].Utf8(), "ファイル名に使用できない文字が有ります。\nup (../escape.cgi)");
  EXPECT_EQ(ui.messages[1].Utf8(), "ファイル名に使用できない文字が有ります。\ndot (..)");
  std::string top = ReadBytes(dir.File("out/top.cgi"));
  EXPECT_EQ(top,
            "Kestrelnest data format Rev03\r\nTop Category\t1\t0\t\t\r\n"
            "<!-- category data -->\r\nok.cgi\r\n<!-- Link data -->\r\n");
  EXPECT_EQ(ReadBytes(dir.File("out/search.cgi")).find("hidden"), std::string::npos);
}

TEST_F(CgiExportTest, LineBreaksAndTabsInFieldsAreDropped) {
  LINKINFO* link = AddLink(Top(), "Ti\ttle");
  link->m_strComment = "line1\r\nline2";
  link->m_strBanner = "<IMG\n src=x>";
  link->m_strKeywords = "\tk1\tk2";
  link->m_nFlags = kFlagComment;
  Top()->m_strTitle = "Top\r\nCategory";
  Export();
  std::string s = std::to_string(link->m_nSerial);
  EXPECT_EQ(File("category0.cgi"),
            "Kestrelnest data format Rev03\r\nTopCategory\t1\t0\t\t\r\n"
            "<!-- category data -->\r\n<!-- Link data -->\r\n" +
                s + "\tTitle\t\tline1line2\t<IMG src=x>\t\t0\t\t\r\n");
  // In the search text a TAB becomes a space first; CR and LF then go.
  EXPECT_EQ(File("search.cgi"), "Kestrelnest search format Rev03\r\n" + s +
                                    "\t0\tcategory0.cgi\t::\tline1line2  k1 k2\r\n");
}

TEST_F(CgiExportTest, SearchTextFoldsFullWidthLettersDigitsAndSpace) {
  // Full-width "ＡＢ１２", a full-width space, "ｚ" and a full-width comma that stays.
  std::string wide = ToCp932("ＡＢ１２　ｚ，");
  LINKINFO* link = AddLink(Top(), wide);
  link->m_nFlags = kFlagTitle;
  link->m_strKeywords = ToCp932("漢字");
  Export();
  EXPECT_EQ(File("search.cgi"), "Kestrelnest search format Rev03\r\n" +
                                    std::to_string(link->m_nSerial) + "\t0\tcategory0.cgi\t::\t" +
                                    "AB12 z" + ToCp932("，") + " " + ToCp932("漢字") + "\r\n");
  // The category file keeps the title as it is.
  EXPECT_NE(File("category0.cgi").find("\t" + wide + "\t"), std::string::npos);
}

TEST_F(CgiExportTest, MarkTextsComeFromTheSettingsAndUnknownMarksGiveNone) {
  settings.SetCoolData("C!");
  settings.SetHotData("H!");
  settings.SetCheckData("K!");
  for (int mark : {0, 1, 2, 3, 4}) AddLink(Top(), "m" + std::to_string(mark))->m_nMark = mark;
  Export();
  std::string f = File("category0.cgi");
  for (auto [title, text] :
       {std::pair{"m0", ""}, {"m1", "C!"}, {"m2", "H!"}, {"m3", "K!"}, {"m4", ""}}) {
    EXPECT_NE(f.find(std::string("\t") + title + "\t\t\t\t" + text + "\t0\t"), std::string::npos)
        << title;
  }
}

TEST_F(CgiExportTest, AnUncreatableTemporaryFileIsReportedWithItsCauseAndName) {
  AddLink(Top(), "T");
  CDataFile data(doc);
  bool failed = false;
  EXPECT_FALSE(ExportCgiData(doc, data, dir.File("missing-folder/"), &failed));
  EXPECT_TRUE(failed);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(ui.messages[0].Utf8(),
            "ファイルが見つかりません\nファイル: " + dir.File("missing-folder/vesktemp.)vesk("));
}

TEST_F(CgiExportTest, OutputFolderIsTheFolderFieldOnlyWhenItNamesAnExistingFolder) {
  // The field is Shift_JIS; the folder on disk has the UTF-8 name.
  fs::create_directory(FsPath(dir.File("出力")));
  const std::string field = ToCp932(dir.File("出力"));
  EXPECT_EQ(OutputFolder(field, "/doc/"), dir.File("出力/"));
  EXPECT_EQ(OutputFolder(field + "/", "/doc/"), dir.File("出力/"));  // typed with a trailing '/'
  EXPECT_EQ(OutputFolder(dir.File("出力"), "/doc/"), "/doc/");  // UTF-8 bytes are not Shift_JIS
  EXPECT_EQ(OutputFolder(dir.File("none"), "/doc/"), "/doc/");
  WriteBytes(dir.File("plain"), "x");
  EXPECT_EQ(OutputFolder(dir.File("plain"), "/doc/"), "/doc/");
  EXPECT_EQ(OutputFolder("", "/doc/"), "/doc/");
  EXPECT_EQ(OutputFolder("/", "/doc/"), "/doc/");  // the bare root does not count
}

TEST_F(CgiExportTest, FilesGetTheUtf8FormOfTheirShiftJisNames) {
  AddLink(Top(), "T");
  doc.GetFileInfo().m_strSearchFile = ToCp932("検索.cgi");
  settings.SetAuto(0);
  Top()->m_strFileName = ToCp932("カテゴリ.cgi");
  EXPECT_EQ(Export(), dir.File("カテゴリ.cgi") + "\r\n");
  // The lines keep the Shift_JIS name the search CGI compares with.
  EXPECT_NE(File("検索.cgi").find(ToCp932("\tカテゴリ.cgi\t")), std::string::npos);
}

TEST_F(CgiExportTest, OutputCommandSavesTheDocumentWritesBesideItAndShowsTheList) {
  AddLink(Top(), "T");
  std::string path = dir.File("site.knd");
  ui.savePath = path;
  ASSERT_TRUE(RunCgiOutput(doc));
  EXPECT_TRUE(fs::exists(path));
  ASSERT_EQ(ui.results.size(), 1u);
  EXPECT_EQ(ui.results[0], dir.File("category0.cgi") + "\r\n");
  EXPECT_TRUE(fs::exists(dir.File("search.cgi")));
  // Unchanged second run: nothing to list, so no result dialog.
  ASSERT_TRUE(RunCgiOutput(doc));
  EXPECT_EQ(ui.results.size(), 1u);
}

TEST_F(CgiExportTest, OutputCommandEndsSilentlyWhenTheSaveDialogIsCancelled) {
  AddLink(Top(), "T");
  ui.savePaths = {std::nullopt};
  EXPECT_FALSE(RunCgiOutput(doc));
  EXPECT_TRUE(ui.results.empty());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(Top()->m_strFileName, "");
}

}  // namespace
}  // namespace vesk::test
