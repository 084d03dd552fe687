#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "cli_runner.h"
#include "document/veskdoc.h"
#include "support/doc_fixture.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

class CgiCommandsTest : public DocFixture {
 protected:
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

  CCliRunner cli;
};

TEST_F(CgiCommandsTest, ExportCgiPrintsTheChangedFilesInCommitOrder) {
  LINKINFO* sub = Add(doc.GetTopCategory(), NodeKind::Category, "Sub");
  Add(sub, NodeKind::Link, "Inner");
  Add(doc.GetTopCategory(), NodeKind::Link, "Outer");
  std::string file = Save("site.knd");

  CliResult r = cli.Run({"export-cgi", file});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, dir.File("category1.cgi") + "\n" + dir.File("category0.cgi") + "\n");
  EXPECT_TRUE(fs::exists(dir.File("search.cgi")));
  EXPECT_NE(ReadBytes(dir.File("category1.cgi")).find("\tInner\t"), std::string::npos);

  r = cli.Run({"export-cgi", file});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
}

TEST_F(CgiCommandsTest, ExportCgiUsesAnExistingCgiFolder) {
  fs::create_directory(dir.File("www"));
  doc.GetFileInfo().m_strCgiFolder = dir.File("www");
  std::string file = Save("site.knd");
  CliResult r = cli.Run({"export-cgi", file});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, dir.File("www/category0.cgi") + "\n");
  EXPECT_TRUE(fs::exists(dir.File("www/search.cgi")));
}

TEST_F(CgiCommandsTest, ExportCgiFailsOnAMissingDocument) {
  CliResult r = cli.Run({"export-cgi", dir.File("none.knd")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(cli.Run({"export-cgi"}).exitCode, 2);
}

TEST_F(CgiCommandsTest, ImportReadsEachFileIntoTheWorkBoxAndSaves) {
  std::string file = Save("site.knd");
  WriteBytes(dir.File("a.cgi"),
             "Kestrelnest data format Rev03\r\nFirst\t1\t0\t\t\r\n<!-- Link data -->\r\n"
             "7\tA link\thttp://a.example/\t\t\t0\t0\t\t\r\n");
  WriteBytes(dir.File("b.cgi"),
             "Kestrelnest data format Rev03\r\nSecond\t0\t0\t\t\r\n<!-- Link data -->\r\n");
  CliResult r = cli.Run({"import", file, dir.File("a.cgi"), dir.File("b.cgi")});
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
  CliResult r = cli.Run({"import", file, dir.File("a.cgi"), dir.File("shop.url")});
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

  CliResult r = cli.Run({"import", file, dir.File("good.cgi"), dir.File("notes.txt")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(dir.File("notes.txt")), std::string::npos) << r.err;
  EXPECT_EQ(ReadBytes(file), before);

  r = cli.Run({"import", file, dir.File("bad.cgi")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Kestrelnest CGI 用データファイルではありません。"), std::string::npos)
      << r.err;
  EXPECT_EQ(ReadBytes(file), before);

  EXPECT_EQ(cli.Run({"import", file}).exitCode, 2);
}

}  // namespace
}  // namespace vesk::test
