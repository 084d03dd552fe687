#include "settings/settings_file_format.h"

#include <gtest/gtest.h>

namespace vesk::platform {
namespace {

TEST(SettingsFileFormat, RoundTripsEveryKindOfValue) {
  CSettingsTree tree;
  SettingsKey& data =
      tree.Create("HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk\\Settings\\Data");
  data.SetValue("GenreList",
                std::string("\x83\x6A\x83\x85\x81\x5B\x83\x58\t\x8E\xD4\t"));  // ニュース, 車
  data.SetValue("BannerTemplate", std::string("<IMG src=\"a\\b.png\">\r\nline2\x01"));
  data.SetValue("Empty", std::string());
  data.SetValue("Raw", std::string("\x81\xFF\x80z"));  // not valid Shift_JIS
  data.SetValue("linkflag", std::uint32_t{0x300});
  data.SetValue("max", std::uint32_t{0xFFFFFFFF});
  tree.Create("HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk\\Recent File List");
  tree.Create("HKEY_CURRENT_USER\\Software\\Other");

  std::string text = FormatSettingsText(tree);
  EXPECT_NE(text.find("\"GenreList\"=\"ニュース\\t車\\t\"\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"linkflag\"=dword:00000300\r\n"), std::string::npos);
  EXPECT_NE(text.find("\"Raw\"=hex(sjis):81,ff,80,7a\r\n"), std::string::npos);

  CSettingsTree back;
  SettingsParseError err;
  ASSERT_TRUE(ParseSettingsText(text, back, &err)) << err.line << ": " << err.reason;
  EXPECT_EQ(FormatSettingsText(back), text);
  const SettingsKey* d =
      back.Find("hkey_current_user\\software\\tamberlinwork\\vesk\\settings\\data");
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(std::get<std::string>(d->FindValue("BannerTemplate")->data),
            "<IMG src=\"a\\b.png\">\r\nline2\x01");
  EXPECT_EQ(std::get<std::string>(d->FindValue("Raw")->data), "\x81\xFF\x80z");
  EXPECT_EQ(std::get<std::uint32_t>(d->FindValue("max")->data), 0xFFFFFFFFu);
  EXPECT_EQ(std::get<std::string>(d->FindValue("empty")->data), "");
  EXPECT_NE(back.Find("HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk\\Recent File List"),
            nullptr);
  EXPECT_NE(back.Find("HKEY_CURRENT_USER\\Software\\Other"), nullptr);
}

TEST(SettingsFileFormat, ReadsHandWrittenFilesLeniently) {
  // LF line ends, a BOM, comments, blank lines, mixed case and a key path given twice.
  std::string text =
      "\xEF\xBB\xBF; comment\n# another\n\n"
      "[HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk\\Settings\\Data]\n"
      "  \"CoolData\" = \"<b>cool</b>\"  \n"
      "[hkey_current_user\\software\\tamberlinwork\\VESK\\settings\\data]\n"
      "\"tag\"=dword:1\n"
      "\"Sjis\"=\"\x83\x41\x83\x43\"\n"  // Shift_JIS bytes typed into the file: kept as they are
      "\"Emoji\"=\"a\xF0\x9F\x98\x80z\"\n";  // a character Shift_JIS lacks
  CSettingsTree tree;
  SettingsParseError err;
  ASSERT_TRUE(ParseSettingsText(text, tree, &err)) << err.line << ": " << err.reason;
  const SettingsKey* d =
      tree.Find("HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk\\Settings\\Data");
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(d->values.size(), 4u);
  EXPECT_EQ(std::get<std::string>(d->FindValue("cooldata")->data), "<b>cool</b>");
  EXPECT_EQ(std::get<std::uint32_t>(d->FindValue("TAG")->data), 1u);
  EXPECT_EQ(std::get<std::string>(d->FindValue("Sjis")->data), "\x83\x41\x83\x43");
  EXPECT_EQ(std::get<std::string>(d->FindValue("Emoji")->data), "a?z");
}

TEST(SettingsFileFormat, ReportsTheFirstBadLine) {
  struct Case {
    const char* text;
    int line;
  } cases[] = {
      {"\"tag\"=dword:1\n", 1},                // value before any section
      {"[K]\nnonsense\n", 2},                  // neither section nor value
      {"[K]\n\"a\"=dword:123456789\n", 2},     // more than 32 bits
      {"[K]\n\"a\"=dword:xyz\n", 2},           //
      {"[K]\n\"a\"=\"open\n", 2},              // unterminated string
      {"[K]\n\"a\"=\"x\" trailing\n", 2},      //
      {"[K]\n\"a\"=\"bad \\q escape\"\n", 2},  //
      {"[K]\n\"a\"=\"bad \\x4\"\n", 2},        //
      {"[K]\n\"a\"=hex(sjis):8\n", 2},         //
      {"[K]\n\"a\"=hex(sjis):81,\n", 2},       //
      {"[K]\n\"a\"=sz:x\n", 2},                // unknown type
      {"[K]\n\"a\"\n", 2},                     // no '='
      {"[K\n", 1},                             //
      {"[\\\\]\n", 1},                         // empty path
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    CSettingsTree tree;
    SettingsParseError err;
    EXPECT_FALSE(ParseSettingsText(text, tree, &err)) << c.text;
    EXPECT_EQ(err.line, c.line) << c.text;
    EXPECT_FALSE(err.reason.empty());
  }
  const char nul[] = "[K]\n\"a\"=\"x\"\n\"c\"=\"\0\"\n";
  CSettingsTree tree;
  SettingsParseError err;
  EXPECT_FALSE(ParseSettingsText(std::string(nul, sizeof nul - 1), tree, &err));
  EXPECT_EQ(err.line, 3);
}

}  // namespace
}  // namespace vesk::platform
