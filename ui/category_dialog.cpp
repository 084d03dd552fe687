#include "ui/category_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "document/dialog_rules.h"
#include "ui/dialog_buttons.h"
#include "ui/wx_text.h"

namespace vesk {

CCategoryDialog::CCategoryDialog(wxWindow* parent, CategoryFields& fields)
    : wxDialog(parent, wxID_ANY, U8("カテゴリー情報")), m_fields(fields) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, U8("カテゴリー名")), 0, wxLEFT | wxRIGHT | wxTOP, 10);
  m_title = new wxTextCtrl(this, kCategoryNameField.control, Cp932ToWx(fields.title),
                           wxDefaultPosition, wxSize(360, -1));
  top->Add(m_title, 0, wxEXPAND | wxALL, 10);
  top->Add(new wxStaticText(this, wxID_ANY,
                            U8("ファイル名 (空白時は自動的にファイル名が生成されます。)")),
           0, wxLEFT | wxRIGHT, 10);
  m_fileName = new wxTextCtrl(this, kCategoryFileNameField.control, Cp932ToWx(fields.fileName));
  m_fileName->Enable(fields.fileNameEnabled);
  top->Add(m_fileName, 0, wxEXPAND | wxALL, 10);
  top->Add(new wxStaticText(this, wxID_ANY, U8("このカテゴリーのコメント")), 0, wxLEFT | wxRIGHT,
           10);
  wxString comment = Cp932ToWx(fields.comment);
  comment.Replace("\r\n", "\n");
  m_comment = new wxTextCtrl(this, kCategoryCommentField.control, comment, wxDefaultPosition,
                             wxSize(-1, 90), wxTE_MULTILINE);
  top->Add(m_comment, 1, wxEXPAND | wxALL, 10);
  AddOkCancelRow(*this, *top, "OK", [this] { return TakeValues(); });
  SetSizerAndFit(top);
  CentreOnParent();
  m_title->SetFocus();
  m_title->SelectAll();
}

std::optional<FieldError> CCategoryDialog::TakeValues() {
  CategoryFields fields = m_fields;
  fields.title = WxToCp932(m_title->GetValue());
  fields.fileName = WxToCp932(m_fileName->GetValue());
  // The control's line ends are LF; the record keeps CR LF as the other dialogs write it.
  wxString comment = m_comment->GetValue();
  comment.Replace("\n", "\r\n");
  fields.comment = WxToCp932(comment);
  if (auto error = CheckCategoryFields(fields)) return error;
  m_fields = fields;
  return std::nullopt;
}

}  // namespace vesk
