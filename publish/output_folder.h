// The one rule by which the CGI and HTML outputs settle the folder they write into, and whether
// the user let them write there.
#pragma once

#include <string>

namespace vesk {

class CVeskDoc;

// folderField (a Shift_JIS folder field of the document, converted here at the moment of use;
// a relative one is taken from docFolder, so a site folder moved as a whole keeps working)
// followed by the separator when it names an existing folder, else docFolder. A folder typed with
// a trailing separator is that folder; the bare root does not count.
std::string OutputFolder(const std::string& folderField, const std::string& docFolder);

// OutputFolder for a folder field of the document; a field that names no folder is told to the
// user, with the document's folder used instead.
std::string OutputFolderFor(CVeskDoc& doc, const std::string& folderField,
                            const std::string& docFolder);

// True when the outputs may be written into folder: it lies in the document's folder or below
// it, or the user confirmed it for this document (in the output settings or by answering the
// question this asks once). A document may come from someone else, so its folders alone never
// decide where files are written.
bool MayWriteInto(CVeskDoc& doc, const std::string& folderField, const std::string& folder,
                  const std::string& docFolder);

// True when the HTML pages may be made from the template at templatePath (resolved, as the
// pages read it): it is no regular file (and so is not read), lies in the document's folder or
// below it, or the user confirmed it for this document as an output folder is confirmed. A
// received document could otherwise copy any file the owner can read into pages the owner then
// uploads.
bool MayReadTemplate(CVeskDoc& doc, const std::string& templatePath, const std::string& docFolder);

}  // namespace vesk
