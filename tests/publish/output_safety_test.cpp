// The outputs never destroy a file they do not own: the document, its template, the settings,
// another output of the same run, a planted link, a special file, or anything outside the
// folders the user chose.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <vector>

#include "publish/cgi_data.h"
#include "publish/csv_file.h"
#include "publish/html_pages.h"
#include "publish/search_page.h"
#include "support/doc_fixture.h"
#include "support/file_size_limit.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kBadName = "ファイル名に使用できない文字が有ります。";

class OutputSafetyTest : public DocFixture {
 protected:
  // The document saved as site/links.knd, with one category and one link.
  void SetUp() override {
    fs::create_directory(dir.File("site"));
    LINKINFO* c = AddCategory(Top(), "Sub");
    AddLink(c, "Link");
    ASSERT_TRUE(doc.OnSaveDocument(DocPath()));
    docBytes = ReadBytes(DocPath());
  }
  std::string Site(const std::string& name = {}) { return dir.File("site/" + name); }
  std::string DocPath() { return Site("links.knd"); }
  int Count(const std::string& utf8) {
    int n = 0;
    for (const auto& m : ui.messages) n += m.Utf8().find(utf8) != std::string::npos;
    return n;
  }
  bool Resave() {
    doc.SetModifiedFlag(true);
    return doc.OnSaveDocument(DocPath()) && (docBytes = ReadBytes(DocPath()), true);
  }

  std::string docBytes;
};

TEST_F(OutputSafetyTest, NamesThatWouldReplaceTheDocumentOrAnotherOutputAreRefused) {
  // The search file named like the document.
  doc.GetFileInfo().m_strSearchFile = "links.knd";
  ASSERT_TRUE(Resave());
  EXPECT_FALSE(RunCgiOutput(doc));
  EXPECT_EQ(ReadBytes(DocPath()), docBytes);
  EXPECT_EQ(Count(kBadName), 1);

  // A stored category file name equal to the document's, with automatic names off.
  settings.SetAuto(0);
  doc.GetFileInfo().m_strSearchFile = "search.cgi";
  LINKINFO* sub = doc.FindFirstChild(Top());
  sub->m_strFileName = "links.knd";
  ASSERT_TRUE(Resave());
  ui.messages.clear();
  EXPECT_FALSE(RunCgiOutput(doc));
  EXPECT_EQ(ReadBytes(DocPath()), docBytes);
  ASSERT_EQ(Count(kBadName), 1);
  EXPECT_NE(Count("Sub"), 0) << "the message names the category";

  // The HTML extension "knd" turns a category's page into the document.
  sub->m_strFileName = "links.cgi";
  doc.GetFileInfo().m_strHtmlExt = "knd";
  ASSERT_TRUE(Resave());
  EXPECT_FALSE(RunHtmlOutput(doc));
  EXPECT_EQ(ReadBytes(DocPath()), docBytes);

  // Two categories with one file name: the second is refused, the first file stays its own.
  doc.GetFileInfo().m_strHtmlExt = "html";
  LINKINFO* twin = AddCategory(Top(), "Twin");
  twin->m_strFileName = "links.cgi";
  ASSERT_TRUE(Resave());
  ui.messages.clear();
  EXPECT_FALSE(RunCgiOutput(doc));
  EXPECT_NE(ReadBytes(Site("links.cgi")).find("Sub\t"), std::string::npos);
  EXPECT_NE(Count("Twin"), 0);

  // A category named like the search file does not lose its file to the search data.
  twin->m_strFileName = "search.cgi";
  ASSERT_TRUE(Resave());
  EXPECT_FALSE(RunCgiOutput(doc));
  EXPECT_EQ(ReadBytes(Site("search.cgi")).rfind("Kestrelnest data format Rev03", 0), 0u);
}

TEST_F(OutputSafetyTest, APageNeverReplacesTheTemplate) {
  settings.SetAuto(0);
  const std::string tpl =
      "<HTML>$Category<!-- Links Data -->$Category<!-- End Links Data --></HTML>\r\n";
  WriteBytes(Site("template.html"), tpl);
  doc.GetFileInfo().m_strTemplate = Site("template.html");
  doc.FindFirstChild(Top())->m_strFileName = "template.cgi";
  ASSERT_TRUE(Resave());
  EXPECT_FALSE(RunHtmlOutput(doc));
  EXPECT_EQ(ReadBytes(Site("template.html")), tpl);
}

