#include "ui/dialog_buttons.h"

#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

namespace vesk {

void ReportRefusedField(wxDialog& dialog, const FieldError& error) {
  ShowMessageBox(&dialog, error.message, MbButtons::Ok, MbIcon::Exclamation);
  wxWindow* field = dialog.FindWindow(error.control);
  if (field == nullptr) return;
  field->SetFocus();
  if (auto* text = wxDynamicCast(field, wxTextCtrl)) {
    text->SelectAll();
  } else if (auto* combo = wxDynamicCast(field, wxComboBox)) {
    combo->SelectAll();
  }
}

void AddOkCancelRow(wxDialog& dialog, wxSizer& top, const wxString& okLabel, DialogOkCheck check) {
  auto* buttons = new wxStdDialogButtonSizer();
  auto* ok = new wxButton(&dialog, wxID_OK, okLabel);
  ok->SetDefault();
  buttons->AddButton(ok);
  buttons->AddButton(new wxButton(&dialog, wxID_CANCEL, U8("キャンセル")));
  buttons->Realize();
  top.Add(buttons, 0, wxALIGN_RIGHT | wxALL, 10);
  wxDialog* owner = &dialog;
  dialog.Bind(
      wxEVT_BUTTON,
      [owner, check = std::move(check)](wxCommandEvent&) {
        if (auto error = check()) {
          ReportRefusedField(*owner, *error);
          return;
        }
        owner->EndModal(wxID_OK);
      },
      wxID_OK);
}

}  // namespace vesk
