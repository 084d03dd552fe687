#include "app/desktop/settings_removal.h"

#include "platform/file_removal.h"
#include "platform/file_system.h"
#include "settings/settings_file_backend.h"
#include "settings/settings_file_format.h"
#include "settings/settings_tree.h"

namespace vesk {
namespace {

constexpr const char kSoftwarePath[] = "HKEY_CURRENT_USER\\Software";
constexpr const char kCompanyKey[] = "Tamberlinwork";
constexpr const char kAppKey[] = "Tamberlinwork\\vesk";

bool HoldsValues(const SettingsKey& key) {
  if (!key.values.empty()) return true;
  for (const auto& sub : key.subkeys)
    if (HoldsValues(sub)) return true;
  return false;
}

// True when the file is readable and has no value in any key (the empty keys left above the
// ones deleted).
bool HoldsNothing(const std::string& path) {
  std::string text;
  if (!platform::ReadWholeFile(path, text, 16 * 1024 * 1024)) return false;
  CSettingsTree tree;
  return platform::ParseSettingsText(text, tree) && !HoldsValues(tree.Root());
}

}  // namespace

bool SettingsRootExists(const std::string& settingsFilePath) {
  platform::CSettingsFileBackend store(
      settingsFilePath, [](const std::string&) {}, kSoftwarePath);
  store.SetReadOnly(true);
  return store.KeyExists(kAppKey);
}

bool DeleteSettingsRoot(const std::string& settingsFilePath) {
  platform::CSettingsFileBackend store(
      settingsFilePath, [](const std::string&) {}, kSoftwarePath);
  if (!store.KeyExists(kAppKey) || !store.DeleteKey(kAppKey)) return false;
  if (store.EnumSubkeys(kCompanyKey).empty()) store.DeleteKey(kCompanyKey);
  if (HoldsNothing(settingsFilePath)) {
    platform::RemoveFile(settingsFilePath);
    platform::RemoveFile(settingsFilePath + ".bak");
    platform::RemoveFile(settingsFilePath + ".lock");
    const auto slash = settingsFilePath.find_last_of('/');
    if (slash != std::string::npos && slash > 0)
      platform::RemoveEmptyFolder(settingsFilePath.substr(0, slash));
  }
  return true;
}

bool PlatformSettingsRootExists() {
  return SettingsRootExists(platform::DefaultSettingsFilePath());
}

bool DeletePlatformSettingsRoot() {
  return DeleteSettingsRoot(platform::DefaultSettingsFilePath());
}

}  // namespace vesk
