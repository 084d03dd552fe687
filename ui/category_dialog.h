// The category information dialog "カテゴリー情報": name, file name and comment of a category.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include <optional>

#include "document/dialog_rules.h"
#include "document/user_interface.h"

namespace vesk {

class CCategoryDialog : public wxDialog {
 public:
  // Shows fields; OK checks the limits and writes them back.
  CCategoryDialog(wxWindow* parent, CategoryFields& fields);

 private:
  // OK: the values of the controls, or the field that refuses them.
  std::optional<FieldError> TakeValues();

  CategoryFields& m_fields;
  wxTextCtrl* m_title;
  wxTextCtrl* m_fileName;
  wxTextCtrl* m_comment;
};

}  // namespace vesk
