#include "ui/cgi_settings_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "document/link_info.h"
#include "ui/dialog_buttons.h"
#include "ui/folder_picker.h"
#include "ui/wx_text.h"
#include "ui/wx_user_interface.h"

namespace vesk {

CCgiSettingsDialog::CCgiSettingsDialog(wxWindow* parent, FILEINFO& info)
    : wxDialog(parent, wxID_ANY, U8("CGI出力設定")), m_info(info) {
  auto* top = new wxBoxSizer(wxVERTICAL);

  auto* shared = new wxStaticBoxSizer(wxVERTICAL, this, U8("CGI / HTML共用"));
  auto* sharedGrid = new wxFlexGridSizer(2, 3, 4, 8);
  sharedGrid->AddGrowableCol(0);
  sharedGrid->Add(new wxStaticText(shared->GetStaticBox(), wxID_ANY,
                                   U8("ファイル名 (自動で連番が付きます。)")));
  sharedGrid->Add(new wxStaticText(shared->GetStaticBox(), wxID_ANY, U8("連番")));
  sharedGrid->Add(new wxStaticText(shared->GetStaticBox(), wxID_ANY, U8("拡張子")));
  m_name = new wxTextCtrl(shared->GetStaticBox(), 1000, Cp932ToWx(info.m_strCgiName));
  m_ext = new wxTextCtrl(shared->GetStaticBox(), 1001, Cp932ToWx(info.m_strCgiExt),
                         wxDefaultPosition, wxSize(80, -1));
  sharedGrid->Add(m_name, 1, wxEXPAND);
  sharedGrid->Add(new wxStaticText(shared->GetStaticBox(), wxID_ANY, "0."), 0,
                  wxALIGN_CENTER_VERTICAL);
  sharedGrid->Add(m_ext);
  shared->Add(sharedGrid, 1, wxEXPAND | wxALL, 6);
  top->Add(shared, 0, wxEXPAND | wxALL, 10);

  auto* cgi = new wxStaticBoxSizer(wxVERTICAL, this, U8("CGI用データの設定"));
  cgi->Add(new wxStaticText(cgi->GetStaticBox(), wxID_ANY,
                            U8("Kestrelnest CGI 用 検索ファイル名 (ファイル名のみ)")),
           0, wxLEFT | wxRIGHT | wxTOP, 6);
  m_search = new wxTextCtrl(cgi->GetStaticBox(), 1002, Cp932ToWx(info.m_strSearchFile));
  cgi->Add(m_search, 0, wxEXPAND | wxALL, 6);
  cgi->Add(new wxStaticText(cgi->GetStaticBox(), wxID_ANY,
                            U8("出力先フォルダ (空白の場合 kndファイルと同じフォルダ)")),
           0, wxLEFT | wxRIGHT, 6);
  auto* folderRow = new wxBoxSizer(wxHORIZONTAL);
  m_folder = new wxTextCtrl(cgi->GetStaticBox(), 1003, Cp932ToWx(info.m_strCgiFolder),
                            wxDefaultPosition, wxSize(320, -1));
  folderRow->Add(m_folder, 1, wxALIGN_CENTER_VERTICAL);
  folderRow->Add(new wxButton(cgi->GetStaticBox(), 1012, U8("参照...")), 0, wxLEFT, 6);
  cgi->Add(folderRow, 0, wxEXPAND | wxALL, 6);
  top->Add(cgi, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);

  AddOkCancelRow(*this, *top, "OK", [this] { return TakeValues(); });
  SetSizerAndFit(top);
  CentreOnParent();

  Bind(wxEVT_BUTTON, &CCgiSettingsDialog::OnBrowse, this, 1012);
}

void CCgiSettingsDialog::OnBrowse(wxCommandEvent&) {
  if (auto folder = CFolderPicker(this).Run()) m_folder->SetValue(FromPath(*folder));
}

std::optional<FieldError> CCgiSettingsDialog::TakeValues() {
  // No field of this dialog has a length limit. The folder goes into its Shift_JIS field only
  // when it comes back unchanged.
  std::string folder;
  if (auto error = PathFieldError(*m_folder, folder)) return error;
  m_info.m_strCgiFolder = folder;
  m_info.m_strCgiName = WxToCp932(m_name->GetValue());
  m_info.m_strCgiExt = WxToCp932(m_ext->GetValue());
  m_info.m_strSearchFile = WxToCp932(m_search->GetValue());
  return std::nullopt;
}

}  // namespace vesk
