#include "publish/read_data_file.h"

#include "document/veskdoc.h"
#include "publish/bookmark_file.h"
#include "publish/bookmark_store.h"
#include "publish/cgi_data.h"
#include "publish/csv_file.h"
#include "publish/url_file_import.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/file_path.h"

namespace vesk {

bool ReadDataFile(CVeskDoc& doc, const std::string& path) {
  // A browser's bookmark file is known by its document type, whatever its name.
  if (LooksLikeBookmarkFile(path)) return ImportBookmarkFile(doc, path);
  // So are the browsers' own stores, which keep fixed names of their own.
  if (DetectBookmarkStore(path) != BookmarkStoreKind::None) return ImportBookmarkStore(doc, path);
  CFilePath file(path);
  // The extension setting is Shift_JIS; the path's name is the file system's bytes.
  std::string cgiExt;
  if (PathFromCp932(doc.GetFileInfo().m_strCgiExt, cgiExt) && file.HasExtension(cgiExt))
    return ImportCgiFile(doc, path);
  if (file.HasExtension("csv")) return ImportCsvFile(doc, path);
  if (file.HasExtension("url")) return ImportUrlFile(doc, path);
  return false;
}

bool OnReadDataFile(CVeskDoc& doc) {
  std::string ext = doc.GetFileInfo().m_strCgiExt;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  auto path = doc.UI().AskOpenPath(ResFormat(kIdsReadDataFilter, ext));
  if (!path) return false;
  return ReadDataFile(doc, *path);
}

}  // namespace vesk
