#include "document/read_data_file.h"

#include "app/url_file_import.h"
#include "document/cgi_data.h"
#include "document/veskdoc.h"
#include "publish/csv_file.h"
#include "publish/file_path.h"
#include "resources/string_table.h"

namespace vesk {

namespace {
constexpr int kMsgReadDataFilter = 10117;
}  // namespace

bool ReadDataFile(CVeskDoc& doc, const std::string& path) {
  CFilePath file(path);
  if (file.HasExtension(doc.GetFileInfo().m_strCgiExt)) return ImportCgiFile(doc, path);
  if (file.HasExtension("csv")) return ImportCsvFile(doc, path);
  if (file.HasExtension("url")) return ImportUrlFile(doc, path);
  return false;
}

bool OnReadDataFile(CVeskDoc& doc) {
  std::string ext = doc.GetFileInfo().m_strCgiExt;
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  auto path = doc.UI().AskOpenPath(ResFormat(kMsgReadDataFilter, ext));
  if (!path) return false;
  return ReadDataFile(doc, *path);
}

}  // namespace vesk
