// Editing operations of the document: list moves, the trash, the node dialogs, new category and
// link, and the settings commands.
#include <algorithm>
#include <iterator>

#include "document/child_index.h"
#include "document/dialog_rules.h"
#include "document/progress_report.h"
#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/file_path.h"

namespace vesk {
namespace {

constexpr int kMinLinksPerPage = 5;
constexpr int kMaxLinksPerPage = 99;

}  // namespace

bool CVeskDoc::MoveNodeBefore(LINKINFO* node, LINKINFO* ref) {
  AssertHeld(node);
  AssertHeld(ref);
  if (node == ref || !Contains(node)) return false;
  if (ref && !Contains(ref)) return false;
  if (NextNode(node) == ref) return false;
  MoveNode(node, ref);
  return true;
}

bool CVeskDoc::MoveNodeAfter(LINKINFO* node, LINKINFO* ref) {
  AssertHeld(node);
  AssertHeld(ref);
  if (node == ref || !Contains(node)) return false;
  if (ref && !Contains(ref)) return false;
  if (PrevNode(node) == ref) return false;
  MoveNode(node, ref ? NextNode(ref) : m_pNodeList.front());
  return true;
}

LINKINFO* CVeskDoc::LaterOf(LINKINFO* a, LINKINFO* b) const {
  AssertHeld(a);
  AssertHeld(b);
  if (a == b || !Contains(a) || !Contains(b)) return nullptr;
  // Neighbours (the usual case) need no walk.
  if (NextNode(a) == b) return b;
  if (NextNode(b) == a) return a;
  for (LINKINFO* node : m_pNodeList) {
    if (node == a) return b;
    if (node == b) return a;
  }
  return nullptr;
}

void CVeskDoc::SwapNodes(LINKINFO* a, LINKINFO* b) {
  LINKINFO* later = LaterOf(a, b);
  if (later == nullptr) return;
  MoveNode(later, later == a ? b : a);
}

void CVeskDoc::SwapLinkPlaces(LINKINFO* a, LINKINFO* b) {
  AssertHeld(a);
  AssertHeld(b);
  if (a == b || !Contains(a) || !Contains(b)) return;
  SwapNodes(a, b);
  // The order numbers follow the places, so a later sort in manual order keeps the move.
  std::swap(a->m_nOrder, b->m_nOrder);
}

void CVeskDoc::MoveToTrash(LINKINFO* node, int group) {
  AssertHeld(node);
  RecordUndo(node, kUndoReparented, group);
  node->m_pParent = m_pTrash;
}

void CVeskDoc::OnEmptyTrash() {
  if (!m_pTrash) return;
  CChildIndex index(m_pNodeList);
  if (index.Children(m_pTrash).empty()) return;  // the command is disabled then

  const int group = BeginUndoGroup();
  if (m_pCurrent) RecordUndo(m_pCurrent, kUndoListAction, group);
  if (IsInTrash() && m_pCurrent != m_pTrash) SelectCategory(m_pTrash, false);
  UpdateAllViews(kHintEmptyTrash, m_pTrash);

  // Children are removed before their parent, first child first; each node itself becomes the
  // record, so undo can put back the very same objects.
  // Not cancellable: the views have already let go of the whole trash.
  const std::vector<LINKINFO*> emptied = index.PostOrderBelow(m_pTrash);
  CProgressReport progress(m_ui, ProgressStep::EmptyTrash, emptied.size(), false);
  for (LINKINFO* node : emptied) {
    node->m_pUndoNext = NextNode(node);
    RemoveNode(node);
    node->m_nUndoOp = kUndoEmptied;
    node->m_nUndoGroup = group;
    m_pUndoList.push_front(node);
    progress.Advance();
  }
}

bool CVeskDoc::EditCategory(LINKINFO* node) {
  AssertHeld(node);
  CategoryFields fields;
  fields.title = node->m_strTitle;
  fields.fileName = node->m_strFileName;
  fields.comment = node->m_strComment;
  fields.fileNameEnabled = m_settings.GetAuto() == 0;
  if (!m_ui.EditCategory(fields)) return false;
  if (fields.title.empty() || CheckCategoryFields(fields)) return false;
  node->m_strTitle = fields.title;
  node->m_strFileName = fields.fileName;
  node->m_strComment = fields.comment;
  return true;
}

bool CVeskDoc::EditLink(LINKINFO* node) {
  AssertHeld(node);
  LinkFields fields;
  fields.title = node->m_strTitle;
  fields.url = node->m_strURL;
  fields.admin = node->m_strAdmin;
  fields.email = node->m_strEmail;
  fields.comment = node->m_strComment;
  fields.banner = node->m_strBanner;
  fields.keywords = node->m_strKeywords;
  fields.year = node->m_nYear;
  fields.month = node->m_nMonth;
  fields.day = node->m_nDay;
  fields.mark = node->m_nMark;
  fields.flags = node->m_nFlags;
  fields.genreList = m_strGenreList;
  // The folder fields are Shift_JIS; the image's path and this base are the file system's.
  const FILEINFO& info = *m_pFileInfo;
  std::string folder;
  if (PathFromCp932(info.m_strCgiFolder, folder) && !folder.empty()) {
    fields.bannerBase = folder;
  } else if (PathFromCp932(info.m_strHtmlFolder, folder) && !folder.empty()) {
    fields.bannerBase = folder;
  } else {
    fields.bannerBase = m_strPathName;
  }
  if (!m_ui.EditLink(fields)) return false;
  if (fields.title.empty()) return false;
  node->m_strTitle = fields.title;
  node->m_strURL = fields.url;
  node->m_strAdmin = fields.admin;
  node->m_strEmail = fields.email;
  node->m_strComment = fields.comment;
  node->m_strBanner = fields.banner;
  node->m_strKeywords = fields.keywords;
  node->m_nYear = fields.year;
  node->m_nMonth = fields.month;
  node->m_nDay = fields.day;
  node->m_nMark = fields.mark;
  node->m_nFlags = fields.flags;
  return true;
}

void CVeskDoc::OnNewCategory() {
  if (IsInTrash()) {  // the command is disabled there
    m_ui.Beep();
    return;
  }
  LINKINFO* node = CreateNode(NodeKind::Category);
  if (!node) return;
  node->m_strTitle = ResString(kIdsNewCategory);
  if (!EditCategory(node)) {
    DestroyNode(node);
    return;
  }
  UpdateAllViews(kHintAddCategory, node);
  SelectCategory(node, false);
  RecordUndo(node, kUndoCreated, BeginUndoGroup());
}

void CVeskDoc::OnNewLink() {
  if (IsInTrash()) {
    m_ui.Beep();
    return;
  }
  LINKINFO* node = CreateNode(NodeKind::NewLink);
  if (!node) return;
  node->m_strTitle = ResString(kIdsNewLinkTitle);
  node->m_strURL = ResString(kIdsNewLinkUrl);
  if (!EditLink(node)) {
    DestroyNode(node);
    return;
  }
  UpdateAllViews(kHintNewLink, node);
  RecordUndo(node, kUndoCreated, BeginUndoGroup());
}

void CVeskDoc::OnCgiSettings() {
  FILEINFO edited = *m_pFileInfo;
  if (!m_ui.EditCgiSettings(edited)) return;
  FILEINFO& info = *m_pFileInfo;
  info.m_strCgiName =
      edited.m_strCgiName.empty() ? ResString(kIdsDefaultCgiName) : edited.m_strCgiName;
  info.m_strCgiExt = edited.m_strCgiExt.empty() ? ResString(kIdsDefaultCgiExt) : edited.m_strCgiExt;
  info.m_strSearchFile =
      edited.m_strSearchFile.empty() ? ResString(kIdsDefaultSearchFile) : edited.m_strSearchFile;
  info.m_strCgiFolder = edited.m_strCgiFolder;
  // A folder the user picks here is one the user chose for this document.
  ConfirmOutputFolder(info.m_strCgiFolder,
                      platform::RealPath(ResolveDocumentPath(info.m_strCgiFolder)));
  m_bSettingsChanged = 1;
  SetModifiedFlag(true);
}

void CVeskDoc::OnHtmlSettings() {
  FILEINFO edited = *m_pFileInfo;
  if (!m_ui.EditHtmlSettings(edited)) return;
  FILEINFO& info = *m_pFileInfo;
  info.m_strTemplate = edited.m_strTemplate;
  // Likewise a template the user picks here, wherever it lies.
  ConfirmOutputFolder(info.m_strTemplate,
                      platform::RealPath(ResolveDocumentPath(info.m_strTemplate)));
  info.m_strHtmlExt =
      edited.m_strHtmlExt.empty() ? ResString(kIdsDefaultHtmlExt) : edited.m_strHtmlExt;
  info.m_strHtmlFolder = edited.m_strHtmlFolder;
  ConfirmOutputFolder(info.m_strHtmlFolder,
                      platform::RealPath(ResolveDocumentPath(info.m_strHtmlFolder)));
  // The dialog refuses other values; a page size outside them would break the page split.
  info.m_nLinksPerPage = std::clamp(edited.m_nLinksPerPage, kMinLinksPerPage, kMaxLinksPerPage);
  m_bSettingsChanged = 1;
  SetModifiedFlag(true);
}

void CVeskDoc::OnEnvSettings() {
  m_ui.RunSettingsSheet();
  UpdateAllViews(kHintColumnsChanged, nullptr);
  ShowCurrentCategory();
}

}  // namespace vesk
