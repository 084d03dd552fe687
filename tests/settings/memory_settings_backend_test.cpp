#include "settings/memory_settings_backend.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(MemorySettingsBackend, NamesIgnoreCaseButKeepTheFirstSpelling) {
  CMemorySettingsBackend b;
  ASSERT_TRUE(b.WriteString("Settings\\Data", "Cooldata", "x"));
  EXPECT_EQ(b.ReadString("SETTINGS\\data", "CoolData"), "x");
  ASSERT_TRUE(b.WriteString("settings\\DATA", "COOLDATA", "y"));
  EXPECT_EQ(b.ReadString("Settings\\Data", "cooldata"), "y");
  auto& data = *b.Tree().Find(JoinKeyPath(kSettingsRootPath, "Settings\\Data"));
  ASSERT_EQ(data.values.size(), 1u);
  EXPECT_EQ(data.values[0].name, "Cooldata");
  EXPECT_EQ(data.name, "Data");
}

TEST(MemorySettingsBackend, ShiftJisTrailBytesAreNotFoldedAsLetters) {
  // 0x83 0x41 and 0x83 0x61 are two different katakana; folding the trail byte would merge them.
  EXPECT_FALSE(SettingsNameEquals("\x83\x41", "\x83\x61"));
  EXPECT_TRUE(SettingsNameEquals("A\x83\x41", "a\x83\x41"));
  CMemorySettingsBackend b;
  b.WriteDword("K", "\x83\x41", 1);
  b.WriteDword("K", "\x83\x61", 2);
  EXPECT_EQ(b.ReadDword("K", "\x83\x41"), 1u);
  EXPECT_EQ(b.ReadDword("K", "\x83\x61"), 2u);
}

TEST(MemorySettingsBackend, TypesDoNotMixAndMissingValuesAreEmpty) {
  CMemorySettingsBackend b;
  b.WriteString("S", "n", "12");
  EXPECT_FALSE(b.ReadDword("S", "n").has_value());
  b.WriteDword("S", "n", 12);
  EXPECT_EQ(b.ReadDword("S", "n"), 12u);
  EXPECT_FALSE(b.ReadString("S", "n").has_value());
  EXPECT_FALSE(b.ReadString("S", "other").has_value());
  EXPECT_FALSE(b.ReadString("Missing", "n").has_value());
  EXPECT_TRUE(b.DeleteValue("S", "N"));
  EXPECT_FALSE(b.DeleteValue("S", "n"));
  EXPECT_FALSE(b.ReadDword("S", "n").has_value());
}

TEST(MemorySettingsBackend, KeysAreCreatedEnumeratedAndDeletedWithTheirSubkeys) {
  CMemorySettingsBackend b;
  EXPECT_FALSE(b.KeyExists(""));
  ASSERT_TRUE(b.CreateKey("Settings\\Data"));
  EXPECT_TRUE(b.KeyExists(""));
  EXPECT_TRUE(b.KeyExists("settings"));
  b.WriteDword("Settings\\Window", "x", 1);
  b.WriteDword("Settings", "PreviewPages", 3);
  EXPECT_EQ(b.EnumSubkeys("Settings"), (std::vector<std::string>{"Data", "Window"}));
  EXPECT_TRUE(b.DeleteKey("SETTINGS"));
  EXPECT_FALSE(b.KeyExists("Settings\\Window"));
  EXPECT_FALSE(b.ReadDword("Settings", "PreviewPages").has_value());
  EXPECT_TRUE(b.KeyExists(""));
  EXPECT_FALSE(b.DeleteKey("Settings"));
  // Deleting the application key itself leaves nothing, as an uninstall expects.
  b.CreateKey("Search");
  EXPECT_TRUE(b.DeleteKey(""));
  EXPECT_FALSE(b.KeyExists(""));
}

TEST(MemorySettingsBackend, KeyPathsIgnoreDoubledAndOuterBackslashes) {
  EXPECT_EQ(SplitKeyPath("\\Settings\\\\Data\\"), (std::vector<std::string>{"Settings", "Data"}));
  EXPECT_TRUE(SplitKeyPath("").empty());
  CMemorySettingsBackend b;
  b.WriteDword("Settings\\\\Data\\", "tag", 1);
  EXPECT_EQ(b.ReadDword("Settings\\Data", "tag"), 1u);
}

}  // namespace
}  // namespace vesk
