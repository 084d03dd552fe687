// Removing files and folders the program wrote itself.
#pragma once

#include <string>

namespace vesk::platform {

// Removes the directory entry at path (a link itself, never its target); true when it is gone,
// also when nothing was there.
bool RemoveFile(const std::string& path);
// Removes the folder only when it is empty; true when it was removed.
bool RemoveEmptyFolder(const std::string& path);
// Creates the folder and any missing parents (mode 0755 less the umask); true when it stands.
bool CreateFolders(const std::string& path);

}  // namespace vesk::platform
