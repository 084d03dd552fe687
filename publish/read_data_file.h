// The Read Data File command: hands an input file to the CGI, CSV or shortcut importer by its
// extension.
#pragma once

#include <string>

namespace vesk {

class CVeskDoc;

// Runs the bookmark importer for a file that declares the bookmark file type or is a browser's
// bookmark store (by content), else the importer
// that the file's extension (case-sensitive) names: the document's CGI extension, "csv" or
// "url". False when no importer took the file.
bool ReadDataFile(CVeskDoc& doc, const std::string& path);

// The command: asks for the file with the filter of string 10117, then ReadDataFile.
bool OnReadDataFile(CVeskDoc& doc);

}  // namespace vesk
