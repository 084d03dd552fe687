#include "publish/output_folder.h"

#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"
#include "text/file_path.h"

namespace vesk {
namespace {

// The folder the field names, followed by the separator; false when it names none.
bool FieldFolder(const std::string& folderField, const std::string& docFolder,
                 std::string& folder) {
  if (!PathFromCp932(folderField, folder)) return false;
  while (!folder.empty() && folder.back() == kPathSep) folder.pop_back();
  if (folder.empty()) return false;
  folder = PathInFolder(folder, docFolder);
  if (CFilePath(folder).FolderKind() != FolderKindResult::Folder) return false;
  folder += kPathSep;
  return true;
}

// True when path lies in docFolder or below it, or the user confirmed it for this document
// before or now, asked with message askId.
bool InsideOrConfirmed(CVeskDoc& doc, const std::string& field, const std::string& path,
                       const std::string& docFolder, int askId) {
  std::string real = platform::RealPath(path);
  std::string home = platform::RealPath(docFolder);
  if (real.empty()) return false;
  // A root ("/", or "C:/" on Windows) already ends in its separator.
  const std::string below = !home.empty() && home.back() == '/' ? home : home + "/";
  if (!home.empty() &&
      (real == home || (real.size() > below.size() && real.compare(0, below.size(), below) == 0)))
    return true;
  if (doc.IsOutputFolderConfirmed(field, real)) return true;
  if (doc.UI().MessageBox(ResFormat(askId, ToCp932(real)), MbButtons::OkCancel,
                          MbIcon::Exclamation) != MbResult::Ok)
    return false;
  doc.ConfirmOutputFolder(field, real);
  return true;
}

}  // namespace

std::string OutputFolder(const std::string& folderField, const std::string& docFolder) {
  std::string folder;
  return FieldFolder(folderField, docFolder, folder) ? folder : docFolder;
}

std::string OutputFolderFor(CVeskDoc& doc, const std::string& folderField,
                            const std::string& docFolder) {
  std::string folder;
  if (FieldFolder(folderField, docFolder, folder)) return folder;
  if (!folderField.empty())
    doc.UI().MessageBox(ResFormat(kIdsOutputFolderMissing, folderField), MbButtons::Ok,
                        MbIcon::Information);
  return docFolder;
}

bool MayWriteInto(CVeskDoc& doc, const std::string& folderField, const std::string& folder,
                  const std::string& docFolder) {
  return InsideOrConfirmed(doc, folderField, folder, docFolder, kIdsOutputOutsideAsk);
}

bool MayReadTemplate(CVeskDoc& doc, const std::string& templatePath, const std::string& docFolder) {
  // Only a regular file is read as a template (anything else gives plain pages and a message), so
  // there is nothing to ask about anything else.
  const std::string real = templatePath.empty() ? std::string() : platform::RealPath(templatePath);
  if (real.empty() || platform::GetEntryKind(real) != platform::EntryKind::Regular) return true;
  return InsideOrConfirmed(doc, doc.GetFileInfo().m_strTemplate, templatePath, docFolder,
                           kIdsTemplateOutsideAsk);
}

}  // namespace vesk
