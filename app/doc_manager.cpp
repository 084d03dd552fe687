#include "app/doc_manager.h"

#include "document/veskdoc.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"
#include "text/file_path.h"

namespace vesk {

namespace {

// Field n (0-based) of the document template string, fields separated by "\n".
std::string TemplateField(int n) {
  std::string text = ResString(kIdsDocTemplate);
  std::size_t start = 0;
  for (int i = 0; i < n; ++i) {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) return {};
    start = nl + 1;
  }
  std::size_t end = text.find('\n', start);
  return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool HasDot(const std::string& name) {
  std::size_t slash = name.rfind('/');
  return name.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

}  // namespace

CDocManager::CDocManager(CVeskDoc& doc, CVeskSettings& settings, IUserInterface& ui)
    : m_doc(doc), m_settings(settings), m_ui(ui) {
  m_recent.Load(settings);
}

std::string CDocManager::DocumentFilter() {
  const std::string ext = TemplateField(4);  // ".knd"
  return TemplateField(3) + "|*" + ext + "|" + ToCp932("すべてのファイル (*.*)") + "|*.*||";
}

bool CDocManager::SaveModified() {
  if (!m_doc.IsModified()) return true;
  // The path is the file system's bytes; the question shows it in Shift_JIS.
  const std::string name =
      ToCp932(m_doc.GetPathName().empty() ? m_doc.GetTitle() : m_doc.GetPathName());
  const std::string question = ToCp932("%1 への変更を保存しますか?");
  std::string text;
  for (std::size_t i = 0; i < question.size(); ++i) {
    if (question.compare(i, 2, "%1") == 0) {
      text += name;
      ++i;
    } else {
      text += question[i];
    }
  }
  switch (m_ui.MessageBox(text, MbButtons::YesNoCancel, MbIcon::Exclamation)) {
    case MbResult::Yes:
      return FileSave();
    case MbResult::No:
      return true;
    default:
      return false;
  }
}

bool CDocManager::FileNew() {
  if (!SaveModified()) return false;
  if (m_onDiscard) m_onDiscard();
  const bool ok = m_doc.OnNewDocument();
  if (m_onInitialUpdate) m_onInitialUpdate();
  Changed();
  return ok;
}

bool CDocManager::FileOpen() {
  auto path = m_ui.AskOpenPath(DocumentFilter());
  if (!path || path->empty()) return false;
  return OpenDocumentFile(*path);
}

bool CDocManager::OpenDocumentFile(const std::string& path) {
  if (!m_doc.GetPathName().empty() && m_doc.GetPathName() == path) return true;
  if (!SaveModified()) return false;
  return LoadPath(path);
}

bool CDocManager::LoadPath(const std::string& path) {
  if (m_onDiscard) m_onDiscard();
  const bool ok = m_doc.OnOpenDocument(path);
  if (ok) {
    m_doc.SetPathName(path);
    m_doc.SetModifiedFlag(false);
    m_recent.Add(path);
  }
  if (m_onInitialUpdate) m_onInitialUpdate();
  Changed();
  return ok;
}

bool CDocManager::OpenRecentFile(int index) {
  const std::string path = m_recent.Get(index);
  if (path.empty()) return false;
  if (!m_doc.GetPathName().empty() && m_doc.GetPathName() == path) return true;
  if (!SaveModified()) return false;
  if (LoadPath(path)) return true;
  // The entry no longer leads to a document.
  for (int i = 0; i < CRecentFileList::kSize; ++i) {
    if (m_recent.Get(i) == path) {
      m_recent.Remove(i);
      break;
    }
  }
  Changed();
  return false;
}

bool CDocManager::FileSave() { return DoSave(m_doc.GetPathName()); }

bool CDocManager::FileSaveAs() { return DoSave({}); }

bool CDocManager::DoSave(const std::string& path) {
  std::string target = path;
  if (target.empty()) {
    std::string proposed = m_doc.GetTitle();
    if (!proposed.empty() && !HasDot(proposed)) proposed += TemplateField(4);
    auto chosen = m_ui.AskSavePath(proposed, DocumentFilter());
    if (!chosen || chosen->empty()) return false;
    target = *chosen;
  }
  if (!m_doc.OnSaveDocument(target)) return false;
  m_doc.SetPathName(target);
  m_doc.SetModifiedFlag(false);
  m_recent.Add(target);
  Changed();
  return true;
}

bool CDocManager::DropFiles(const std::vector<std::string>& paths,
                            const std::function<bool(const std::string&)>& readDataFile) {
  for (const auto& path : paths) {
    if (readDataFile && readDataFile(path)) continue;
    if (CFilePath(path).HasExtension("knd")) {
      for (const auto& p : paths) OpenDocumentFile(p);
      return true;
    }
  }
  return false;
}

void CDocManager::SaveRecentFiles() { m_recent.Save(m_settings); }

void CDocManager::Changed() {
  if (m_onChanged) m_onChanged();
}

}  // namespace vesk
