// Every vesk-cli command that takes a file or folder, on folders named as users name them:
// Japanese, accented Latin, an emoji with a space, a leading '-'.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

#include "cli/cli_runner.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;
using test::CCliRunner;
using test::CliResult;
using test::CTempFolder;
using test::FsPath;
using test::ReadBytes;
using test::WriteBytes;

class Utf8PathsTest : public ::testing::TestWithParam<const char*> {
 protected:
  // A collection with one link in a category named カテゴリ, its output settings naming folders
  // Shift_JIS can hold.
  nlohmann::json Collection(const std::string& templatePath, const std::string& outFolder) {
    CliResult made = cli.Run({"new", doc});
    EXPECT_EQ(made.exitCode, 0) << made.err;
    CliResult dumped = cli.Run({"dump", doc});
    EXPECT_EQ(dumped.exitCode, 0) << dumped.err;
    nlohmann::json json = nlohmann::json::parse(dumped.out);
    json["fileInfo"]["template"] = templatePath;
    json["fileInfo"]["htmlFolder"] = outFolder;
    json["fileInfo"]["cgiFolder"] = outFolder + "/";  // typed with a trailing '/'
    json["nodes"][0]["fileName"] = "カテゴリ.cgi";
    nlohmann::json link = json["nodes"][0];
    link["serial"] = 3;
    link["kind"] = 1;
    link["parentSerial"] = 0;
    link["title"] = "ページ";
    link["fileName"] = "";
    link["url"] = "http://example.jp/";
    json["nodes"].push_back(link);
    json["nextSerial"] = 4;
    return json;
  }

  CTempFolder tmp;
  CCliRunner cli;
  std::string folder = tmp.File(GetParam());
  std::string doc = folder + "/コレクション.knd";
};

TEST_P(Utf8PathsTest, EveryCommandWorksAndOutputsGetUtf8Names) {
  fs::create_directories(FsPath(folder));
  const std::string shared = tmp.File("共有 フォルダ");  // Shift_JIS can hold this folder's name
  fs::create_directories(FsPath(shared + "/出力"));
  WriteBytes(shared + "/テンプレート.html",
             "<!-- Links Data -->$Catefile <!-- Link List Up -->[$Title]"
             "<!-- End Link List Up --><!-- End Links Data -->\n");
  ASSERT_EQ(cli.Run({"config", "set", "Settings\\Data", "auto", "0"}).exitCode, 0);

  const std::string json = folder + "/collection.json";
  WriteBytes(json, Collection(shared + "/テンプレート.html", shared + "/出力").dump());
  // The document Collection made is replaced: that takes --yes.
  CliResult r = cli.Run({"--yes", "load", json, doc});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  r = cli.Run({"info", doc});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = cli.Run({"find", doc, "ページ"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "3\n");
  r = cli.Run({"--yes", "renumber", doc});
  EXPECT_EQ(r.exitCode, 0) << r.err;

  // The stored fields lead the outputs to the shared folder, under UTF-8 names; that folder lies
  // outside the document's, so the user confirms it with --yes.
  r = cli.Run({"--yes", "export-cgi", doc});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, shared + "/出力/カテゴリ.cgi\n");
  EXPECT_TRUE(fs::exists(FsPath(shared + "/出力/search.cgi")));
  r = cli.Run({"--yes", "export-html", doc});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, shared + "/出力/カテゴリ.html\n");
  EXPECT_EQ(ReadBytes(shared + "/出力/カテゴリ.html"), ToCp932("カテゴリ.cgi[ページ]\r\n"));

  r = cli.Run({"export-csv", doc, "0"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  ASSERT_TRUE(fs::exists(FsPath(folder + "/カテゴリ.csv")));
  r = cli.Run({"search-page", doc, "0"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, folder + "/knrdata.html\n");
  r = cli.Run({"--yes", "import", doc, folder + "/カテゴリ.csv", shared + "/出力/カテゴリ.cgi"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  r = cli.Run({"dump", doc});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  // Two imported categories in the work box, each with the link.
  EXPECT_EQ(nlohmann::json::parse(r.out)["nodes"].size(), 8u);
}

TEST_P(Utf8PathsTest, APathShiftJisCannotHoldIsRefusedByName) {
  fs::create_directories(FsPath(folder + "/😀"));
  const std::string json = folder + "/collection.json";
  const std::string bad = folder + "/😀/テンプレート.html";
  WriteBytes(json, Collection(bad, folder).dump());
  CliResult r = cli.Run({"load", json, doc + ".new"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find(bad), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(FsPath(doc + ".new")));
}

INSTANTIATE_TEST_SUITE_P(Folders, Utf8PathsTest,
                         ::testing::Values("ドキュメント", "Café", "😀 x", "-lead"));

}  // namespace
}  // namespace vesk