TEST_F(OutputSafetyTest, AReceivedDocumentCannotWriteOutsideItsFolderUnasked) {
  // The CGI folder is "home", beside the site folder, and the search file a dot file there.
  fs::create_directory(dir.File("home"));
  WriteBytes(dir.File("home/.bashrc"), "alias ls=ls\n");
  doc.GetFileInfo().m_strCgiFolder = dir.File("home");
  doc.GetFileInfo().m_strSearchFile = ".bashrc";
  ASSERT_TRUE(Resave());

  // Cancel: nothing is written there.
  ui.answer = MbResult::Cancel;
  EXPECT_FALSE(RunCgiOutput(doc));
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].buttons, MbButtons::OkCancel);
  EXPECT_EQ(fs::directory_iterator(dir.File("home"))->path().filename(), ".bashrc");

  // OK: the category files go there, the dot file is still refused, and the answer is kept
  // for this document.
  ui.answer = MbResult::Ok;
  ui.messages.clear();
  EXPECT_FALSE(RunCgiOutput(doc));
  EXPECT_EQ(ReadBytes(dir.File("home/.bashrc")), "alias ls=ls\n");
  EXPECT_TRUE(fs::exists(dir.File("home/category0.cgi")));
  EXPECT_EQ(Count(kBadName), 1);
  doc.GetFileInfo().m_strSearchFile = "search.cgi";
  ui.messages.clear();
  EXPECT_TRUE(RunCgiOutput(doc));
  EXPECT_TRUE(ui.messages.empty()) << "asked only once";
  EXPECT_TRUE(settings.IsOutputFolderConfirmed(PathText(fs::canonical(DocPath())),
                                               PathText(fs::canonical(dir.File("home")))));

  // A folder below the document's own is never asked about.
  fs::create_directory(Site("cgi"));
  doc.GetFileInfo().m_strCgiFolder = Site("cgi");
  ASSERT_TRUE(Resave());
  ui.messages.clear();
  ui.answer = MbResult::Cancel;
  EXPECT_TRUE(RunCgiOutput(doc));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(OutputSafetyTest, PlantedLinksAndSpecialFilesAreNeverFollowedOrReplaced) {
  VESK_SKIP_WITHOUT_SYMLINKS();
  WriteBytes(dir.File("victim"), "precious");
  // Under an output's name, under the temporary file's name and under the search page's name.
  fs::create_symlink(dir.File("victim"), Site("category1.cgi"));
  fs::create_symlink(dir.File("victim"), Site("vesktemp.)vesk("));
  fs::create_symlink(dir.File("victim"), Site("knrdata.html"));
#ifndef _WIN32
  ASSERT_EQ(::mkfifo(Site("search.cgi").c_str(), 0600), 0);
#endif

  EXPECT_FALSE(RunCgiOutput(doc));
  EXPECT_EQ(ReadBytes(dir.File("victim")), "precious");
  EXPECT_TRUE(fs::is_symlink(Site("category1.cgi")));
#ifndef _WIN32
  EXPECT_TRUE(fs::is_fifo(Site("search.cgi")));
#endif
  EXPECT_TRUE(fs::exists(Site("category0.cgi")));  // the others are written
  EXPECT_FALSE(fs::exists(fs::symlink_status(Site("vesktemp.)vesk("))));

  EXPECT_TRUE(WriteSearchPageBesideDocument(doc).empty());
  EXPECT_EQ(ReadBytes(dir.File("victim")), "precious");
  EXPECT_TRUE(fs::is_symlink(Site("knrdata.html")));
}

