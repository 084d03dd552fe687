#include "ui/output_result_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/wx_text.h"

namespace vesk {

COutputResultDialog::COutputResultDialog(wxWindow* parent, const std::string& changed)
    : wxDialog(parent, wxID_ANY, U8("出力結果")) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, U8("以下のファイルが作成/変更されました。")), 0, wxALL,
           10);
  // The control keeps its own line ends; the list's CR LF would show as extra marks.
  wxString text = FromPath(changed);  // full paths, the file system's bytes
  text.Replace("\r\n", "\n");
  auto* edit = new wxTextCtrl(this, wxID_ANY, text, wxDefaultPosition, wxSize(276, 168),
                              wxTE_MULTILINE | wxTE_READONLY | wxVSCROLL | wxTE_DONTWRAP);
  top->Add(edit, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);
  auto* ok = new wxButton(this, wxID_OK, "OK");
  ok->SetDefault();
  top->Add(ok, 0, wxALIGN_CENTER | wxALL, 10);
  SetEscapeId(wxID_OK);
  // Enter closes the list wherever the focus is: a multi-line control of its own would keep the
  // key on Windows, though it takes no input here.
  Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER)
      EndModal(wxID_OK);
    else
      event.Skip();
  });
  SetSizerAndFit(top);
  CentreOnParent();
}

}  // namespace vesk
