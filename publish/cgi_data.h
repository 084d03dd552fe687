// CGI data files: the category files and the search-format file that the search CGI script on
// the web server reads, the output command that writes them, and the import of one category file.
#pragma once

#include <string>

#include "publish/data_file.h"

namespace vesk {

class CVeskDoc;

// First line of the search-format file.
inline constexpr const char* kCgiSearchHeader = "Kestrelnest search format Rev03";

// Appends text to a line of a data file without CR, LF and TAB, which would break its format.
void AppendCgiField(std::string& out, const std::string& text);
// Appends the search-format line of link (in category): serial, update, the category's file
// name, "::" and the folded search text.
void AppendCgiSearchLine(std::string& out, const LINKINFO& link, const LINKINFO& category);

// Writes the category file of every category of the Top Category subtree (through data's
// temporary file and commit) and rewrites the search-format file, all into folder (ending in
// the separator). Returns true when at least one category file was created or changed; failed
// (when given) tells whether any error was reported on the way.
bool ExportCgiData(CVeskDoc& doc, CDataFile& data, const std::string& folder,
                   bool* failed = nullptr);

// The command "CGI Dataの出力": settles the document folder (saving first), exports and shows
// the result list when files were created or changed. False when cancelled or an error was
// reported. With progress, the user may stop the run after any file; the result list then
// shows the files written so far.
bool RunCgiOutput(CVeskDoc& doc, IOutputProgress* progress = nullptr);

// Reads one category file into a new category under the work box, as one undo group.
// False (after telling the user) when the file cannot be opened or is not a category file.
bool ImportCgiFile(CVeskDoc& doc, const std::string& path);

}  // namespace vesk
