// The document commands of vesk-cli: new, dump, load, info, renumber.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"

namespace vesk::test {
namespace {

using nlohmann::json;

class CliDocumentTest : public ::testing::Test {
 protected:
  std::string File(const std::string& name) const { return files.File(name); }
  json Dump(const std::string& path) {
    CliResult r = cli.Run({"dump", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    return json::parse(r.out);
  }
  CliResult Load(const json& doc, const std::string& path, bool yes = false) {
    WriteBytes(File("in.json"), doc.dump());
    std::vector<std::string> args{"load", File("in.json"), path};
    if (yes) args.push_back("--yes");
    return cli.Run(args);
  }

  CCliRunner cli;
  CTempFolder files;
};

TEST_F(CliDocumentTest, NewWritesADocumentThatInfoCounts) {
  CliResult r = cli.Run({"new", File("a.knd")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");
  r = cli.Run({"info", File("a.knd")});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "0001 / 0000");
}

TEST_F(CliDocumentTest, DumpShowsTheDocumentAsJson) {
  ASSERT_EQ(cli.Run({"new", File("a.knd")}).exitCode, 0);
  json d = Dump(File("a.knd"));
  EXPECT_EQ(d["version"], 300);
  EXPECT_EQ(d["nextSerial"], 3);
  EXPECT_EQ(d["genreList"], ResStringUtf8(kIdsDefaultGenres));
  EXPECT_EQ(d["fileInfo"], json({{"cgiName", "category"},
                                 {"cgiExt", "cgi"},
                                 {"searchFile", "search.cgi"},
                                 {"template", ""},
                                 {"htmlExt", "html"},
                                 {"cgiFolder", ""},
                                 {"htmlFolder", ""},
                                 {"linksPerPage", 20}}));
  ASSERT_EQ(d["nodes"].size(), 3u);
  const char* names[] = {"Top Category", "作業箱", "ごみ箱"};
  for (int i = 0; i < 3; ++i) {
    const json& n = d["nodes"][i];
    EXPECT_EQ(n["serial"], i);
    EXPECT_EQ(n["title"], names[i]);
    EXPECT_EQ(n["parentSerial"], -1 - i);
    EXPECT_EQ(n["kind"], 0);
    EXPECT_EQ(n["flags"], 768);
    EXPECT_EQ(n.size(), 18u);
  }
}

TEST_F(CliDocumentTest, LoadFillsMissingValuesAndResolvesParents) {
  json in = {{"fileInfo", {{"cgiName", "links"}}},
             {"nodes",
              {{{"serial", 0}, {"kind", 0}, {"parentSerial", -1}, {"title", "Top"}},
               {{"serial", 1}, {"kind", 0}, {"parentSerial", -2}},
               {{"serial", 2}, {"kind", 0}, {"parentSerial", -3}},
               {{"serial", 7}, {"kind", 0}, {"parentSerial", 0}, {"title", "カテゴリ"}},
               {{"serial", 8},
                {"kind", 2},
                {"parentSerial", 7},
                {"title", "リンク"},
                {"comment", "a\nb"},
                {"year", 2011},
                {"month", 3},
                {"day", 4}},
               {{"serial", 9}, {"kind", 1}, {"parentSerial", 55}}}}};
  CliResult r = Load(in, File("b.knd"));
  ASSERT_EQ(r.exitCode, 0) << r.err;
  json d = Dump(File("b.knd"));
  EXPECT_EQ(d["nextSerial"], 10);
  EXPECT_EQ(d["fileInfo"]["cgiName"], "links");
  EXPECT_EQ(d["fileInfo"]["cgiExt"], "cgi");
  EXPECT_EQ(d["fileInfo"]["linksPerPage"], 20);
  const json& nodes = d["nodes"];
  ASSERT_EQ(nodes.size(), 6u);
  EXPECT_EQ(nodes[3]["title"], "カテゴリ");
  EXPECT_EQ(nodes[3]["parentSerial"], 0);
  EXPECT_EQ(nodes[4]["parentSerial"], 7);
  EXPECT_EQ(nodes[4]["title"], "リンク");
  EXPECT_EQ(nodes[4]["comment"], "ab");  // the file holds no line breaks
  EXPECT_EQ(nodes[4]["flags"], 768);
  EXPECT_EQ(nodes[4]["kind"], 2);
  EXPECT_NE(nodes[4]["update"], 0);  // update times computed by the save
  EXPECT_EQ(nodes[3]["update"], nodes[4]["update"]);
  EXPECT_EQ(nodes[5]["parentSerial"], 1);  // unknown parent: the work box
  EXPECT_EQ(nodes[5]["url"], "");
  EXPECT_EQ(nodes[5]["mark"], 0);
  r = cli.Run({"info", File("b.knd")});
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "0002 / 0001");
}

TEST_F(CliDocumentTest, DumpAndLoadRoundTripByteForByte) {
  json in = {{"nextSerial", 20},
             {"genreList", "ignored"},
             {"nodes",
              {{{"serial", 0}, {"kind", 0}, {"parentSerial", -1}, {"title", "Top Category"}},
               {{"serial", 1}, {"kind", 0}, {"parentSerial", -2}, {"title", "W"}},
               {{"serial", 2}, {"kind", 0}, {"parentSerial", -3}, {"title", "T"}},
               {{"serial", 5}, {"kind", 1}, {"parentSerial", 0}, {"keywords", "G\t\tk"}}}}};
  ASSERT_EQ(Load(in, File("c.knd")).exitCode, 0);
  json d = Dump(File("c.knd"));
  EXPECT_EQ(d["nextSerial"], 20);
  EXPECT_EQ(d["nodes"][3]["keywords"], "G\t\tk");
  WriteBytes(File("c.json"), d.dump());
  ASSERT_EQ(cli.Run({"load", File("c.json"), File("d.knd")}).exitCode, 0);
  EXPECT_EQ(ReadBytes(File("c.knd")), ReadBytes(File("d.knd")));
}

TEST_F(CliDocumentTest, LoadRefusesBadJson) {
  json noCp932 = {{"nodes", {{{"serial", 0}, {"kind", 0}, {"parentSerial", -1}, {"title", "😀"}}}}};
  CliResult r = Load(noCp932, File("x.knd"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("Shift_JIS"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("title"), std::string::npos) << r.err;

  json noKind = {{"nodes", {{{"serial", 0}, {"parentSerial", -1}}}}};
  r = Load(noKind, File("x.knd"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("kind"), std::string::npos) << r.err;

  json badSerial = {{"nodes", {{{"serial", -4}, {"kind", 0}, {"parentSerial", -1}}}}};
  EXPECT_EQ(Load(badSerial, File("x.knd")).exitCode, 1);
  json wrongType = {{"nodes", {{{"serial", 0}, {"kind", 0}, {"parentSerial", -1}, {"url", 3}}}}};
  EXPECT_EQ(Load(wrongType, File("x.knd")).exitCode, 1);

  WriteBytes(File("broken.json"), "{\"nodes\": [");
  r = cli.Run({"load", File("broken.json"), File("x.knd")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(std::filesystem::exists(File("x.knd")));
}

TEST_F(CliDocumentTest, LoadWithDuplicateSerialsAsksBeforeRenumbering) {
  json in = {{"nodes",
              {{{"serial", 0}, {"kind", 0}, {"parentSerial", -1}},
               {{"serial", 1}, {"kind", 0}, {"parentSerial", -2}},
               {{"serial", 2}, {"kind", 0}, {"parentSerial", -3}},
               {{"serial", 2}, {"kind", 1}, {"parentSerial", 0}}}}};
  CliResult r = Load(in, File("dup.knd"));
  EXPECT_EQ(r.exitCode, 1);
  // The question, then how to answer it on the command line.
  EXPECT_EQ(r.err,
            ResStringUtf8(kIdsSerialProblemAsk) + "\n" + ResStringUtf8(kIdsCliNeedsYes) + "\n");
  EXPECT_FALSE(std::filesystem::exists(File("dup.knd")));
  r = Load(in, File("dup.knd"), true);
  EXPECT_EQ(r.exitCode, 0);
  json d = Dump(File("dup.knd"));
  EXPECT_EQ(d["nodes"][3]["serial"], 3);
  EXPECT_EQ(d["nodes"][3]["parentSerial"], 0);
}

TEST_F(CliDocumentTest, RenumberAsksAndTakesCancelWithoutYes) {
  json in = {{"nodes",
              {{{"serial", 10}, {"kind", 0}, {"parentSerial", -1}},
               {{"serial", 20}, {"kind", 0}, {"parentSerial", -2}},
               {{"serial", 30}, {"kind", 0}, {"parentSerial", -3}},
               {{"serial", 40}, {"kind", 1}, {"parentSerial", 10}}}}};
  ASSERT_EQ(Load(in, File("r.knd")).exitCode, 0);
  std::string before = ReadBytes(File("r.knd"));
  CliResult r = cli.Run({"renumber", File("r.knd")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err,
            ResStringUtf8(kIdsRenumberWarning) + "\n" + ResStringUtf8(kIdsCliNeedsYes) + "\n");
  EXPECT_EQ(ReadBytes(File("r.knd")), before);
  r = cli.Run({"--yes", "renumber", File("r.knd")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  json d = Dump(File("r.knd"));
  EXPECT_EQ(d["nextSerial"], 4);
  EXPECT_EQ(d["nodes"][3]["serial"], 3);
  EXPECT_EQ(d["nodes"][3]["parentSerial"], 0);
}

TEST_F(CliDocumentTest, FailuresAndUsageErrors) {
  WriteBytes(File("junk.knd"), "not a document");
  for (const char* cmd : {"dump", "info", "renumber"}) {
    CliResult r = cli.Run({cmd, File("junk.knd")});
    EXPECT_EQ(r.exitCode, 1) << cmd;
    EXPECT_EQ(r.err, "予期しないﾌｧｲﾙ形式です。\n") << cmd;
    EXPECT_EQ(r.out, "") << cmd;
  }
  EXPECT_EQ(cli.Run({"dump", File("missing.knd")}).exitCode, 1);
  EXPECT_EQ(cli.Run({"dump"}).exitCode, 2);
  EXPECT_EQ(cli.Run({"load", File("only-one.json")}).exitCode, 2);
  EXPECT_EQ(cli.Run({"new", files.Path() + "no/such/folder/a.knd"}).exitCode, 1);
}

}  // namespace
}  // namespace vesk::test
