#include "ui/find_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "document/dialog_rules.h"
#include "document/find_history.h"
#include "ui/dialog_buttons.h"
#include "ui/wx_text.h"

namespace vesk {

CFindDialog::CFindDialog(wxWindow* parent, FindDialogState& state)
    : wxDialog(parent, wxID_ANY, U8("リンク先検索")), m_state(state) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, U8("検索する文字列 :")), 0,
           wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
  m_text = new wxComboBox(this, kFindTextField.control, wxEmptyString, wxDefaultPosition,
                          wxSize(280, -1));
  for (const auto& word : HistoryEntries(state.history)) m_text->Append(Cp932ToWx(word));
  m_text->SetMaxLength(kFindFieldLimit);
  row->Add(m_text, 1, wxALIGN_CENTER_VERTICAL);
  top->Add(row, 0, wxEXPAND | wxALL, 10);

  auto* groups = new wxBoxSizer(wxHORIZONTAL);
  auto* scope = new wxStaticBoxSizer(wxVERTICAL, this, U8("検索するカテゴリー"));
  m_all = new wxRadioButton(scope->GetStaticBox(), 1025, U8("全てのカテゴリー"), wxDefaultPosition,
                            wxDefaultSize, wxRB_GROUP);
  m_current = new wxRadioButton(scope->GetStaticBox(), 1026, U8("現在のカテゴリー"));
  scope->Add(m_all, 0, wxALL, 4);
  scope->Add(m_current, 0, wxALL, 4);
  groups->Add(scope, 0, wxEXPAND | wxRIGHT, 10);

  auto* fields = new wxStaticBoxSizer(wxVERTICAL, this, U8("検索対象"));
  auto* grid = new wxGridSizer(3, 2, 4, 12);
  wxWindow* box = fields->GetStaticBox();
  m_title = new wxCheckBox(box, 1019, U8("webページの題名"));
  m_url = new wxCheckBox(box, 1020, "URL");
  m_admin = new wxCheckBox(box, 1021, U8("web管理者"));
  m_email = new wxCheckBox(box, 1022, "E-mail");
  m_comment = new wxCheckBox(box, 1023, U8("コメント"));
  m_keywords = new wxCheckBox(box, 1024, U8("キーワード"));
  for (wxCheckBox* c : {m_title, m_url, m_admin, m_email, m_comment, m_keywords}) grid->Add(c);
  fields->Add(grid, 0, wxALL, 4);
  groups->Add(fields, 1, wxEXPAND);
  top->Add(groups, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);

  AddOkCancelRow(*this, *top, U8("検索"), [this] { return TakeValues(); });
  SetSizerAndFit(top);
  CentreOnParent();

  const FindControls controls = ControlsFromMode(state.mode);
  m_current->SetValue(controls.currentCategory);
  m_all->SetValue(!controls.currentCategory);
  m_title->SetValue(controls.title);
  m_url->SetValue(controls.url);
  m_admin->SetValue(controls.admin);
  m_email->SetValue(controls.email);
  m_comment->SetValue(controls.comment);
  m_keywords->SetValue(controls.keywords);
  m_text->SetFocus();
}

std::optional<FieldError> CFindDialog::TakeValues() {
  const std::string text = WxToCp932(m_text->GetValue());
  if (auto error = CheckFindText(text)) return error;
  m_typed = text;
  return std::nullopt;
}

int CFindDialog::ShowModal() {
  m_typed.clear();
  const int result = wxDialog::ShowModal();
  // The history and the mode are taken from the controls however the window closed.
  FindControls controls;
  controls.currentCategory = m_current->GetValue();
  controls.title = m_title->GetValue();
  controls.url = m_url->GetValue();
  controls.admin = m_admin->GetValue();
  controls.email = m_email->GetValue();
  controls.comment = m_comment->GetValue();
  controls.keywords = m_keywords->GetValue();
  std::vector<std::string> shown;
  for (unsigned i = 0; i < m_text->GetCount(); ++i)
    shown.push_back(WxToCp932(m_text->GetString(i)));
  const FindDialogOutcome outcome = CloseFindDialog(m_typed, JoinHistory(shown), controls);
  m_state.text = m_typed;
  m_state.history = outcome.words;
  m_state.mode = outcome.mode;
  return result;
}

}  // namespace vesk
