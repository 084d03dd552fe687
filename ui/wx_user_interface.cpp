#include "ui/wx_user_interface.h"

#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "text/file_path.h"
#include "ui/category_dialog.h"
#include "ui/cgi_settings_dialog.h"
#include "ui/find_dialog.h"
#include "ui/html_settings_dialog.h"
#include "ui/link_sheet_dialog.h"
#include "ui/output_result_dialog.h"
#include "ui/setup_sheet.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

MbResult ShowMessageBox(wxWindow* owner, const std::string& text, MbButtons buttons, MbIcon icon,
                        const std::string& caption) {
  long style = 0;
  switch (buttons) {
    case MbButtons::Ok:
      style = wxOK;
      break;
    case MbButtons::OkCancel:
      style = wxOK | wxCANCEL;
      break;
    case MbButtons::YesNo:
      style = wxYES_NO;
      break;
    case MbButtons::YesNoCancel:
      style = wxYES_NO | wxCANCEL;
      break;
  }
  switch (icon) {
    case MbIcon::Information:
      style |= wxICON_INFORMATION;
      break;
    case MbIcon::Exclamation:
      style |= wxICON_EXCLAMATION;
      break;
    case MbIcon::Stop:
      style |= wxICON_ERROR;
      break;
    case MbIcon::Question:
      style |= wxICON_QUESTION;
      break;
    case MbIcon::None:
      style |= wxICON_NONE;
      break;
  }
  TraceUi("message", ToUtf8(text));
  wxMessageDialog box(owner, Cp932ToWx(text),
                      Cp932ToWx(caption.empty() ? ResString(kIdsAppName) : caption), style);
  box.SetYesNoCancelLabels(U8("はい(&Y)"), U8("いいえ(&N)"), U8("キャンセル"));
  box.SetOKCancelLabels("OK", U8("キャンセル"));
  switch (box.ShowModal()) {
    case wxID_OK:
      return MbResult::Ok;
    case wxID_YES:
      return MbResult::Yes;
    case wxID_NO:
      return MbResult::No;
    default:
      return MbResult::Cancel;
  }
}

std::optional<FieldError> PathFieldError(const wxTextCtrl& control, std::string& field) {
  // Stored as typed, in the system's own form: the document is read on either system.
  const std::string path = control.GetValue().utf8_string();
  if (PathToCp932(path, field)) return std::nullopt;
  return FieldError{control.GetId(), ResFormat(kIdsPathNotStorable, ToCp932(path))};
}

wxString FilterToWildcard(const std::string& filter) {
  wxString w = Cp932ToWx(filter);
  while (w.EndsWith("|")) w.RemoveLast();
  return w;
}

MbResult CWxUserInterface::MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) {
  return ShowMessageBox(Owner(), text, buttons, icon);
}

MbResult CWxUserInterface::CaptionedMessageBox(const std::string& text, const std::string& caption,
                                               MbButtons buttons, MbIcon icon) {
  return ShowMessageBox(nullptr, text, buttons, icon, caption);
}

void CWxUserInterface::Beep() { wxBell(); }

bool CWxUserInterface::EditCategory(CategoryFields& fields) {
  CCategoryDialog dialog(Owner(), fields);
  return dialog.ShowModal() == wxID_OK;
}

bool CWxUserInterface::RunFindDialog(FindDialogState& state) {
  CFindDialog dialog(Owner(), state);
  return dialog.ShowModal() == wxID_OK;
}

bool CWxUserInterface::EditLink(LinkFields& fields) {
  CLinkSheet sheet(Owner(), m_settings, fields);
  const bool ok = sheet.ShowModal() == wxID_OK;
  if (!ok) TraceUi("sheet", "cancel");
  return ok;
}

bool CWxUserInterface::RunSettingsSheet() {
  // Read at the moment of use, written back only on OK.
  SetupValues values = SetupValues::Read(m_settings);
  CSetupSheet sheet(Owner(), values);
  if (sheet.ShowModal() != wxID_OK) {
    TraceUi("setup", "cancel");
    return false;
  }
  values.Write(m_settings);
  return true;
}

bool CWxUserInterface::EditCgiSettings(FILEINFO& info) {
  CCgiSettingsDialog dialog(Owner(), info);
  return dialog.ShowModal() == wxID_OK;
}

bool CWxUserInterface::EditHtmlSettings(FILEINFO& info) {
  CHtmlSettingsDialog dialog(Owner(), info);
  return dialog.ShowModal() == wxID_OK;
}

std::optional<std::string> CWxUserInterface::AskSavePath(const std::string& proposed,
                                                         const std::string& filter) {
  wxFileDialog dialog(Owner(), U8("名前を付けて保存"), wxEmptyString, FromPath(proposed),
                      FilterToWildcard(filter), wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return ToPath(dialog.GetPath());
}

std::optional<std::string> CWxUserInterface::AskOpenPath(const std::string& filter) {
  wxFileDialog dialog(Owner(), U8("開く"), wxEmptyString, wxEmptyString, FilterToWildcard(filter),
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return ToPath(dialog.GetPath());
}

void CWxUserInterface::ShowOutputResult(const std::string& changed) {
  TraceUi("result", changed.substr(0, changed.find('\r')));
  COutputResultDialog dialog(Owner(), changed);
  dialog.ShowModal();
}

}  // namespace vesk

namespace vesk {

void CWxUserInterface::BeginProgress(ProgressStep step, std::size_t total, bool cancellable) {
  int title = kIdsFindProgressTitle;
  int text = kIdsFindProgressText;
  switch (step) {
    case ProgressStep::Find:
      break;
    case ProgressStep::EmptyTrash:
      title = kIdsEmptyTrashProgressTitle;
      text = kIdsEmptyTrashProgressText;
      break;
    case ProgressStep::DeleteLinks:
      title = kIdsDeleteProgressTitle;
      text = kIdsDeleteProgressText;
      break;
    case ProgressStep::Undo:
      title = kIdsUndoProgressTitle;
      text = kIdsUndoProgressText;
      break;
  }
  m_progress = std::make_unique<CStepProgressDialog>(Owner(), title, text, cancellable);
  m_progressTotal = total;
  m_progress->Begin(total);
}

bool CWxUserInterface::StepProgress(std::size_t done) {
  return !m_progress || m_progress->Update(done, m_progressTotal);
}

void CWxUserInterface::EndProgress() {
  if (m_progress) m_progress->End();
  m_progress.reset();
}

}  // namespace vesk
