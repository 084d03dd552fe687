// Opening and saving the document file.
#include <new>

#include "document/document_file.h"
#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "resources/file_error_text.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {

namespace {

// Larger files are refused as unreadable rather than read into memory.
constexpr std::size_t kMaxDocumentBytes = std::size_t{1} << 30;

// Marks running out of memory where a file-error cause would stand.
// Not a file-system cause: the document did not fit in memory.
constexpr FileErrorCause kCauseNoMemory = static_cast<FileErrorCause>(-1);

// The framework's message, then the cause and the file, so the user learns why.
std::string WithCause(const char* utf8Text, FileErrorCause cause, const std::string& path) {
  std::string text = ToCp932(utf8Text) + "\n";
  if (cause == kCauseNoMemory) return text + ResString(kIdsOutOfMemory) + "\n" + ToCp932(path);
  if (cause == kFileErrNone) return text + ToCp932(path);
  return text + FileErrorText(cause, path);
}

}  // namespace

bool CVeskDoc::OnOpenDocument(const std::string& path) {
  std::string bytes;
  FileErrorCause cause = kFileErrNone;
  bool read = false;
  try {
    read = platform::ReadWholeFile(path, bytes, kMaxDocumentBytes, &cause);
  } catch (const std::bad_alloc&) {
    cause = kCauseNoMemory;
  }
  if (!read) {
    // Nothing was read, so the current document stays as it is.
    m_ui.MessageBox(WithCause("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。", cause, path), MbButtons::Ok,
                    MbIcon::Exclamation);
    return false;
  }
  bool loaded = false;
  try {
    loaded = CDocumentFile::Load(*this, bytes);
    // The loader links the nodes directly: answers kept from before must go.
    ++m_nRevision;
  } catch (const std::bad_alloc&) {
    // Running out of memory is told like any other failure to open, never an abort.
    std::string().swap(bytes);
    Reset();
    OnNewDocument();
    m_ui.MessageBox(WithCause("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。", kCauseNoMemory, path),
                    MbButtons::Ok, MbIcon::Exclamation);
    return false;
  }
  if (!loaded) {
    m_ui.MessageBox(UnexpectedFormatText(), MbButtons::Ok, MbIcon::Exclamation);
    OnNewDocument();
    return false;
  }
  if (m_genreSource == GenreSource::File && !m_bLeaveSettings) {
    m_settings.SetGenreList(m_strGenreList);
  } else if (m_genreSource == GenreSource::Refused) {
    m_ui.MessageBox(ResString(kIdsGenreListTooLarge), MbButtons::Ok, MbIcon::Exclamation);
  }
  SetPathName(path);
  m_strSavedPath = path;
  SetModifiedFlag(false);
  return true;
}

void CVeskDoc::StoreExpandedStates() {
  if (m_views.empty()) return;
  for (LINKINFO* node : m_pNodeList) {
    if (!node->IsCategory()) continue;
    for (const IDocView* view : m_views) {
      if (const std::optional<bool> expanded = view->IsCategoryExpanded(node)) {
        node->m_nMark = *expanded ? kExpandedMark : 0;
        break;
      }
    }
  }
}

bool CVeskDoc::OnSaveDocument(const std::string& path) {
  if (!CheckSerials()) {
    if (m_ui.MessageBox(ResString(kIdsSerialProblemAsk), MbButtons::OkCancel,
                        MbIcon::Information) != MbResult::Ok)
      return false;
    Renumber();
  }
  StoreExpandedStates();
  ComputeUpdateTimes(m_pTopCategory);
  FileErrorCause cause = kFileErrNone;
  bool saved = false;
  try {
    std::string bytes = CDocumentFile::Store(*this);
    saved = platform::ReplaceFileAtomically(path, bytes, &cause);
  } catch (const std::bad_alloc&) {
    cause = kCauseNoMemory;
  }
  if (!saved) {
    // The old file is untouched: the new bytes only ever went to a temporary file.
    m_ui.MessageBox(WithCause("ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。", cause, path), MbButtons::Ok,
                    MbIcon::Exclamation);
    return false;
  }
  ClearUndo();
  SetPathName(path);
  m_strSavedPath = path;
  SetModifiedFlag(false);
  return true;
}

}  // namespace vesk