#ifdef _WIN32
// Names Windows would take otherwise than they are written: a device (the output would vanish or
// hang), an alternate data stream of another file, a trailing dot or space that Windows drops
// (so the checked name is not the written one), and a drive's current folder.
TEST_F(OutputSafetyTest, WindowsFormsOfUnsafeNamesAreRefused) {
  settings.SetAuto(0);
  LINKINFO* sub = doc.FindFirstChild(Top());
  for (const char* name : {"NUL", "com1.cgi", "Con.txt", "links.knd:stream", "sub.cgi.", "sub.cgi ",
                           "C:sub.cgi", "LINKS.KND"}) {
    sub->m_strFileName = name;
    ASSERT_TRUE(Resave());
    ui.messages.clear();
    EXPECT_FALSE(RunCgiOutput(doc)) << name;
    EXPECT_EQ(Count(kBadName), 1) << name;
    EXPECT_EQ(ReadBytes(DocPath()), docBytes) << name;
    EXPECT_FALSE(fs::exists(Site("sub.cgi"))) << name;
  }
  // The same names as the search file (which the runs above wrote under its own name).
  sub->m_strFileName = "sub.cgi";
  fs::remove(Site("search.cgi"));
  for (const char* name : {"aux", "search.cgi:x", "search.cgi.", "Links.knd"}) {
    doc.GetFileInfo().m_strSearchFile = name;
    ASSERT_TRUE(Resave());
    ui.messages.clear();
    EXPECT_FALSE(RunCgiOutput(doc)) << name;
    EXPECT_EQ(Count(kBadName), 1) << name;
    EXPECT_EQ(ReadBytes(DocPath()), docBytes) << name;
    EXPECT_FALSE(fs::exists(Site("search.cgi"))) << name;
  }
  // A drive-relative folder or another machine's share names no output folder: the document's
  // folder is used, and the user is told.
  doc.GetFileInfo().m_strSearchFile = "search.cgi";
  for (const char* folder : {"C:out", "\\\\host\\share", "//host/share"}) {
    doc.GetFileInfo().m_strCgiFolder = folder;
    ASSERT_TRUE(Resave());
    ui.messages.clear();
    EXPECT_TRUE(RunCgiOutput(doc)) << folder;
    EXPECT_EQ(Count(folder), 1) << folder;
    EXPECT_TRUE(fs::exists(Site("sub.cgi"))) << folder;
    fs::remove(Site("sub.cgi"));
  }
}
#endif

// A write that fails half-way (here: the file-size limit, as a full disk would) leaves the
// previous good files whole, is reported once with its cause, and leaves no temporary file.
TEST_F(OutputSafetyTest, AFailedWriteKeepsThePreviousFiles) {
  for (int i = 0; i < 200; ++i) AddLink(Top(), std::string(100, 'x'));
  ASSERT_TRUE(Resave());
  ASSERT_TRUE(RunCgiOutput(doc));
  const std::string search = ReadBytes(Site("search.cgi"));
  ASSERT_GT(search.size(), 20000u);
  doc.SelectCategory(Top(), true);
  ASSERT_FALSE(WriteSearchPageBesideDocument(doc).empty());
  const std::string page = ReadBytes(Site("knrdata.html"));

  for (LINKINFO* n : doc.GetNodeList()) n->m_strComment = "changed";
  doc.SetModifiedFlag(false);
  ui.messages.clear();
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to imitate a full disk with";
#endif
  CFileSizeLimit full(4096);
  ASSERT_TRUE(full.IsSet());
  for (LINKINFO* n : doc.GetNodeList()) n->m_nFlags |= kFlagComment;
  bool cgi = RunCgiOutput(doc);
  std::string written = WriteSearchPageBesideDocument(doc);
  full.Restore();

  EXPECT_FALSE(cgi);
  EXPECT_TRUE(written.empty());
  EXPECT_EQ(ReadBytes(Site("search.cgi")), search);
  EXPECT_EQ(ReadBytes(Site("knrdata.html")), page);
  EXPECT_FALSE(fs::exists(Site("vesktemp.)vesk(")));
  EXPECT_EQ(Count("ディスク容量が足りません。"), 2) << "once per command";
  EXPECT_NE(Count("vesktemp.)vesk("), 0) << "the message names the file";
}

TEST_F(OutputSafetyTest, RelativeFoldersAndTemplatesAreTakenFromTheDocumentsFolder) {
  fs::create_directory(Site("out"));
  WriteBytes(Site("t.html"), "<HTML>$Category<!-- Links Data --><!-- End Links Data --></HTML>\n");
  doc.GetFileInfo().m_strCgiFolder = "out";
  doc.GetFileInfo().m_strHtmlFolder = "out";
  doc.GetFileInfo().m_strTemplate = "t.html";
  ASSERT_TRUE(Resave());
  fs::path cwd = fs::current_path();
  fs::current_path(dir.Path());  // anywhere but the document's folder
  bool cgi = RunCgiOutput(doc);
  bool html = RunHtmlOutput(doc);
  fs::current_path(cwd);
  EXPECT_TRUE(cgi);
  EXPECT_TRUE(html);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(fs::exists(Site("out/category0.cgi")));
  EXPECT_EQ(ReadBytes(Site("out/category0.html")).find("<!DOCTYPE"), std::string::npos)
      << "the template was found";

  // A folder that is not there: the document's folder, and the user is told.
  doc.GetFileInfo().m_strCgiFolder = "gone";
  ASSERT_TRUE(Resave());
  EXPECT_TRUE(RunCgiOutput(doc));
  EXPECT_TRUE(fs::exists(Site("category0.cgi")));
  EXPECT_EQ(Count("gone"), 1);
}

