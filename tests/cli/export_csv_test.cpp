#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_runner.h"
#include "document/veskdoc.h"
#include "support/doc_fixture.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

class ExportCsvCli : public DocFixture {
 protected:
  // Saves a document holding one category (file name category5.cgi) with one link.
  ExportCsvCli() {
    doc.SetCurrent(doc.GetTopCategory());
    category = doc.CreateNode(NodeKind::Category);
    category->m_strTitle = "Tools";
    category->m_strFileName = "category5.cgi";
    doc.SetCurrent(category);
    LINKINFO* link = doc.CreateNode(NodeKind::Link);
    link->m_strTitle = "Alpha, Inc";
    link->m_strURL = "http://alpha/";
    link->m_nYear = 2002;
    link->m_nMonth = 3;
    link->m_nDay = 4;
    linkSerial = link->m_nSerial;
    doc.SetCurrent(doc.GetTopCategory());
    EXPECT_TRUE(doc.OnSaveDocument(dir.File("links.knd")));
  }

  CCliRunner cli;
  LINKINFO* category = nullptr;
  std::uint32_t linkSerial = 0;
};

TEST_F(ExportCsvCli, WritesTheCategoryBesideTheDocumentAndSaysSo) {
  CliResult r = cli.Run({"export-csv", dir.File("links.knd"), std::to_string(category->m_nSerial)});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "CSVデータをファイルに書き込みました。\n");
  std::string csv = ReadBytes(dir.File("category5.csv"));
  EXPECT_EQ(csv.substr(0, 28), "Kestrelnest CSV file Rev03\r\n");
  EXPECT_NE(csv.find("\r\n" + std::to_string(linkSerial) +
                     ",Tools,\"Alpha, Inc\",http://alpha/,,,,,0,2002/03/04,\r\n"),
            std::string::npos);
}

TEST_F(ExportCsvCli, RefusesALinkSerialAnUnknownSerialAndBadUsage) {
  CliResult r = cli.Run({"export-csv", dir.File("links.knd"), std::to_string(linkSerial)});
  EXPECT_EQ(r.exitCode, 1);
  r = cli.Run({"export-csv", dir.File("links.knd"), "319999"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(r.err.empty());
  r = cli.Run({"export-csv", dir.File("links.knd")});
  EXPECT_EQ(r.exitCode, 2);
  r = cli.Run({"export-csv", dir.File("missing.knd"), "0"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("category5.csv")));
}

}  // namespace
}  // namespace vesk::test
