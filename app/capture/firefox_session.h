// The session store of the Firefox family: profiles.ini, the running profile and its
// sessionstore-backups/recovery.jsonlz4.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/capture/browser_page.h"

namespace vesk {

// The selected tab of the selected window of a session store's JSON, its current history entry
// (source "firefox", title capped at kMaxCapturedTitle); nullopt for JSON of another shape. One
// pass over the text keeps only the members on that way, one page per closed window, tab and
// entry; a store of more than 10,000 windows, or 100,000 tabs in a window or entries in a tab,
// gives none. Time is linear in the text, and neither depth nor size costs stack.
std::optional<BrowserPage> FirefoxSessionPage(const std::string& json);

// The profile folders that a profiles.ini names, in its order (relative paths taken from the
// folder of the file). Install sections' defaults come first.
std::vector<std::string> FirefoxProfileFolders(const std::string& iniText,
                                               const std::string& iniFolder);

// Whether a Firefox runs on the profile: its "lock" link names a live process of this machine,
// or its ".parentlock" is locked.
bool IsFirefoxProfileRunning(const std::string& profile);

}  // namespace vesk
