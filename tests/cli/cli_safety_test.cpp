// vesk-cli with hostile and unlucky inputs: nothing is replaced without a question, a command
// that only reads leaves the settings alone, and JSON is a lossless way in and out.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli_runner.h"
#include "document/knd_builder.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

class CliSafetyTest : public ::testing::Test {
 protected:
  std::string File(const std::string& name) const { return files.File(name); }
  CCliRunner cli;
  CTempFolder files;
};

TEST_F(CliSafetyTest, NewAndLoadNeverReplaceAnExistingDocumentUnasked) {
  ASSERT_EQ(cli.Run({"new", File("a.knd")}).exitCode, 0);
  CliResult r = cli.Run({"dump", File("a.knd")});
  ASSERT_EQ(r.exitCode, 0);
  json doc = json::parse(r.out);
  doc["nodes"].push_back({{"serial", 3}, {"kind", 1}, {"parentSerial", 0}, {"title", "x"}});
  doc["nextSerial"] = 4;
  WriteBytes(File("in.json"), doc.dump());
  ASSERT_EQ(cli.Run({"--yes", "load", File("in.json"), File("a.knd")}).exitCode, 0);
  const std::string full = ReadBytes(File("a.knd"));

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"new", File("a.knd")},
        std::vector<std::string>{"load", File("in.json"), File("a.knd")}}) {
    r = cli.Run(args);
    EXPECT_EQ(r.exitCode, 1) << args[0];
    EXPECT_EQ(ReadBytes(File("a.knd")), full) << args[0];
    EXPECT_NE(r.err.find("上書きしますか"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("--yes"), std::string::npos) << "the hint to answer the question";
  }
  EXPECT_EQ(cli.Run({"new", File("a.knd"), "--yes"}).exitCode, 0);
  EXPECT_NE(ReadBytes(File("a.knd")), full);
}

TEST_F(CliSafetyTest, ReadingADocumentNeverWritesTheSettings) {
  // An ordinary genre list: info and dump leave the settings as they were (here: absent).
  WriteBytes(File("g.knd"), KndBuilder::Version200WithGenres("A\tB\t"));
  EXPECT_EQ(cli.Run({"info", File("g.knd")}).exitCode, 0);
  EXPECT_EQ(cli.Run({"dump", File("g.knd")}).exitCode, 0);
#ifdef _WIN32
  const auto store = cli.Settings();
  EXPECT_FALSE(store->KeyExists("")) << "no registry key was made";
  // What the registry holds of the settings a document's reading could touch.
  const auto snapshot = [&store] {
    return store->ReadString("Settings\\Data", "GenreList").value_or("(none)") + "|" +
           std::to_string(store->ReadDword("Settings\\Data", "tail").value_or(99));
  };
#else
  EXPECT_FALSE(fs::exists(cli.SettingsFile()));
  const auto snapshot = [this] { return ReadBytes(cli.SettingsFile()); };
#endif

  // An oversized one is refused with a message; the document still opens.
  ASSERT_EQ(cli.Run({"config", "set", "Settings\\Data", "tail", "0"}).exitCode, 0);
  const std::string settings = snapshot();
  std::string huge;
  for (int i = 0; i < 20000; ++i) huge += "genre" + std::to_string(i) + "\t";
  WriteBytes(File("big.knd"), KndBuilder::Version200WithGenres(huge));
  CliResult r = cli.Run({"info", File("big.knd")});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_NE(r.err.find("ジャンルリストが大きすぎる"), std::string::npos) << r.err;
  EXPECT_EQ(snapshot(), settings);
}

