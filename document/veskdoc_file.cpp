// Opening and saving the document file.
#include "document/document_file.h"
#include "document/veskdoc.h"
#include "platform/file_system.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/encoding.h"

namespace vesk {

namespace {

// Larger files are refused as unreadable rather than read into memory.
constexpr std::size_t kMaxDocumentBytes = std::size_t{1} << 30;

}  // namespace

bool CVeskDoc::OnOpenDocument(const std::string& path) {
  std::string bytes;
  if (!platform::ReadWholeFile(path, bytes, kMaxDocumentBytes)) {
    // Nothing was read, so the current document stays as it is.
    m_ui.MessageBox(ToCp932("ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。"), MbButtons::Ok,
                    MbIcon::Exclamation);
    return false;
  }
  if (!CDocumentFile::Load(*this, bytes)) {
    m_ui.MessageBox(UnexpectedFormatText(), MbButtons::Ok, MbIcon::Exclamation);
    OnNewDocument();
    return false;
  }
  SetPathName(path);
  SetModifiedFlag(false);
  return true;
}

bool CVeskDoc::OnSaveDocument(const std::string& path) {
  if (!CheckSerials()) {
    if (m_ui.MessageBox(ResString(kIdsSerialProblemAsk), MbButtons::OkCancel,
                        MbIcon::Information) != MbResult::Ok)
      return false;
    Renumber();
  }
  UpdateAllViews(kHintStoreExpanded, nullptr);
  ComputeUpdateTimes(m_pTopCategory);
  std::string bytes = CDocumentFile::Store(*this);
  if (!platform::ReplaceFileAtomically(path, bytes)) {
    // The old file is untouched: the new bytes only ever went to a temporary file.
    m_ui.MessageBox(ToCp932("ﾄﾞｷｭﾒﾝﾄの保存に失敗しました。"), MbButtons::Ok, MbIcon::Exclamation);
    return false;
  }
  ClearUndo();
  SetPathName(path);
  SetModifiedFlag(false);
  return true;
}

}  // namespace vesk