// A template outside the document's folder (named there, or reached by a link planted inside
// it) is read only when the user confirmed it, as an output folder outside it is confirmed.
TEST_F(OutputSafetyTest, ATemplateOutsideTheDocumentsFolderIsReadOnlyWhenConfirmed) {
  WriteBytes(dir.File("secret.txt"),
             "root:x:0:0\n$Category<!-- Links Data --><!-- End Links Data -->\n");
#ifdef _WIN32
  // Wine cannot create symbolic links: only the template named outside.
  const std::vector<const char*> fields{"../secret.txt"};
#else
  fs::create_symlink(dir.File("secret.txt"), Site("planted.html"));
  const std::vector<const char*> fields{"../secret.txt", "planted.html"};
#endif
  const auto pagesHoldSecret = [this] {
    for (const auto& e : fs::directory_iterator(Site()))
      if (ReadBytes(e.path().string()).find("root:x") != std::string::npos &&
          e.path().filename() != "planted.html")
        return true;
    return false;
  };
  for (const char* field : fields) {
    doc.GetFileInfo().m_strTemplate = field;
    ASSERT_TRUE(Resave());
    ui.answer = MbResult::Cancel;
    ui.messages.clear();
    EXPECT_FALSE(RunHtmlOutput(doc)) << field;
    ASSERT_EQ(ui.messages.size(), 1u) << field;
    EXPECT_EQ(ui.messages[0].buttons, MbButtons::OkCancel);
    EXPECT_EQ(ui.messages[0].Utf8(), "テンプレート " +
                                         PathText(fs::canonical(dir.File("secret.txt"))) +
                                         " はドキュメントのフォルダの外に有ります。"
                                         "このテンプレートを使用しますか?");
    EXPECT_FALSE(pagesHoldSecret()) << field;
  }

  // OK: the pages are made from it, and the answer is kept for this document.
  ui.answer = MbResult::Ok;
  ui.messages.clear();
  EXPECT_TRUE(RunHtmlOutput(doc));
  EXPECT_TRUE(pagesHoldSecret());
  ui.messages.clear();
  ui.answer = MbResult::Cancel;
  doc.SetModifiedFlag(false);
  RunHtmlOutput(doc);
  EXPECT_EQ(Count("テンプレート"), 0) << "asked only once";
  EXPECT_TRUE(settings.IsOutputFolderConfirmed(PathText(fs::canonical(DocPath())),
                                               PathText(fs::canonical(dir.File("secret.txt")))));

  // A template inside the folder, or one that is not there, is never asked about.
  for (const char* field : {"t.html", "missing.html"}) {
    WriteBytes(Site("t.html"),
               "<HTML>$Category<!-- Links Data --><!-- End Links Data --></HTML>\n");
    doc.GetFileInfo().m_strTemplate = field;
    ASSERT_TRUE(Resave());
    ui.messages.clear();
    RunHtmlOutput(doc);
    EXPECT_EQ(Count("テンプレート"), 0) << field;
  }
}

TEST_F(OutputSafetyTest, CsvOfAnUnnamedCategoryGetsItsCgiNameNeverAHiddenFile) {
  LINKINFO* sub = doc.FindFirstChild(Top());
  ASSERT_TRUE(sub->m_strFileName.empty());
  doc.SelectCategory(sub, true);
  EXPECT_TRUE(ExportCsv(doc));
  EXPECT_TRUE(fs::exists(Site("category1.csv")));

  doc.SelectCategory(doc.GetWorkBox(), true);  // never published, so never named
  ui.messages.clear();
  EXPECT_FALSE(ExportCsv(doc));
  EXPECT_FALSE(fs::exists(Site(".csv")));
  EXPECT_EQ(Count("このカテゴリーにはファイル名が有りません。"), 1);
}

}  // namespace
}  // namespace vesk::test
