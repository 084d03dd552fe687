#include "publish/url_file_import.h"

#include "document/veskdoc.h"
#include "publish/file_errors.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"
#include "text/encoding.h"
#include "text/file_path.h"
#include "text/outside_text.h"

namespace vesk {

std::string UrlFileTitle(const std::string& path) {
  // The path is the file system's bytes; the title is Shift_JIS text.
  std::string name = FileNameOfPath(path);
  std::size_t dot = name.rfind('.');
  return EscapeHtmlText(ToCp932(dot == npos ? name : name.substr(0, dot)));
}

bool ImportUrlFile(CVeskDoc& doc, const std::string& path) {
  FileErrorCause cause = kFileErrNone;
  std::string url = CFilePath(path).ReadIniValue("InternetShortcut", "URL", &cause);
  if (cause != 0) {
    ReportFileError(doc.UI(), cause, path);
    return false;
  }
  // Nothing to import is not an import: the user is told, and the caller sees a failure.
  if (url.empty()) {
    doc.UI().MessageBox(ResFormat(kIdsNoUrlInShortcut, ToCp932(path)), MbButtons::Ok,
                        MbIcon::Exclamation);
    return false;
  }
  if (IsScriptUrl(url)) {
    doc.UI().MessageBox(ResFormat(kIdsScriptUrlsSkipped, "1"), MbButtons::Ok, MbIcon::Information);
    return false;
  }
  // The link goes into the current category; without one it would belong nowhere.
  if (!doc.GetCurrent()) return false;
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  if (!link) return false;
  link->m_strURL = OutsideUrl(url);
  link->m_strTitle = UrlFileTitle(path);
  int group = doc.BeginUndoGroup();
  doc.RecordUndo(link, kUndoCreated, group);
  doc.UpdateAllViews(kHintNewLink, link);
  return true;
}

}  // namespace vesk
