// Import of one Internet shortcut file (".url") as a link of the current category.
#pragma once

#include <string>

namespace vesk {

class CVeskDoc;

// Reads "URL" of [InternetShortcut] and makes a link titled after the file name, as one undo
// group. False (told) when the file cannot be read, holds no URL or a script address, or when the
// link cannot be created.
bool ImportUrlFile(CVeskDoc& doc, const std::string& path);

// The link title for a shortcut path: the file name up to its last ".", as HTML that shows it.
std::string UrlFileTitle(const std::string& path);

}  // namespace vesk
