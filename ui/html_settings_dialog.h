// The HTML output settings dialog "HTML出力設定": template file, output folder, links per page
// and extension of the HTML pages.
#pragma once

#include <wx/dialog.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

#include <optional>

#include "document/dialog_rules.h"

namespace vesk {

struct FILEINFO;

class CHtmlSettingsDialog : public wxDialog {
 public:
  // Shows the values of info; OK checks and writes them back, Cancel leaves info as it was.
  CHtmlSettingsDialog(wxWindow* parent, FILEINFO& info);

 private:
  // OK: the values of the controls, or the field that refuses them.
  std::optional<FieldError> TakeValues();
  void OnBrowseTemplate(wxCommandEvent& event);
  void OnBrowseFolder(wxCommandEvent& event);
  void OnSpin(wxSpinEvent& event);

  FILEINFO& m_info;
  wxTextCtrl* m_template;
  wxTextCtrl* m_folder;
  wxTextCtrl* m_perPage;
  wxSpinButton* m_spin;
  wxTextCtrl* m_ext;
};

}  // namespace vesk
