// The About box "バージョン情報": program name, version, and a button to the project's web page.
#pragma once

#include <wx/dialog.h>

namespace vesk {

class CAboutDialog : public wxDialog {
 public:
  explicit CAboutDialog(wxWindow* parent);
  // Shows the box; when it ends through the web page button, opens that page.
  static void Run(wxWindow* parent);
};

}  // namespace vesk
