#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli_runner.h"
#include "document/veskdoc.h"
#include "support/doc_fixture.h"

namespace vesk::test {
namespace {

class ImportCsvUrlCli : public DocFixture {
 protected:
  ImportCsvUrlCli() { EXPECT_TRUE(doc.OnSaveDocument(dir.File("links.knd"))); }
  std::vector<LINKINFO*> Children(CVeskDoc& d, const LINKINFO* parent) {
    std::vector<LINKINFO*> out;
    for (LINKINFO* n : d.GetNodeList())
      if (n->m_pParent == parent) out.push_back(n);
    return out;
  }

  CCliRunner cli;
};

// Without a category tree the CSV records must still land in the work box and the shortcut in
// the current category (Top Category), and both must survive the save.
TEST_F(ImportCsvUrlCli, CsvGoesToTheWorkBoxAndTheShortcutToTopCategory) {
  WriteBytes(dir.File("in.csv"),
             "Kestrelnest CSV file Rev03\r\nh\r\n70,Imported,\"One, two\",http://one/,,,,,1,"
             "2003/04/05,\r\n71,Imported,Three,http://three/\r\n");
  WriteBytes(dir.File("Site.url"), "[InternetShortcut]\r\nURL=http://site/\r\n");
  CliResult r =
      cli.Run({"import", dir.File("links.knd"), dir.File("in.csv"), dir.File("Site.url")});
  ASSERT_EQ(r.exitCode, 0) << r.err;

  CVeskDoc loaded(settings, ui);
  ASSERT_TRUE(loaded.OnOpenDocument(dir.File("links.knd")));
  std::vector<LINKINFO*> boxed = Children(loaded, loaded.GetWorkBox());
  ASSERT_EQ(boxed.size(), 1u);
  EXPECT_EQ(boxed[0]->m_strTitle, "Imported");
  std::vector<LINKINFO*> links = Children(loaded, boxed[0]);
  ASSERT_EQ(links.size(), 2u);
  EXPECT_EQ(links[0]->m_strTitle, "One, two");
  EXPECT_EQ(links[0]->m_nSerial, 70u);
  EXPECT_EQ(links[0]->m_nMark, 1);
  EXPECT_EQ(links[1]->m_strURL, "http://three/");

  std::vector<LINKINFO*> top = Children(loaded, loaded.GetTopCategory());
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0]->m_strTitle, "Site");
  EXPECT_EQ(top[0]->m_strURL, "http://site/");
}

TEST_F(ImportCsvUrlCli, AForeignCsvIsReportedAndTheDocumentKept) {
  WriteBytes(dir.File("bad.csv"), "just,some,csv\r\n");
  std::string before = ReadBytes(dir.File("links.knd"));
  CliResult r = cli.Run({"import", dir.File("links.knd"), dir.File("bad.csv")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Kestrelnest CSVのデータファイルではありません。"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir.File("links.knd")), before);
}

}  // namespace
}  // namespace vesk::test
