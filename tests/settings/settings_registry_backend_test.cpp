// The registry store: the same answers as the other stores for the same key paths, in the real
// registry of the current user.
#ifdef _WIN32

#include "settings/settings_registry_backend.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "settings/vesk_settings.h"

namespace vesk::platform {
namespace {

// A root of its own per test, removed afterwards, so tests never see each other's values.
class RegistryBackendTest : public ::testing::Test {
 protected:
  void SetUp() override { backend_.DeleteKey(""); }
  void TearDown() override {
    backend_.DeleteKey("");
    CSettingsRegistryBackend("HKEY_CURRENT_USER\\Software\\VeskTest").DeleteKey("");
  }
  // The value as another program reads it.
  static bool RawDword(const wchar_t* key, const wchar_t* name, DWORD& value) {
    DWORD size = sizeof value, type = 0;
    return ::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, &value, &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD;
  }
  CSettingsRegistryBackend backend_{"HKEY_CURRENT_USER\\Software\\VeskTest\\vesk"};
};

TEST_F(RegistryBackendTest, ValuesAreRealDwordsAndStringsWithNamesMatchedWithoutCase) {
  EXPECT_FALSE(backend_.KeyExists("Settings\\Data"));
  EXPECT_EQ(backend_.ReadDword("Settings\\Data", "linkflag"), std::nullopt);
  ASSERT_TRUE(backend_.WriteDword("Settings\\Data", "linkflag", 0x2300));
  DWORD raw = 0;
  ASSERT_TRUE(RawDword(L"Software\\VeskTest\\vesk\\Settings\\Data", L"LinkFlag", raw));
  EXPECT_EQ(raw, 0x2300u);
  EXPECT_EQ(backend_.ReadDword("SETTINGS\\data", "LINKFLAG"), 0x2300u);
  // A value of the other type is not the value asked for.
  EXPECT_EQ(backend_.ReadString("Settings\\Data", "linkflag"), std::nullopt);

  const std::string genres = "\x83\x6A\x83\x85\x81\x5B\x83\x58\t\x95\x5C\t";  // ニュース 表
  ASSERT_TRUE(backend_.WriteString("Settings\\Data", "Cooldata", genres));
  EXPECT_EQ(backend_.ReadString("Settings\\Data", "CoolData"), genres);
  EXPECT_EQ(backend_.ReadDword("Settings\\Data", "CoolData"), std::nullopt);
  ASSERT_TRUE(backend_.WriteString("Settings\\Data", "BannerTemplate2", ""));
  EXPECT_EQ(backend_.ReadString("Settings\\Data", "BannerTemplate2"), std::string());
  // Bytes that are no Shift_JIS text are refused, not stored as something else.
  EXPECT_FALSE(backend_.WriteString("Settings\\Data", "HotData", "\x81"));
  EXPECT_EQ(backend_.ReadString("Settings\\Data", "HotData"), std::nullopt);

  EXPECT_TRUE(backend_.DeleteValue("Settings\\Data", "COOLDATA"));
  EXPECT_FALSE(backend_.DeleteValue("Settings\\Data", "CoolData"));
  EXPECT_EQ(backend_.ReadString("Settings\\Data", "CoolData"), std::nullopt);
}

TEST_F(RegistryBackendTest, KeysAreCreatedListedAndDeletedWithEverythingBelow) {
  ASSERT_TRUE(backend_.CreateKey("Settings\\Window"));
  ASSERT_TRUE(backend_.WriteDword("Settings\\ListView", "lc0", 120));
  ASSERT_TRUE(backend_.WriteDword("Settings", "PreviewPages", 1));
  EXPECT_TRUE(backend_.KeyExists("settings\\window"));
  auto subkeys = backend_.EnumSubkeys("Settings");
  std::sort(subkeys.begin(), subkeys.end());
  EXPECT_EQ(subkeys, (std::vector<std::string>{"ListView", "Window"}));
  EXPECT_TRUE(backend_.DeleteKey("Settings"));
  EXPECT_FALSE(backend_.KeyExists("Settings\\ListView"));
  EXPECT_FALSE(backend_.DeleteKey("Settings"));
  EXPECT_TRUE(backend_.KeyExists(""));
  EXPECT_TRUE(backend_.EnumSubkeys("Settings").empty());
}

TEST_F(RegistryBackendTest, TheSettingsStoreReadsDefaultsAndCreatesItsRoot) {
  CVeskSettings settings(backend_);
  EXPECT_FALSE(backend_.KeyExists(""));
  EXPECT_EQ(settings.GetWindowValue("x"), 80);
  EXPECT_EQ(settings.GetWindowValue("CX"), 550);
  EXPECT_TRUE(backend_.KeyExists("Settings\\Window"));
}

}  // namespace
}  // namespace vesk::platform

#endif
