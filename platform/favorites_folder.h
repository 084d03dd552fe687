// The browser's Favorites folder of the system, where it has one.
#pragma once

#include <string>

namespace vesk::platform {

// The current user's Favorites folder (Windows' known folder), in the program's path form; empty
// where the system has none (Linux: the folder of the setting, or the one picked, is used).
std::string SystemFavoritesFolder();

}  // namespace vesk::platform
