// The session store of the Firefox family: profiles.ini, the running profile and its
// sessionstore-backups/recovery.jsonlz4.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/capture/browser_page.h"

namespace vesk {

// The selected tab of the selected window of a session store's JSON, its current history entry
// (source "firefox"); nullopt for JSON of another shape. Only the members on that way are kept
// while parsing, and nesting deeper than the store ever goes is dropped, so hostile JSON costs
// neither stack nor memory beyond its own size.
std::optional<BrowserPage> FirefoxSessionPage(const std::string& json);

// The profile folders that a profiles.ini names, in its order (relative paths taken from the
// folder of the file). Install sections' defaults come first.
std::vector<std::string> FirefoxProfileFolders(const std::string& iniText,
                                               const std::string& iniFolder);

// Whether a Firefox runs on the profile: its "lock" link names a live process of this machine,
// or its ".parentlock" is locked.
bool IsFirefoxProfileRunning(const std::string& profile);

}  // namespace vesk
