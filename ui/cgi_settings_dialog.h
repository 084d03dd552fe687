// The CGI output settings dialog "CGI出力設定": file name base, extension, search file name and
// output folder of the document.
#pragma once

#include <wx/dialog.h>
#include <wx/textctrl.h>

#include <optional>

#include "document/dialog_rules.h"

namespace vesk {

struct FILEINFO;

class CCgiSettingsDialog : public wxDialog {
 public:
  // Shows the values of info; OK writes them back, Cancel leaves info as it was.
  CCgiSettingsDialog(wxWindow* parent, FILEINFO& info);

 private:
  // OK: the values of the controls, or the field that refuses them.
  std::optional<FieldError> TakeValues();
  void OnBrowse(wxCommandEvent& event);

  FILEINFO& m_info;
  wxTextCtrl* m_name;
  wxTextCtrl* m_ext;
  wxTextCtrl* m_search;
  wxTextCtrl* m_folder;
};

}  // namespace vesk
