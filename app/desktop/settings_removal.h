// The uninstall run's removal of the program's settings.
#pragma once

#include <string>

namespace vesk {

// Whether the settings root key exists in the settings file at path (reading nothing else and
// creating nothing): the install notice is shown when it does not.
bool SettingsRootExists(const std::string& settingsFilePath);

// Deletes the settings root key and, when no other program's key is left under it, the company
// key. When the file then holds nothing at all, the file, its backup and lock and the settings
// folder (when empty) go too. True when the root key existed and was deleted.
bool DeleteSettingsRoot(const std::string& settingsFilePath);

// The same for the store the program uses on this system: the settings file on Linux, the
// registry of the current user on Windows.
bool PlatformSettingsRootExists();
bool DeletePlatformSettingsRoot();

}  // namespace vesk