TEST_F(CliSafetyTest, SpecialFilesNeverHangACommand) {
#ifdef _WIN32
  // Windows' special files are its devices, under a reserved name in any folder or alone.
  const std::string device = "NUL";
  EXPECT_EQ(cli.Run({"info", File("NUL.knd")}).exitCode, 1);
  EXPECT_EQ(cli.Run({"info", "CON"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"info", File("COM1")}).exitCode, 1);
  ASSERT_EQ(cli.Run({"new", File("n.knd")}).exitCode, 0);
#else
  const std::string device = "/dev/zero";
  ASSERT_EQ(::mkfifo(File("fifo.knd").c_str(), 0600), 0);
  EXPECT_EQ(cli.Run({"info", File("fifo.knd")}).exitCode, 1);
  EXPECT_EQ(cli.Run({"info", "/dev/zero"}).exitCode, 1);

  // A FIFO as the settings file.
  fs::create_directories(fs::path(cli.SettingsFile()).parent_path());
  ASSERT_EQ(::mkfifo(cli.SettingsFile().c_str(), 0600), 0);
  ASSERT_EQ(cli.Run({"new", File("n.knd")}).exitCode, 0);
  EXPECT_EQ(cli.Run({"info", File("n.knd")}).exitCode, 0);
#endif

  // A template that is a device: plain pages instead, with a message.
  CliResult r = cli.Run({"dump", File("n.knd")});
  json doc = json::parse(r.out);
  doc["fileInfo"]["template"] = device;
  WriteBytes(File("t.json"), doc.dump());
  ASSERT_EQ(cli.Run({"load", File("t.json"), File("t.knd")}).exitCode, 0);
  r = cli.Run({"export-html", File("t.knd")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_NE(r.err.find(device), std::string::npos) << r.err;
}

#ifdef _WIN32
// The names Windows would read otherwise than they are written (a stream, a device, a dropped
// trailing dot or space, another drive's current folder, another machine) are refused as the
// document's path and as the names of its outputs, and nothing lands under another name.
TEST_F(CliSafetyTest, WindowsFormsOfUnsafeNamesAreRefused) {
  for (const std::string& path :
       {File("a.knd:stream"), File("dot.knd."), File("space.knd "), File("com1.knd"),
        File("sub/NUL"), std::string("C:relative.knd"), std::string("\\\\host\\share\\a.knd")}) {
    EXPECT_EQ(cli.Run({"new", path}).exitCode, 1) << path;
  }
  EXPECT_TRUE(fs::is_empty(FsPath(files.Str())));

  fs::create_directory(FsPath(File("site")));
  ASSERT_EQ(cli.Run({"new", File("site/d.knd")}).exitCode, 0);
  const json plain = json::parse(cli.Run({"dump", File("site/d.knd")}).out);
  for (const char* search : {"search.cgi:stream", "search.cgi.", "search.cgi ", "NUL", "con.cgi",
                             "C:search.cgi", "..\\search.cgi"}) {
    json doc = plain;
    doc["fileInfo"]["searchFile"] = search;
    WriteBytes(File("d.json"), doc.dump());
    ASSERT_EQ(cli.Run({"--yes", "load", File("d.json"), File("site/d.knd")}).exitCode, 0) << search;
    CliResult r = cli.Run({"--yes", "export-cgi", File("site/d.knd")});
    EXPECT_NE(r.exitCode, 0) << search;
    EXPECT_NE(r.err.find("ファイル名に使用できない文字が有ります。"), std::string::npos)
        << search << r.err;
    EXPECT_FALSE(fs::exists(FsPath(File("site/search.cgi")))) << search;
    EXPECT_FALSE(fs::exists(FsPath(File("search.cgi")))) << search;  // beside the folder
  }
  // A drive-relative or another machine's folder is no output folder: the document's is used.
  for (const char* folder : {"C:out", "\\\\host\\share"}) {
    json doc = plain;
    doc["fileInfo"]["cgiFolder"] = folder;
    WriteBytes(File("d.json"), doc.dump());
    ASSERT_EQ(cli.Run({"--yes", "load", File("d.json"), File("site/d.knd")}).exitCode, 0) << folder;
    CliResult r = cli.Run({"--yes", "export-cgi", File("site/d.knd")});
    EXPECT_EQ(r.exitCode, 0) << folder << r.err;
    EXPECT_TRUE(fs::exists(FsPath(File("site/search.cgi")))) << folder;
    fs::remove(FsPath(File("site/search.cgi")));
  }
}
#endif

TEST_F(CliSafetyTest, DumpAndLoadKeepBytesThatAreNotShiftJis) {
  ASSERT_EQ(cli.Run({"new", File("a.knd")}).exitCode, 0);
  json doc = json::parse(cli.Run({"dump", File("a.knd")}).out);
  doc["nodes"].push_back({{"serial", 3}, {"kind", 1}, {"parentSerial", 0}, {"title", "t"}});
  doc["nextSerial"] = 4;
  WriteBytes(File("in.json"), doc.dump());
  ASSERT_EQ(cli.Run({"load", File("in.json"), File("b.knd")}).exitCode, 0);
  // Put a lone lead byte, an undefined byte and a lead byte at the end into the title.
  std::string bytes = ReadBytes(File("b.knd"));
  std::size_t at = bytes.rfind(std::string("\x01t", 2));
  ASSERT_NE(at, std::string::npos);
  bytes.replace(at, 2, std::string("\x04\x81\x20\xA0\x82", 5));
  WriteBytes(File("b.knd"), bytes);

  CliResult dumped = cli.Run({"dump", File("b.knd")});
  ASSERT_EQ(dumped.exitCode, 0);
  WriteBytes(File("out.json"), dumped.out);
  ASSERT_EQ(cli.Run({"load", File("out.json"), File("c.knd")}).exitCode, 0);
  EXPECT_EQ(ReadBytes(File("c.knd")), bytes);
}

// Text from a document or the file system reaches the terminal without its control characters,
// which would otherwise retitle, clear or rewrite the terminal; dump's JSON keeps them, escaped.
TEST_F(CliSafetyTest, NothingPrintedForTheTerminalHoldsControlCharacters) {
  ASSERT_EQ(cli.Run({"new", File("t.knd")}).exitCode, 0);
  json doc = json::parse(cli.Run({"dump", File("t.knd")}).out);
  const std::string hostile =
      "\x1B]0;owned\x07\x1B[2J\r\x7F"
      "1mx";
  doc["nodes"].push_back(
      {{"serial", 3}, {"kind", 1}, {"parentSerial", 0}, {"title", hostile}, {"url", "ftp://a/"}});
  doc["nextSerial"] = 4;
  WriteBytes(File("in.json"), doc.dump());
  ASSERT_EQ(cli.Run({"--yes", "load", File("in.json"), File("t.knd")}).exitCode, 0);

  const auto clean = [](const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if ((c < 0x20 && c != '\t' && c != '\n') || c == 0x7F) return false;
      if (c == 0xC2 && i + 1 < text.size() &&
          (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80)
        return false;
    }
    return true;
  };
  CliResult r = cli.Run({"check-links", File("t.knd")});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "3\tunchecked\t0\t\t0\t?]0;owned??[2J?1mx\n");  // the document keeps no CR
  EXPECT_TRUE(clean(r.err));

  // A file name in a message.
  r = cli.Run({"import", File("t.knd"), File("\x1B[2Jname.txt")});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("?[2Jname.txt"), std::string::npos) << r.err;
  EXPECT_TRUE(clean(r.err)) << r.err;

  // A title in a message (the link's title makes no file name).
  fs::create_directories(File("fav/Kestrelnest"));
  r = cli.Run({"export-favorites", File("t.knd"), File("fav"), "--option", "1"});
  EXPECT_NE(r.err.find("?]0;owned??[2J"), std::string::npos) << r.err;
  EXPECT_TRUE(clean(r.err)) << r.err;
  EXPECT_TRUE(clean(r.out)) << r.out;

  EXPECT_NE(cli.Run({"dump", File("t.knd")}).out.find("\\u001b]0;owned"), std::string::npos);
}

TEST_F(CliSafetyTest, AShortcutWithoutUrlIsNotAnImport) {
  ASSERT_EQ(cli.Run({"new", File("a.knd")}).exitCode, 0);
  WriteBytes(File("empty.url"), "[InternetShortcut]\r\nIconIndex=0\r\n");
  CliResult r = cli.Run({"import", File("a.knd"), File("empty.url")});
  // (The document is not saved again when nothing was imported.)
  EXPECT_NE(r.exitCode, 0);
  EXPECT_NE(r.err.find("URL"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vesk::test
