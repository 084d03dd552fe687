// CVeskDoc: the link collection document — node list, fixed categories, serials, undo and Find.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "document/link_info.h"
#include "document/node_store.h"
#include "document/user_interface.h"
#include "document/view_hints.h"
#include "settings/vesk_settings.h"

namespace vesk {

// Undo operation codes.
enum UndoOp : int {
  kUndoCreated = 100,
  kUndoChanged = 101,
  kUndoEmptied = 102,
  kUndoReparented = 200,
  kUndoListAction = 201,
  kUndoSwapped = 300,
  kUndoDragged = 301,
  kUndoReordered = 302,
};

constexpr std::size_t kMaxNodes = 2000;
constexpr std::uint32_t kSerialLimit = 320000;
constexpr int kUndoGroupLimit = 1000;

// The document. Views hear of every change through numbered hints; the user is reached only
// through the injected IUserInterface; preferences are read from the settings at the moment of use.
class CVeskDoc {
 public:
  CVeskDoc(CVeskSettings& settings, IUserInterface& ui);
  ~CVeskDoc();
  CVeskDoc(const CVeskDoc&) = delete;
  CVeskDoc& operator=(const CVeskDoc&) = delete;

  // --- framework part: views, modified flag, path and title ---
  void AddView(IDocView* view);
  void RemoveView(IDocView* view);
  void UpdateAllViews(ViewHint hint, LINKINFO* node);
  bool IsModified() const { return m_bModified; }
  void SetModifiedFlag(bool modified = true) {
    m_bModified = modified;
    ++m_nRevision;
  }
  const std::string& GetPathName() const { return m_strPathName; }
  // The path is the file system's bytes; also sets the title from the file name.
  void SetPathName(const std::string& path);
  const std::string& GetTitle() const { return m_strTitle; }
  void SetTitle(const std::string& title) { m_strTitle = title; }
  // The window caption: string 10116 with the title for %1.
  std::string GetCaption() const;
  CVeskSettings& Settings() { return m_settings; }
  IUserInterface& UI() { return m_ui; }

  // --- new, open, save ---
  // Resets and creates the three fixed categories; title "Vesk", no path, unmodified.
  bool OnNewDocument();
  // Loads a .knd file. A file in an unexpected format is reported and leaves a new document; a
  // file that cannot be read is reported and leaves the current document untouched. False on both.
  bool OnOpenDocument(const std::string& path);
  // Saves with the serial check; false when cancelled or failed (the old file is kept).
  bool OnSaveDocument(const std::string& path);
  // The file last opened or saved (also when a save for an output left the document untitled).
  const std::string& GetSavedPath() const { return m_strSavedPath; }
  // Opening never writes the settings (the genre list of an older file stays in the document);
  // for commands that only read a document.
  void SetLeaveSettings(bool leave) { m_bLeaveSettings = leave; }
  bool LeavesSettings() const { return m_bLeaveSettings; }

  // Output folders outside the document's own folder that the user confirmed for this document
  // (in the output settings dialogs or when asked); kept for the session and, unless the user
  // interface keeps no answers, in the settings per document path.
  // setting: the folder as the document names it; resolved: its real path (may be empty).
  bool IsOutputFolderConfirmed(const std::string& setting, const std::string& resolved);
  void ConfirmOutputFolder(const std::string& setting, const std::string& resolved);
  // A Shift_JIS path field of the document (template, output folder) as the file system sees it:
  // a relative one is taken from the document's folder, so a site folder moved as a whole keeps
  // working. Empty when the field is empty or not valid Shift_JIS; without a saved file the path
  // stays relative.
  std::string ResolveDocumentPath(const std::string& field) const;

  // --- node store ---
  // A new node under the current category with the next serial; null (after telling the user)
  // at the node limit or when the serials are used up.
  LINKINFO* CreateNode(NodeKind kind);
  void DestroyNode(LINKINFO* node);
  long AllocSerial();
  bool CheckSerials();
  void Renumber();
  LINKINFO* FindBySerial(std::uint32_t serial) const;
  // First node at or after start (list head when start is null) whose parent is parent.
  LINKINFO* FindFirstChild(const LINKINFO* parent, const LINKINFO* start = nullptr) const;
  bool Contains(const LINKINFO* node) const;
  // Grows with every change the views are told of and every change of the node list, so an
  // answer kept with it stays right while it is unchanged.
  std::uint64_t Revision() const { return m_nRevision; }
  // Whether the trash holds anything. The answer is kept until the views are next told of a
  // change: command enabling asks on every idle moment, and the walk is over the whole list.
  bool TrashHasChildren() const;
  // Makes a category current. Not from the tree: the views are asked to select it (the tree
  // answers with fromTree set); when none does, the document selects it itself.
  void SelectCategory(LINKINFO* node, bool fromTree);
  void ShowCurrentCategory();
  bool IsInTrash() const;
  void ComputeUpdateTimes(LINKINFO* category);
  // The status-bar counts of the Top Category subtree, "%04lu / %04lu" (categories first).
  // Counted again only after a change: the frame asks on every idle moment.
  std::string StatusCounts();

