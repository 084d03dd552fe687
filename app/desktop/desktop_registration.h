// The program's place on a freedesktop desktop, per user: the desktop entry, the MIME type of
// the document files, the icon and the default program for that type.
#pragma once

#include <string>
#include <vector>

namespace vesk {

inline constexpr const char* kDocumentMimeType = "application/x-vesk-document";
inline constexpr const char* kDesktopEntryName = "vesk.desktop";

// The XDG base folders as the environment names them (the standard defaults otherwise).
struct XdgPlaces {
  std::string dataHome;
  std::string configHome;
  std::vector<std::string> dataDirs;
  std::vector<std::string> configDirs;
};
XdgPlaces XdgPlacesFromEnvironment();

// The desktop entry that starts programPath with the file to open. Empty when the path cannot
// be written into one (not absolute, not UTF-8, with control characters, or with both "%" and
// "=", which no launcher can take).
std::string DesktopEntryText(const std::string& programPath);
// The shared-mime-info package declaring the document type.
std::string MimePackageText();
// The program's icon as a scalable picture.
std::string AppIconSvg();

std::string DesktopEntryPath(const XdgPlaces& places);
std::string MimePackagePath(const XdgPlaces& places);
std::string IconPath(const XdgPlaces& places);
// The user's own list of default programs.
std::string UserMimeAppsPath(const XdgPlaces& places);

// Whether the file at path is one this program wrote (it bears our mark).
bool IsOurDesktopFile(const std::string& path);

// Who is the default program for the document type in the lists the desktop reads.
enum class DefaultHolder { Nobody, Us, Other };
DefaultHolder FindDefaultHolder(const XdgPlaces& places);

// mimeapps.list content with our type made default (section created when missing), and with
// our default entry taken out again; other lines are kept as they are.
std::string AddDefaultEntry(const std::string& mimeApps);
std::string RemoveDefaultEntry(const std::string& mimeApps);

// Which parts were written or removed, so only their databases are rebuilt.
struct DesktopChanges {
  bool mime = false;
  bool desktop = false;
};

// Writes what differs from what is there, leaving alone any file under our names that is not
// ours, and makes the program the default when nobody is. Failures are silent.
DesktopChanges RegisterDesktopFiles(const XdgPlaces& places, const std::string& programPath);
// Removes our files and our default entry; anything another program put there stays.
DesktopChanges UnregisterDesktopFiles(const XdgPlaces& places);
// Runs update-mime-database and update-desktop-database, where present, for what changed (and
// for a MIME package whose database was never built).
void UpdateDesktopDatabases(const XdgPlaces& places, DesktopChanges changes);

// Writes the desktop entry, MIME package and icon for a system-wide install into folder.
bool WriteDesktopFilesForInstall(const std::string& folder, const std::string& programPath);

}  // namespace vesk
