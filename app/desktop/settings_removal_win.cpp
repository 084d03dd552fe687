// On Windows the settings live in the registry of the current user.
#include "app/desktop/settings_removal.h"
#include "settings/settings_registry_backend.h"

namespace vesk {
namespace {

constexpr const char kSoftwarePath[] = "HKEY_CURRENT_USER\\Software";
constexpr const char kCompanyKey[] = "Tamberlinwork";
constexpr const char kAppKey[] = "Tamberlinwork\\vesk";

}  // namespace

bool PlatformSettingsRootExists() {
  platform::CSettingsRegistryBackend store(kSoftwarePath);
  return store.KeyExists(kAppKey);
}

bool DeletePlatformSettingsRoot() {
  platform::CSettingsRegistryBackend store(kSoftwarePath);
  if (!store.KeyExists(kAppKey) || !store.DeleteKey(kAppKey)) return false;
  // The company key goes only when no other program of the company is left under it.
  if (store.EnumSubkeys(kCompanyKey).empty()) store.DeleteKey(kCompanyKey);
  return true;
}

}  // namespace vesk
