#include "app/desktop/settings_removal.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include "settings/settings_file_backend.h"
#endif
#include "support/temp_folder.h"

namespace vesk {
namespace {

#ifdef _WIN32
TEST(SettingsRemovalTest, TheLinuxSettingsFileOnly) {
  GTEST_SKIP() << "removes the Linux settings file; Windows keeps the settings in the registry";
}
#else
namespace fs = std::filesystem;

TEST(SettingsRemovalTest, AskingWhetherTheRootExistsCreatesNothing) {
  test::CTempFolder tmp;
  const std::string file = tmp.File("vesk/settings.txt");
  EXPECT_FALSE(SettingsRootExists(file));
  EXPECT_FALSE(fs::exists(tmp.File("vesk")));
  platform::CSettingsFileBackend store(file);
  store.CreateKey("Settings\\Data");
  EXPECT_TRUE(SettingsRootExists(file));
}

TEST(SettingsRemovalTest, RemovesRootThenCompanyThenTheFileWhenNothingIsLeft) {
  test::CTempFolder tmp;
  const std::string file = tmp.File("vesk/settings.txt");
  {
    platform::CSettingsFileBackend store(file);
    store.WriteDword("Settings\\Data", "tag", 1);
    store.WriteDword("Settings\\Data", "tag", 0);  // leaves a backup copy beside the file
    platform::CSettingsFileBackend other(file, {}, "HKEY_CURRENT_USER\\Software\\Tamberlinwork\\b");
    other.WriteDword("", "x", 7);
  }
  // Another program of the company keeps its key, and so the company key and the file stay.
  EXPECT_TRUE(DeleteSettingsRoot(file));
  EXPECT_FALSE(SettingsRootExists(file));
  platform::CSettingsFileBackend other(file, {}, "HKEY_CURRENT_USER\\Software\\Tamberlinwork\\b");
  EXPECT_EQ(other.ReadDword("", "x"), 7u);
  EXPECT_FALSE(DeleteSettingsRoot(file)) << "a second run finds nothing";

  // Ours alone: everything goes, folder included.
  platform::CSettingsFileBackend store(file);
  store.WriteDword("Settings\\Data", "tag", 1);
  other.DeleteKey("");
  platform::CSettingsFileBackend company(file, {}, "HKEY_CURRENT_USER\\Software");
  company.DeleteKey("Tamberlinwork\\b");
  ASSERT_TRUE(fs::exists(file + ".bak"));
  EXPECT_TRUE(DeleteSettingsRoot(file));
  EXPECT_FALSE(fs::exists(tmp.File("vesk")));
}

#endif

}  // namespace
}  // namespace vesk
