// The search dialog "リンク先検索": the text with its history, the scope and the fields searched.
#pragma once

#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/dialog.h>
#include <wx/radiobut.h>

#include <optional>

#include "document/dialog_rules.h"
#include "document/user_interface.h"

namespace vesk {

class CFindDialog : public wxDialog {
 public:
  // Shows state.history and state.mode; when the window closes, state holds the typed text
  // (empty after Cancel), the new history and the new mode.
  CFindDialog(wxWindow* parent, FindDialogState& state);
  int ShowModal() override;

 private:
  // OK: the values of the controls, or the field that refuses them.
  std::optional<FieldError> TakeValues();

  FindDialogState& m_state;
  std::string m_typed;
  wxComboBox* m_text;
  wxRadioButton* m_all;
  wxRadioButton* m_current;
  wxCheckBox* m_title;
  wxCheckBox* m_url;
  wxCheckBox* m_admin;
  wxCheckBox* m_email;
  wxCheckBox* m_comment;
  wxCheckBox* m_keywords;
};

}  // namespace vesk
