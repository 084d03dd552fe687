// The output result dialog "出力結果": the list of files an output created or changed.
#pragma once

#include <wx/dialog.h>

#include <string>

namespace vesk {

class COutputResultDialog : public wxDialog {
 public:
  // changed: the paths (Shift_JIS), each followed by CR LF.
  COutputResultDialog(wxWindow* parent, const std::string& changed);
};

}  // namespace vesk
