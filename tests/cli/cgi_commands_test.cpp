#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "document/veskdoc.h"
#include "publish/publish_test_ui.h"
#include "publish/temp_folder.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;
using testing::CTempFolder;
using testing::ReadBytes;
using testing::WriteBytes;

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs vesk-cli with its settings kept inside folder.
CliResult RunCli(const CTempFolder& folder, const std::string& args) {
  std::string command = "XDG_CONFIG_HOME='" + folder.File("config") + "' '" VESK_CLI_PATH "' " +
                        args + " >'" + folder.File("stdout") + "' 2>'" + folder.File("stderr") +
                        "'";
  int status = std::system(command.c_str());
  CliResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadBytes(folder.File("stdout"));
  r.err = ReadBytes(folder.File("stderr"));
  return r;
}

class CgiCommandsTest : public ::testing::Test {
 protected:
  CgiCommandsTest() : settings(backend), doc(settings, ui) { doc.OnNewDocument(); }
  LINKINFO* Add(LINKINFO* parent, int kind, const std::string& title) {
    doc.SetCurrent(parent);
    LINKINFO* node = doc.CreateNode(kind);
    node->m_strTitle = title;
    return node;
  }
  std::string Save(const std::string& name) {
    std::string path = dir.File(name);
    EXPECT_TRUE(doc.OnSaveDocument(path));
    return path;
  }
  std::vector<const LINKINFO*> ChildrenOf(const CVeskDoc& d, const LINKINFO* parent) {
    std::vector<const LINKINFO*> out;
    for (const LINKINFO* n : d.GetNodeList()) {
      if (n->m_pParent == parent) out.push_back(n);
    }
    return out;
  }

  CTempFolder dir;
  CMemorySettingsBackend backend;
  CVeskSettings settings;
  testing::CPublishTestUi ui;
  CVeskDoc doc;
};

TEST_F(CgiCommandsTest, ExportCgiPrintsTheChangedFilesInCommitOrder) {
  LINKINFO* sub = Add(doc.GetTopCategory(), 0, "Sub");
  Add(sub, 1, "Inner");
  Add(doc.GetTopCategory(), 1, "Outer");
  std::string file = Save("site.knd");

  CliResult r = RunCli(dir, "export-cgi '" + file + "'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, dir.File("category1.cgi") + "\n" + dir.File("category0.cgi") + "\n");
  EXPECT_TRUE(fs::exists(dir.File("search.cgi")));
  EXPECT_NE(ReadBytes(dir.File("category1.cgi")).find("\tInner\t"), std::string::npos);

  r = RunCli(dir, "export-cgi '" + file + "'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST_F(CgiCommandsTest, ExportCgiUsesAnExistingCgiFolder) {
  fs::create_directory(dir.File("www"));
  doc.GetFileInfo().m_strCgiFolder = dir.File("www");
  std::string file = Save("site.knd");
  CliResult r = RunCli(dir, "export-cgi '" + file + "'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, dir.File("www/category0.cgi") + "\n");
  EXPECT_TRUE(fs::exists(dir.File("www/search.cgi")));
}

TEST_F(CgiCommandsTest, ExportCgiFailsOnAMissingDocument) {
  CliResult r = RunCli(dir, "export-cgi '" + dir.File("none.knd") + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(RunCli(dir, "export-cgi").exitCode, 2);
}

TEST_F(CgiCommandsTest, ImportReadsEachFileIntoTheWorkBoxAndSaves) {
  std::string file = Save("site.knd");
  WriteBytes(dir.File("a.cgi"),
             "Kestrelnest data format Rev03\r\nFirst\t1\t0\t\t\r\n<!-- Link data -->\r\n"
             "7\tA link\thttp://a.example/\t\t\t0\t0\t\t\r\n");
  WriteBytes(dir.File("b.cgi"),
             "Kestrelnest data format Rev03\r\nSecond\t0\t0\t\t\r\n<!-- Link data -->\r\n");
  CliResult r =
      RunCli(dir, "import '" + file + "' '" + dir.File("a.cgi") + "' '" + dir.File("b.cgi") + "'");
  EXPECT_EQ(r.exitCode, 0) << r.err;

  CVeskDoc loaded(settings, ui);
  ASSERT_TRUE(loaded.OnOpenDocument(file));
  auto boxes = ChildrenOf(loaded, loaded.GetWorkBox());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0]->m_strTitle, "First");
  EXPECT_EQ(boxes[1]->m_strTitle, "Second");
  auto links = ChildrenOf(loaded, boxes[0]);
  ASSERT_EQ(links.size(), 1u);
  EXPECT_EQ(links[0]->m_strURL, "http://a.example/");
  EXPECT_TRUE(ChildrenOf(loaded, boxes[1]).empty());
}

TEST_F(CgiCommandsTest, ImportStartsEveryFileFromTopCategory) {
  std::string file = Save("site.knd");
  WriteBytes(dir.File("a.cgi"),
             "Kestrelnest data format Rev03\r\nFirst\t0\t0\t\t\r\n<!-- Link data -->\r\n");
  WriteBytes(dir.File("shop.url"), "[InternetShortcut]\r\nURL=http://shop.example/\r\n");
  CliResult r = RunCli(
      dir, "import '" + file + "' '" + dir.File("a.cgi") + "' '" + dir.File("shop.url") + "'");
  EXPECT_EQ(r.exitCode, 0) << r.err;
  CVeskDoc loaded(settings, ui);
  ASSERT_TRUE(loaded.OnOpenDocument(file));
  // The shortcut went to Top Category although the CGI import had moved the selection.
  auto top = ChildrenOf(loaded, loaded.GetTopCategory());
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0]->m_strTitle, "shop");
  EXPECT_EQ(top[0]->m_strURL, "http://shop.example/");
}

TEST_F(CgiCommandsTest, ImportLeavesTheDocumentAloneWhenAFileIsNotTaken) {
  std::string file = Save("site.knd");
  std::string before = ReadBytes(file);
  WriteBytes(dir.File("good.cgi"),
             "Kestrelnest data format Rev03\r\nGood\t0\t0\t\t\r\n<!-- Link data -->\r\n");
  WriteBytes(dir.File("notes.txt"), "just text\r\n");
  WriteBytes(dir.File("bad.cgi"), "something else\r\n");

  CliResult r = RunCli(
      dir, "import '" + file + "' '" + dir.File("good.cgi") + "' '" + dir.File("notes.txt") + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(dir.File("notes.txt")), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(file), before);

  r = RunCli(dir, "import '" + file + "' '" + dir.File("bad.cgi") + "'");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Kestrelnest CGI 用データファイルではありません。"), std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(file), before);

  EXPECT_EQ(RunCli(dir, "import '" + file + "'").exitCode, 2);
}

}  // namespace
}  // namespace vesk
