#include "ui/html_settings_dialog.h"

#include <wx/button.h>

#include <wx/filedlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <algorithm>

#include "document/dialog_rules.h"
#include "document/link_info.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui/dialog_buttons.h"
#include "ui/folder_picker.h"
#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

namespace vesk {

namespace {
constexpr int kMinLinks = 5;
constexpr int kMaxLinks = 99;
}  // namespace

CHtmlSettingsDialog::CHtmlSettingsDialog(wxWindow* parent, FILEINFO& info)
    : wxDialog(parent, wxID_ANY, U8("HTML出力設定")), m_info(info) {
  auto* top = new wxBoxSizer(wxVERTICAL);

  auto* source = new wxStaticBoxSizer(wxHORIZONTAL, this, U8("HTMLの元になるファイル"));
  m_template = new wxTextCtrl(source->GetStaticBox(), kHtmlTemplateField.control,
                              Cp932ToWx(info.m_strTemplate), wxDefaultPosition, wxSize(320, -1));
  source->Add(m_template, 1, wxALIGN_CENTER_VERTICAL | wxALL, 6);
  source->Add(new wxButton(source->GetStaticBox(), 1012, U8("参照...")), 0, wxALL, 6);
  top->Add(source, 0, wxEXPAND | wxALL, 10);

  auto* out = new wxStaticBoxSizer(wxVERTICAL, this, U8("出力するHTMLに付いて"));
  wxWindow* box = out->GetStaticBox();
  out->Add(new wxStaticText(box, wxID_ANY, U8("出力先フォルダ")), 0, wxLEFT | wxRIGHT | wxTOP, 6);
  auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
  m_folder = new wxTextCtrl(box, kHtmlFolderField.control, Cp932ToWx(info.m_strHtmlFolder));
  folderRow->Add(m_folder, 1, wxALIGN_CENTER_VERTICAL);
  folderRow->Add(new wxButton(box, 1013, U8("参照...")), 0, wxLEFT, 6);
  out->Add(folderRow, 0, wxEXPAND | wxALL, 6);

  auto* grid = new wxFlexGridSizer(2, 2, 4, 12);
  grid->Add(new wxStaticText(box, wxID_ANY, U8("1ページに表示するリンク数")), 0,
            wxALIGN_CENTER_VERTICAL);
  auto* spinRow = new wxBoxSizer(wxHORIZONTAL);
  m_perPage =
      new wxTextCtrl(box, kHtmlLinksPerPageControl, wxString::Format("%d", info.m_nLinksPerPage),
                     wxDefaultPosition, wxSize(60, -1));
  m_spin = new wxSpinButton(box, 1016, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
  m_spin->SetRange(kMinLinks, kMaxLinks);
  m_spin->SetValue(std::clamp(info.m_nLinksPerPage, kMinLinks, kMaxLinks));
  spinRow->Add(m_perPage, 0, wxALIGN_CENTER_VERTICAL);
  spinRow->Add(m_spin, 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(spinRow);
  grid->Add(new wxStaticText(box, wxID_ANY, U8("拡張子(html / htm 等)")), 0,
            wxALIGN_CENTER_VERTICAL);
  m_ext = new wxTextCtrl(box, kHtmlExtensionField.control, Cp932ToWx(info.m_strHtmlExt),
                         wxDefaultPosition, wxSize(80, -1));
  grid->Add(m_ext);
  out->Add(grid, 0, wxALL, 6);
  top->Add(out, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);

  AddOkCancelRow(*this, *top, "OK", [this] { return TakeValues(); });
  SetSizerAndFit(top);
  CentreOnParent();

  Bind(wxEVT_BUTTON, &CHtmlSettingsDialog::OnBrowseTemplate, this, 1012);
  Bind(wxEVT_BUTTON, &CHtmlSettingsDialog::OnBrowseFolder, this, 1013);
  m_spin->Bind(wxEVT_SPIN, &CHtmlSettingsDialog::OnSpin, this);
}

void CHtmlSettingsDialog::OnSpin(wxSpinEvent& event) {
  m_perPage->SetValue(wxString::Format("%d", event.GetPosition()));
}

void CHtmlSettingsDialog::OnBrowseTemplate(wxCommandEvent&) {
  wxFileDialog dialog(this, U8("開く"), wxEmptyString, wxEmptyString,
                      FilterToWildcard(ResString(kIdsHtmlFilter)),
                      wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (dialog.ShowModal() == wxID_OK) m_template->SetValue(dialog.GetPath());
}

void CHtmlSettingsDialog::OnBrowseFolder(wxCommandEvent&) {
  if (auto folder = CFolderPicker(this).Run()) m_folder->SetValue(FromPath(*folder));
}

std::optional<FieldError> CHtmlSettingsDialog::TakeValues() {
  FILEINFO fields = m_info;
  // Paths go into Shift_JIS fields only when they come back unchanged.
  for (auto [control, field] : {std::pair{m_template, &fields.m_strTemplate},
                                std::pair{m_folder, &fields.m_strHtmlFolder}}) {
    if (auto error = PathFieldError(*control, *field)) return error;
  }
  fields.m_strHtmlExt = WxToCp932(m_ext->GetValue());
  int links = 0;
  // The first refused field keeps the dialog open and takes the focus.
  if (auto error = CheckHtmlSettings(fields, WxToCp932(m_perPage->GetValue()), links)) return error;
  fields.m_nLinksPerPage = links;
  m_info = fields;
  return std::nullopt;
}

}  // namespace vesk
