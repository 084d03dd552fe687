// The one rule by which the CGI and HTML outputs settle the folder they write into.
#pragma once

#include <string>

namespace vesk {

// folderField (a Shift_JIS folder field of the document, converted here at the moment of use)
// followed by the separator when it names an existing folder, else docFolder. A folder typed with
// a trailing separator is that folder; the bare root does not count.
std::string OutputFolder(const std::string& folderField, const std::string& docFolder);

}  // namespace vesk
