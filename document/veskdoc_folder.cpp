// CVeskDoc::DocFolder: the folder every output command writes beside the document.
#include <algorithm>

#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/cp932_text.h"
#include "text/file_path.h"

namespace vesk {
namespace {

// The file-dialog filter of the document type: the filter name of the template string.
std::string DocumentFilter() {
  std::string parts = ResString(kIdsDocTemplate);
  std::string name;
  for (int i = 0; i <= 3; ++i) name = TakeToken(parts, "\n");
  return name + "|*.knd||";
}

}  // namespace

std::string CVeskDoc::DocFolder() {
  std::string path = GetPathName();
  if (path.empty()) {
    auto chosen = m_ui.AskSavePath(GetTitle() + ".knd", DocumentFilter());
    if (!chosen || chosen->empty()) return {};
    path = *chosen;
    SetModifiedFlag(true);
  }
  // The outputs publish what is saved; a save that is refused or fails ends the command.
  if (IsModified()) {
    std::string oldPath = m_strPathName, oldTitle = m_strTitle;
    bool saved = OnSaveDocument(path);
    // A document saved only for an output keeps no file name of its own: it stays untitled,
    // so the next Save or output asks again.
    m_strPathName = oldPath;
    m_strTitle = oldTitle;
    if (!saved) return {};
  }
  return FolderOfPath(path);
}

std::string CVeskDoc::ResolveDocumentPath(const std::string& field) const {
  std::string path;
  if (field.empty() || !PathFromCp932(field, path)) return {};
  return m_strSavedPath.empty() ? path : PathInFolder(path, FolderOfPath(m_strSavedPath));
}

bool CVeskDoc::IsOutputFolderConfirmed(const std::string& setting, const std::string& resolved) {
  auto known = [this](const std::string& s) {
    return !s.empty() && std::find(m_confirmedFolders.begin(), m_confirmedFolders.end(), s) !=
                             m_confirmedFolders.end();
  };
  if (known(setting) || known(resolved)) return true;
  return m_settings.IsOutputFolderConfirmed(platform::RealPath(m_strSavedPath), resolved);
}

void CVeskDoc::ConfirmOutputFolder(const std::string& setting, const std::string& resolved) {
  if (!setting.empty()) m_confirmedFolders.push_back(setting);
  if (!resolved.empty()) m_confirmedFolders.push_back(resolved);
  if (m_ui.KeepsAnswers() && !resolved.empty() && !m_strSavedPath.empty())
    m_settings.AddConfirmedOutputFolder(platform::RealPath(m_strSavedPath), resolved);
}

}  // namespace vesk