  // --- node list primitives ---
  // Every insertion, removal and free of a node goes through these, so that list positions,
  // Contains() and the serial lookup stay right. All are O(1) except where noted. Nodes are
  // made only by the document (CreateNode, RecordUndo, the loader); a debug build asserts that
  // every node handed in is one the document still holds.
  // Inserts a node that is in no list just before ref, or at the end when ref is null.
  void InsertNode(LINKINFO* node, LINKINFO* ref = nullptr);
  void InsertNodeAtHead(LINKINFO* node);
  // Takes a node out of the node list without freeing it (no-op when it is not in it); the
  // document still owns it and frees it at the latest with the next reset.
  void RemoveNode(LINKINFO* node);
  // Moves a listed node to just before ref, or to the end when ref is null.
  void MoveNode(LINKINFO* node, LINKINFO* ref);
  // Frees a node or undo record owned by the document, taking it out of the node list first;
  // clears the find position and the current category when they name it. Freeing a live
  // category is O(n): its children lose their parent pointer (a later save files them under the
  // work box).
  void FreeNode(LINKINFO* node);
  // The neighbours of a listed node, or null.
  LINKINFO* NextNode(const LINKINFO* node) const;
  LINKINFO* PrevNode(const LINKINFO* node) const;
  // Call after writing m_nSerial of listed nodes directly (imports), so lookups see the change.
  void SerialsChanged() { m_bSerialIndexValid = false; }
  // Whether the document still holds the node (listed, undo record or taken out by undo),
  // answered without reading through the pointer.
  bool Holds(const LINKINFO* node) const { return m_store.Holds(node); }
  // A handle for a node that, unlike its pointer, never comes to name another node: NodeById
  // gives null once the node is freed.
  NodeId IdOf(const LINKINFO* node) const { return m_store.IdOf(node); }
  LINKINFO* NodeById(NodeId id) const { return m_store.Find(id); }

  const NodeList& GetNodeList() const { return m_pNodeList; }
  LINKINFO* GetTopCategory() const { return m_pTopCategory; }
  LINKINFO* GetWorkBox() const { return m_pWorkBox; }
  LINKINFO* GetTrash() const { return m_pTrash; }
  // Top Category, the work box or the trash.
  bool IsFixedCategory(const LINKINFO* node) const;
  LINKINFO* GetCurrent() const { return m_pCurrent; }
  // Sets the current category without telling the views (for builders that add nodes under
  // a category with CreateNode); null or a category the document holds.
  void SetCurrent(LINKINFO* category);
  FILEINFO& GetFileInfo() { return *m_pFileInfo; }
  const FILEINFO& GetFileInfo() const { return *m_pFileInfo; }
  const std::string& GetGenreList() const { return m_strGenreList; }
  std::uint32_t GetNextSerial() const { return m_nNextSerial; }
  void SetNextSerial(std::uint32_t next) { m_nNextSerial = next; }
  // The version of the file loaded last (300 for a new document).
  int GetLoadedVersion() const { return m_nLoadedVersion; }
  // The link found last by Find; null when none.
  LINKINFO* GetFindPos() const { return m_posFind; }
  // The counts StatusCounts computed last.
  unsigned long GetLinkCount() const { return m_nLinkCount; }
  unsigned long GetCategoryCount() const { return m_nCategoryCount; }

  // --- undo ---
  int BeginUndoGroup();
  LINKINFO* RecordUndo(LINKINFO* node, int code, int group);
  void DiscardLastUndoGroup();
  void ClearUndo();
  void OnEditUndo();
  bool CanUndo() const { return !m_pUndoList.empty(); }
  // Undo records, newest first, and what undo took out of the list since the last group.
  const NodeList& GetUndoList() const { return m_pUndoList; }
  const NodeList& GetDiscardList() const { return m_pDiscardList; }
  int GetNextUndoGroup() const { return m_nNextUndoGroup; }
  bool UndoOverflowed() const { return m_bUndoOverflow != 0; }
  bool SettingsChanged() const { return m_bSettingsChanged != 0; }

