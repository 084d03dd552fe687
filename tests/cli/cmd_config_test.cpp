#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

TEST(CliConfig, GetPrintsTheDefaultsOfAnEmptyStore) {
  CCliRunner cli;
  struct {
    const char* section;
    const char* name;
    std::string out;
  } cases[] = {
      {"Settings\\Data", "tag", "0\n"},
      {"Settings\\Data", "auto", "1\n"},
      {"Settings\\Data", "linkflag", "768\n"},
      {"Settings\\Data", "BannerTemplate", ResStringUtf8(kIdsDefaultBanner) + "\n"},
      {"Settings\\Data", "GenreList", ResStringUtf8(kIdsDefaultGenres) + "\n"},
      {"Settings\\Data", "CheckData", "\n"},
      {"Settings\\ListView", "Header3", "4099\n"},
      {"Settings\\ListView", "lc4", "200\n"},
      {"Settings\\Window", "cx", "550\n"},
      {"Settings\\Window", "ps1cy", "100\n"},
      {"Search", "Mode", "512\n"},
      {"Search", "word9", "\n"},
      {"Recent File List", "File4", "\n"},
      {"Settings", "PreviewPages", "0\n"},
  };
  for (const auto& c : cases) {
    CliResult r = cli.Run({"config", "get", c.section, c.name});
    EXPECT_EQ(r.exitCode, 0) << c.name << r.err;
    EXPECT_EQ(r.out, c.out) << c.name;
    EXPECT_EQ(r.err, "") << c.name;
  }
  // Reading created the key path, as the desktop program's first start does.
  const auto store = cli.Settings();
  ISettingsBackend& file = *store;
  EXPECT_TRUE(file.KeyExists("Settings\\ListView"));
}

TEST(CliConfig, SetStoresWithTheTypeOfTheTablesAndTheProgramSeesIt) {
  CCliRunner cli;
  const auto store = cli.Settings();
  ISettingsBackend& file = *store;
  vesk::CVeskSettings program(file);
  EXPECT_EQ(program.MarkText(1), "");

  EXPECT_EQ(cli.Run({"config", "set", "Settings\\Data", "CoolData", "<b>クール</b>"}).exitCode, 0);
  EXPECT_EQ(program.MarkText(1), ToCp932("<b>クール</b>"));
  EXPECT_EQ(cli.Run({"config", "get", "settings\\DATA", "cooldata"}).out, "<b>クール</b>\n");

  EXPECT_EQ(cli.Run({"config", "set", "Settings\\Data", "linkflag", "0x2300"}).exitCode, 0);
  EXPECT_EQ(program.GetLinkFlag(), 0x2300);
  EXPECT_EQ(cli.Run({"config", "set", "Settings\\Window", "x", "-8"}).exitCode, 0);
  EXPECT_EQ(program.GetWindowValue("x"), -8);
  EXPECT_EQ(cli.Run({"config", "get", "Settings\\Window", "x"}).out, "-8\n");
  // A number given for a string value is stored as text, not as a DWORD.
  EXPECT_EQ(cli.Run({"config", "set", "Search", "word0", "123"}).exitCode, 0);
  EXPECT_EQ(file.ReadString("Search", "word0"), "123");
  EXPECT_FALSE(file.ReadDword("Search", "word0").has_value());
  EXPECT_EQ(cli.Run({"config", "set", "Settings\\ListView", "Header1", "1"}).exitCode, 0);
  EXPECT_EQ(file.ReadDword("Settings\\ListView", "Header1"), 1u);
  // Column 1 is hidden now, so the width at position 1 defaults to column 2's.
  EXPECT_EQ(cli.Run({"config", "get", "Settings\\ListView", "lc1"}).out, "75\n");
  // An empty text is a value of its own; the default does not come back.
  EXPECT_EQ(cli.Run({"config", "set", "Settings\\Data", "BannerTemplate", ""}).exitCode, 0);
  EXPECT_EQ(cli.Run({"config", "get", "Settings\\Data", "BannerTemplate"}).out, "\n");
}

TEST(CliConfig, RefusesUnknownNamesAndBadValues) {
  CCliRunner cli;
  CliResult unknown = cli.Run({"config", "set", "Settings\\Data", "colour", "1"});
  EXPECT_EQ(unknown.exitCode, 1);
  EXPECT_NE(unknown.err.find("colour"), std::string::npos);
  EXPECT_EQ(cli.Run({"config", "get", "Settings\\Window", "tag"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"config", "get", "Settings/Data", "tag"}).exitCode, 1);
  EXPECT_EQ(cli.Run({"config", "get", "Search", "word10"}).exitCode, 1);

  CliResult emoji = cli.Run({"config", "set", "Settings\\Data", "HotData", "\xF0\x9F\x94\xA5"});
  EXPECT_EQ(emoji.exitCode, 1);
  EXPECT_FALSE(emoji.err.empty());

  for (const char* bad : {"abc", "12x", "4294967296", "-2147483649", "0x", "0x1FFFFFFFF", ""}) {
    CliResult r = cli.Run({"config", "set", "Settings\\Data", "tag", bad});
    EXPECT_EQ(r.exitCode, 2) << bad;
    EXPECT_FALSE(r.err.empty()) << bad;
  }
  EXPECT_EQ(cli.Run({"config", "set", "Settings\\Data", "tag", "4294967295"}).exitCode, 0);
  EXPECT_EQ(cli.Run({"config", "get", "Settings\\Data", "tag"}).out, "-1\n");

  EXPECT_EQ(cli.Run({"config", "get", "Settings\\Data"}).exitCode, 2);
  EXPECT_EQ(cli.Run({"config", "get", "Settings\\Data", "tag", "extra"}).exitCode, 2);
  EXPECT_EQ(cli.Run({"config", "set", "Settings\\Data", "tag"}).exitCode, 2);
  EXPECT_EQ(cli.Run({"config"}).exitCode, 2);
  EXPECT_EQ(cli.Run({"config", "frob"}).exitCode, 2);
  // Nothing refused above reached the file.
  const auto store = cli.Settings();
  ISettingsBackend& file = *store;
  EXPECT_FALSE(file.ReadDword("Settings\\Data", "colour").has_value());
  EXPECT_FALSE(file.ReadString("Settings\\Data", "HotData").has_value());
  EXPECT_EQ(file.ReadDword("Settings\\Data", "tag"), 0xFFFFFFFFu);
}

TEST(CliConfig, DamagedSettingsFileGivesTheDefaultWithOneWarning) {
#ifdef _WIN32
  GTEST_SKIP() << "the settings are in the registry on Windows, which has no file to damage";
#endif
  CCliRunner cli;
  std::filesystem::create_directories(FsPath(cli.ConfigHome() + "/vesk"));
  WriteBytes(cli.SettingsFile(), "this is no settings file\n");
  CliResult r = cli.Run({"config", "get", "Settings\\Window", "cy"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "360\n");
  EXPECT_NE(r.err.find("damaged"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;  // one line
  EXPECT_EQ(ReadBytes(cli.SettingsFile()), "this is no settings file\n");
}

}  // namespace
}  // namespace vesk::test
