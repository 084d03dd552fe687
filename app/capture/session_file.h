// Reading the files a browser keeps about its session and profiles, and whether it runs.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <vector>

namespace vesk {

// Reads a whole regular file of at most limit bytes; false for anything else (a larger file,
// a folder, a pipe, a file that cannot be read).
bool ReadSessionFile(const std::string& path, std::string& out, std::size_t limit);

// The modification time of a file in nanoseconds since the epoch; 0 when it does not exist.
long long FileTimeNs(const std::string& path);

// The entries of a folder (names only, without "." and ".."); empty when it cannot be read.
std::vector<std::string> FolderEntries(const std::string& folder);

// Whether the process exists on this machine.
bool ProcessAlive(long pid);

// The target text of a symbolic link; empty when path is not one (or the system has none).
std::string LinkTarget(const std::string& path);

// Whether another process holds the file locked the way a running browser holds its profile's
// lock file (a POSIX write lock, or on Windows the file open without sharing).
bool FileLockedByOther(const std::string& path);

// The folders of the user's application data where Windows browsers keep their profiles
// (%APPDATA% and %LOCALAPPDATA%, as UTF-8); empty on other systems or when unset.
std::string RoamingAppDataFolder();
std::string LocalAppDataFolder();

// This machine's host name as the system reports it; empty when it cannot be told.
std::string HostName();

}  // namespace vesk
