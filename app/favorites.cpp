#include "app/favorites.h"

#include <cerrno>
#include <vector>

#include "document/show_category.h"
#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "publish/bookmark_reader.h"
#include "publish/data_file.h"
#include "publish/file_errors.h"
#include "publish/url_file_import.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"
#include "text/encoding.h"
#include "text/file_path.h"
#include "text/outside_text.h"

namespace vesk {
namespace {

// folder and name joined by one separator.
std::string Join(const std::string& folder, const std::string& name) {
  if (!folder.empty() && folder.back() == kPathSep) return folder + name;
  return folder + kPathSep + name;
}

FileErrorCause CauseOfErrno() {
  FileErrorCause cause = FileErrorCauseFromErrno(errno);
  return cause == kFileErrNone ? kFileErrGeneric : cause;
}

bool ImportFolder(CVeskDoc& doc, LINKINFO* parent, const std::string& folder, int group,
                  int& scriptUrls) {
  std::vector<platform::FolderEntry> entries;
  // A subfolder that cannot be read stays an empty category.
  if (!platform::ListFolder(folder, entries)) return true;
  for (const platform::FolderEntry& entry : entries) {
    const std::string path = Join(folder, entry.name);
    if (entry.kind == platform::EntryKind::Regular) {
      if (!CFilePath(entry.name).HasExtension("url")) continue;
      // An unreadable shortcut holds no URL for us: skipped like an empty one.
      std::string url = CFilePath(path).ReadIniValue("InternetShortcut", "URL");
      if (url.empty()) continue;
      if (IsScriptUrl(url)) {
        ++scriptUrls;
        continue;
      }
      LINKINFO* link = doc.CreateNode(NodeKind::Link);
      if (!link) return false;
      link->m_pParent = parent;
      link->m_strURL = OutsideUrl(url);
      link->m_strTitle = UrlFileTitle(path);
      doc.RecordUndo(link, kUndoCreated, group);
    } else if (entry.kind == platform::EntryKind::Folder) {
      // The export's own folder: importing it again would duplicate the collection.
      if (entry.name == kExportFolderName) continue;
      LINKINFO* category = doc.CreateNode(NodeKind::Category);
      if (!category) return false;
      category->m_pParent = parent;
      category->m_strTitle = EscapeHtmlText(ToCp932(entry.name));
      doc.UpdateAllViews(kHintAddCategory, category);
      doc.RecordUndo(category, kUndoCreated, group);
      if (!ImportFolder(doc, category, path, group, scriptUrls)) return false;
    }
    // Symbolic links are not followed (a link to a parent folder would never end), and
    // anything else is no bookmark.
  }
  return true;
}

// Writes categories as folders of shortcut files below one export folder.
class CFavoritesWriter {
 public:
  CFavoritesWriter(CVeskDoc& doc, std::string rootReal)
      : m_doc(doc), m_ui(doc.UI()), m_rootReal(std::move(rootReal)) {}

  // False when a write failed: the export ends there.
  bool Export(const LINKINFO* category, const std::string& folder, bool withSubcategories,
              std::size_t depth) {
    // Parent chains come from files and may loop; no tree is deeper than the list is long.
    if (depth > m_doc.GetNodeList().size()) return true;
    std::string name;
    if (!FileName(category->m_strTitle, "", name)) return true;
    const std::string own = Join(folder, name);
    platform::EntryKind kind = platform::GetEntryKind(own);
    if (kind == platform::EntryKind::Missing) {
      if (!platform::CreateFolder(own)) {
        Fail(CauseOfErrno(), own);
        return false;
      }
    } else if (kind != platform::EntryKind::Folder) {
      // A planted link or a file under the name: nothing is written through it.
      Refuse(category->m_strTitle, ToCp932(name));
      return true;
    }
    if (!Inside(own)) {
      Refuse(category->m_strTitle, ToCp932(name));
      return true;
    }
    for (const LINKINFO* node : m_doc.GetNodeList()) {
      if (node->m_pParent != category || node == category) continue;
      if (node->IsCategory()) {
        if (withSubcategories && !Export(node, own, true, depth + 1)) return false;
        continue;
      }
      std::string file;
      if (!FileName(node->m_strTitle, ".url", file)) continue;
      const std::string target = Join(own, file);
      kind = platform::GetEntryKind(target);
      if (kind != platform::EntryKind::Missing && kind != platform::EntryKind::Regular) {
        Refuse(node->m_strTitle, ToCp932(file));
        continue;
      }
      FileErrorCause cause = kFileErrNone;
      if (!CFilePath(target).WriteIniValue("InternetShortcut", "URL", node->m_strURL, &cause)) {
        Fail(cause == kFileErrNone ? kFileErrGeneric : cause, target);
        return false;
      }
    }
    return true;
  }

  bool Failed() const { return m_bFailed; }

