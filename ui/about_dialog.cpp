#include "ui/about_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/utils.h>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui/app_icon.h"
#include "ui/wx_text.h"

namespace vesk {

namespace {}  // namespace

CAboutDialog::CAboutDialog(wxWindow* parent) : wxDialog(parent, wxID_ANY, U8("バージョン情報")) {
  auto* top = new wxBoxSizer(wxHORIZONTAL);
  auto* icon = new wxStaticBitmap(this, wxID_ANY, AppIconBitmap(32));
  top->Add(icon, 0, wxALL, 12);
  auto* lines = new wxBoxSizer(wxVERTICAL);
  lines->Add(new wxStaticText(this, wxID_ANY, Cp932ToWx(ResString(kIdsAppTitle))), 0, wxBOTTOM, 4);
  lines->Add(new wxStaticText(this, wxID_ANY, "vesk Version 3.3.0"), 0, wxBOTTOM, 4);
  lines->Add(new wxStaticText(this, wxID_ANY, wxString("build ") + VESK_VERSION), 0, wxBOTTOM, 8);
  // The web page button takes the OK role, the "OK" button the Cancel role.
  auto* web = new wxButton(this, wxID_OK, Cp932ToWx(ResString(kIdsWebPage)));
  lines->Add(web, 0, wxBOTTOM, 4);
  top->Add(lines, 1, wxTOP | wxBOTTOM, 12);
  auto* ok = new wxButton(this, wxID_CANCEL, "OK");
  ok->SetDefault();
  ok->SetFocus();
  top->Add(ok, 0, wxALL, 12);
  SetEscapeId(wxID_CANCEL);
  SetSizerAndFit(top);
  CentreOnParent();
}

void CAboutDialog::Run(wxWindow* parent) {
  CAboutDialog dialog(parent);
  if (dialog.ShowModal() == wxID_OK) wxLaunchDefaultBrowser(Cp932ToWx(ResString(kIdsWebPage)));
}

}  // namespace vesk
