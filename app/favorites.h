// Favorites import and export: a folder tree of Internet shortcut files (".url") read into the
// work box, and categories written back below the folder "Kestrelnest".
#pragma once

#include <string>

namespace vesk {

class CVeskDoc;
struct LINKINFO;

// The folder below the Favorites folder that the export writes into and the import skips.
inline constexpr const char* kExportFolderName = "Kestrelnest";

// The choices of the Favorites output dialog.
enum FavoritesExportOption : int {
  kFavoritesFolderOnly = 0,   // only the export folder is created
  kFavoritesTopCategory = 1,  // Top Category with its subcategories
  kFavoritesWorkBox = 2,      // the work box with its subcategories
  kFavoritesCurrent = 3,      // the current category alone
};

// Imports every ".url" file (extension matched case-sensitively) and every folder below folder
// as links and categories under parent, all recorded in group; folders named "Kestrelnest" are
// skipped at any depth, as are symbolic links. Names are stored as HTML that shows them; a
// shortcut to a script address is left out and counted in scriptUrls. False when a node could not
// be created (the nodes made until then stay).
bool ImportFavoritesFolder(CVeskDoc& doc, LINKINFO* parent, const std::string& folder, int group,
                           int* scriptUrls = nullptr);

// The import without its question: the tree of favoritesFolder into the work box as one undo
// group, then the work box is shown and the shortcuts left out are told. False when the folder
// cannot be read or a node could not be created (both told to the user).
bool ImportFavorites(CVeskDoc& doc, const std::string& favoritesFolder);

// The import command: asks first (OK/Cancel), then ImportFavorites. False when cancelled.
bool OnFavoritesImport(CVeskDoc& doc, const std::string& favoritesFolder);

// Writes the links of category into folder/<cleaned category name>/<cleaned title>.url (names
// with their character references decoded, as the import stored them) and, with
// subcategories, the subcategories below it. A name that cleaning leaves unusable and anything
// that would land outside folder are refused with the bad-file-name message and skipped; a
// failed write is reported and ends the export. False when anything was refused or failed.
bool ExportToFavorites(CVeskDoc& doc, const LINKINFO* category, const std::string& folder,
                       bool withSubcategories);

// The export command after its dialog: option as chosen there, into
// favoritesFolder/Kestrelnest. The outcome is told to the user; false when nothing or not
// everything was written.
bool RunFavoritesExport(CVeskDoc& doc, const std::string& favoritesFolder, int option);

}  // namespace vesk
