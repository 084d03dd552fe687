// The framework steps around the one document: new, open, save, save as, the save question
// and the recent-file list, independent of any toolkit.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/recent_files.h"

namespace vesk {

class CVeskDoc;
class CVeskSettings;
class IUserInterface;

class CDocManager {
 public:
  CDocManager(CVeskDoc& doc, CVeskSettings& settings, IUserInterface& ui);

  CRecentFileList& RecentFiles() { return m_recent; }
  // Called after the document was replaced, renamed or saved, so the window can retitle itself
  // and rebuild the File menu.
  void SetOnDocumentChanged(std::function<void()> callback) { m_onChanged = std::move(callback); }
  // Called just before the document's nodes are dropped, so the views let go of them.
  void SetOnDiscard(std::function<void()> callback) { m_onDiscard = std::move(callback); }
  // Called after the document was replaced, so the views can start over.
  void SetOnInitialUpdate(std::function<void()> callback) {
    m_onInitialUpdate = std::move(callback);
  }

  // Asks "%1 への変更を保存しますか?" for a modified document; true when it may be dropped.
  bool SaveModified();
  // File New: asks about changes, then a new empty document.
  bool FileNew();
  // File Open: asks about changes, then for a path, then opens it.
  bool FileOpen();
  // Opens path (the document already open under that path is kept, not reloaded).
  bool OpenDocumentFile(const std::string& path);
  // Opens recent entry index; a failed open drops the entry.
  bool OpenRecentFile(int index);
  // File Save: saves under the current path, or asks for one.
  bool FileSave();
  // File Save As: always asks for the path.
  bool FileSaveAs();
  // Files dropped on the window, in the order given: each is offered to readDataFile (an import
  // by type); at the first one not taken whose extension is exactly "knd", every dropped file is
  // opened as a document in turn (the last one stays open) and the drop ends there. Other files
  // are ignored. True when documents were opened.
  bool DropFiles(const std::vector<std::string>& paths,
                 const std::function<bool(const std::string&)>& readDataFile);
  // Writes the recent-file list to the settings.
  void SaveRecentFiles();

  // The filter of the document file dialogs ("text|pattern|...||").
  static std::string DocumentFilter();

 private:
  bool DoSave(const std::string& path);
  // Loads path without asking; a failure leaves a new empty document.
  bool LoadPath(const std::string& path);
  void Changed();

  CVeskDoc& m_doc;
  CVeskSettings& m_settings;
  IUserInterface& m_ui;
  CRecentFileList m_recent;
  std::function<void()> m_onChanged;
  std::function<void()> m_onInitialUpdate;
  std::function<void()> m_onDiscard;
};

}  // namespace vesk