 private:
  // The file-system name for a title: cleaned, with suffix; false (refused and told) when
  // cleaning leaves no usable name or the text is not valid Shift_JIS.
  bool FileName(const std::string& title, const std::string& suffix, std::string& name) {
    // The import stored the shortcut's name escaped; the file gets the name back.
    std::string cleaned;
    if (!Utf8ToCp932(DecodeHtmlEntities(ToUtf8(title)), cleaned)) cleaned = title;
    SafeFileName(cleaned);
    std::string fsName;
    if (!CDataFile::IsPlainFileName(cleaned) || !PathFromCp932(cleaned + suffix, fsName) ||
        !CDataFile::IsPlainSystemName(fsName)) {
      Refuse(title, cleaned + suffix);
      return false;
    }
    name = fsName;
    return true;
  }
  // True when folder, links resolved, lies below the export folder.
  bool Inside(const std::string& folder) const {
    std::string real = platform::RealPath(folder);
    return !real.empty() && real.size() > m_rootReal.size() &&
           real.compare(0, m_rootReal.size(), m_rootReal) == 0 &&
           (m_rootReal.back() == kPathSep || real[m_rootReal.size()] == kPathSep);
  }
  // Both texts Shift_JIS: the node's title and the file name it would have had.
  void Refuse(const std::string& title, const std::string& name) {
    m_bFailed = true;
    ReportBadFileName(m_ui, title == name ? title : title + " (" + name + ")");
  }
  void Fail(FileErrorCause cause, const std::string& path) {
    m_bFailed = true;
    ReportFileError(m_ui, cause, path);
  }

  CVeskDoc& m_doc;
  IUserInterface& m_ui;
  std::string m_rootReal;
  bool m_bFailed = false;
};

}  // namespace

bool ImportFavoritesFolder(CVeskDoc& doc, LINKINFO* parent, const std::string& folder, int group,
                           int* scriptUrls) {
  int skipped = 0;
  const bool ok = ImportFolder(doc, parent, folder, group, skipped);
  if (scriptUrls) *scriptUrls += skipped;
  return ok;
}

bool ImportFavorites(CVeskDoc& doc, const std::string& favoritesFolder) {
  LINKINFO* workBox = doc.GetWorkBox();
  if (!workBox || favoritesFolder.empty()) return false;
  // The folder itself must be readable: an import of nothing is not a success.
  std::vector<platform::FolderEntry> entries;
  FileErrorCause cause = kFileErrNone;
  if (!platform::ListFolder(favoritesFolder, entries, &cause)) {
    ReportFileError(doc.UI(), cause == kFileErrNone ? kFileErrGeneric : cause, favoritesFolder);
    return false;
  }
  const int group = doc.BeginUndoGroup();
  int scriptUrls = 0;
  const bool ok = ImportFolder(doc, workBox, favoritesFolder, group, scriptUrls);
  if (LINKINFO* current = doc.GetCurrent()) doc.RecordUndo(current, kUndoListAction, group);
  ShowCategory(doc, workBox);
  if (scriptUrls > 0)
    doc.UI().MessageBox(ResFormat(kIdsScriptUrlsSkipped, std::to_string(scriptUrls)), MbButtons::Ok,
                        MbIcon::Information);
  return ok;
}

bool OnFavoritesImport(CVeskDoc& doc, const std::string& favoritesFolder) {
  if (doc.UI().MessageBox(ResString(kIdsFavoritesImportAsk), MbButtons::OkCancel,
                          MbIcon::Information) != MbResult::Ok) {
    return false;
  }
  return ImportFavorites(doc, favoritesFolder);
}

bool ExportToFavorites(CVeskDoc& doc, const LINKINFO* category, const std::string& folder,
                       bool withSubcategories) {
  if (!category) return false;
  std::string rootReal = platform::RealPath(folder);
  if (rootReal.empty() || platform::GetPathKind(rootReal) != platform::PathKind::Folder) {
    ReportFileError(doc.UI(), kFileErrNotFound, folder);
    return false;
  }
  CFavoritesWriter writer(doc, rootReal);
  const bool completed = writer.Export(category, folder, withSubcategories, 0);
  return completed && !writer.Failed();
}

bool RunFavoritesExport(CVeskDoc& doc, const std::string& favoritesFolder, int option) {
  if (favoritesFolder.empty() || option < kFavoritesFolderOnly || option > kFavoritesCurrent)
    return false;
  IUserInterface& ui = doc.UI();
  const std::string exportFolder = Join(favoritesFolder, kExportFolderName);
  if (option == kFavoritesFolderOnly) {
    // The creation is checked: a folder that could not be made is not reported as made.
    if (!CFilePath(exportFolder).MakeDirectoryPath(true)) {
      ReportFileError(ui, CauseOfErrno(), exportFolder);
      return false;
    }
    if (platform::GetEntryKind(exportFolder) != platform::EntryKind::Folder) {
      ReportBadFileName(ui, ToCp932(exportFolder));
      return false;
    }
    ui.MessageBox(ResString(kIdsFavoritesFolderMade), MbButtons::Ok, MbIcon::Information);
    return true;
  }
  const platform::EntryKind kind = platform::GetEntryKind(exportFolder);
  if (kind == platform::EntryKind::Link) {
    // A link in place of the folder could send the files anywhere.
    ReportBadFileName(ui, ToCp932(exportFolder));
    return false;
  }
  if (kind != platform::EntryKind::Folder) {
    ui.MessageBox(ResString(kIdsFavoritesNoFolder), MbButtons::Ok, MbIcon::None);
    return false;
  }
  const LINKINFO* category = option == kFavoritesTopCategory ? doc.GetTopCategory()
                             : option == kFavoritesWorkBox   ? doc.GetWorkBox()
                                                             : doc.GetCurrent();
  if (!category) return false;
  // Success is told only when every file was written.
  if (!ExportToFavorites(doc, category, exportFolder, option != kFavoritesCurrent)) return false;
  ui.MessageBox(ResString(kIdsFavoritesWritten), MbButtons::Ok, MbIcon::Information);
  return true;
}

}  // namespace vesk