  // --- editing ---
  bool MoveNodeBefore(LINKINFO* node, LINKINFO* ref);
  bool MoveNodeAfter(LINKINFO* node, LINKINFO* ref);
  // Move up/down: the later of two listed nodes moves to just before the earlier one.
  void SwapNodes(LINKINFO* a, LINKINFO* b);
  // The one of two listed nodes that stands later in the list; null when either is not listed
  // or they are the same. O(n) unless they are neighbours.
  LINKINFO* LaterOf(LINKINFO* a, LINKINFO* b) const;
  // Move up/down of a link and its undo: the two links change places and order numbers.
  void SwapLinkPlaces(LINKINFO* a, LINKINFO* b);
  void MoveToTrash(LINKINFO* node, int group);
  void OnEmptyTrash();
  bool EditCategory(LINKINFO* node);
  bool EditLink(LINKINFO* node);
  void OnNewCategory();
  void OnNewLink();
  void OnRenumber();
  void OnCgiSettings();
  void OnHtmlSettings();
  void OnEnvSettings();

  // --- find ---
  void OnFind();
  void OnFindNext();
  // Find Next has a position to go on from once a Find hit; a hit that left the document since
  // makes it start again from the head.
  bool CanFindNext() const { return m_bFindKept; }
  // Next hit after start (from the head when start is null or has left the list), shown; null
  // = none, or the user stopped the search (then *stopped is set).
  LINKINFO* FindFrom(const std::string& text, int mode, LINKINFO* start, bool* stopped = nullptr);
  bool MatchLink(LINKINFO* node, const std::string& text, int mode);

  // --- output folder ---
  // The folder of the document file (ending in the separator), saving first when needed;
  // empty when the user cancelled.
  std::string DocFolder();

 private:
  friend class CDocumentFile;
  void Reset();
  // The views' expanded states into the categories' marks, which the file keeps.
  void StoreExpandedStates();
  // A new node of the store, appended to the node list (no limit, no serial handed out).
  LINKINFO* AppendNewNode(NodeKind kind, int flags);
  // Frees every record of an undo or discard list and empties it (one O(n) pass at most).
  void FreeNodes(NodeList& list);
  // A category that has left the list must not stay current: selects fallback when it is
  // listed, else leaves no current category.
  void LeaveRemovedCategory(LINKINFO* removed, LINKINFO* fallback);
  // node when the list holds it, else null (a place to insert before: null is the end).
  LINKINFO* Listed(LINKINFO* node) const;
  // Puts the node a recorded swap moved (code 300) back in its place.
  void UndoSwap(const LINKINFO* record);
  bool IsFindHit(const LINKINFO* node, const std::string& text, int mode) const;
  // Selects a hit in its category.
  void ShowFindHit(LINKINFO* node);
  // Debug builds stop here when a node handed to the document is not one it holds.
  void AssertHeld(const LINKINFO* node) const;

  // Owns the memory of every node and record below; declared first, so it is freed last.
  CNodeStore m_store;
  LINKINFO* m_posFind = nullptr;
  bool m_bFindKept = false;  // a Find hit; cleared only by a Find without one
  unsigned long m_nLinkCount = 0;
  unsigned long m_nCategoryCount = 0;
  int m_bSettingsChanged = 0;
  int m_bUndoOverflow = 0;
  int m_nNextUndoGroup = 0;
  std::uint32_t m_nNextSerial = 0;
  std::string m_strGenreList;
  // What the last load did with a genre list found in the file (set by the loader).
  enum class GenreSource { Settings, File, Refused };
  GenreSource m_genreSource = GenreSource::Settings;
  NodeList m_pDiscardList;
  NodeList m_pUndoList;
  NodeList m_pNodeList;
  LINKINFO* m_pTopCategory = nullptr;
  LINKINFO* m_pWorkBox = nullptr;
  LINKINFO* m_pTrash = nullptr;
  LINKINFO* m_pCurrent = nullptr;
  std::unique_ptr<FILEINFO> m_pFileInfo;

  CVeskSettings& m_settings;
  IUserInterface& m_ui;
  std::vector<IDocView*> m_views;
  bool m_bModified = false;
  std::string m_strPathName;
  std::string m_strTitle;
  int m_nLoadedVersion = 300;
  std::string m_strSavedPath;
  bool m_bLeaveSettings = false;
  std::vector<std::string> m_confirmedFolders;  // setting texts and resolved paths
  // FindBySerial's index: serial -> first node in list order with that serial, built lazily.
  mutable std::unordered_map<std::uint32_t, LINKINFO*> m_serialIndex;
  mutable bool m_bSerialIndexValid = false;
  // Counts the changes the views were told of (and resets), for answers kept between them.
  std::uint64_t m_nRevision = 1;
  mutable std::uint64_t m_nTrashAnswerRevision = 0;
  mutable bool m_bTrashHasChildren = false;
  mutable bool m_bSerialDuplicates = false;
  std::uint64_t m_nCountsRevision = 0;
  std::string m_strCounts;
  void CountTopCategory();
  void IndexAppended(LINKINFO* node);
  void IndexInserted(LINKINFO* node);
  void IndexRemoved(LINKINFO* node);
  void RebuildSerialIndex() const;
};

}  // namespace vesk
