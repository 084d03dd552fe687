#include "ui/favorites_dialog.h"

#include <wx/dialog.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include "ui/dialog_buttons.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

std::optional<int> RunFavoritesExportDialog(wxWindow* parent) {
  static const char* const kChoices[] = {
      "Kestrelnest フォルダの生成のみ",
      "Top Categoryのツリーの情報を出力する",
      "作業箱のツリーの情報を出力する",
      "選択しているカテゴリーのみ",
  };
  wxDialog dialog(parent, wxID_ANY, U8("お気に入りへ出力"));
  auto* top = new wxBoxSizer(wxVERTICAL);
  auto* group = new wxStaticBoxSizer(wxVERTICAL, &dialog, U8("お気に入りへの出力方法"));
  wxRadioButton* buttons[4] = {};
  for (int k = 0; k < 4; ++k) {
    buttons[k] = new wxRadioButton(group->GetStaticBox(), 1025 + k, U8(kChoices[k]),
                                   wxDefaultPosition, wxDefaultSize, k == 0 ? wxRB_GROUP : 0);
    group->Add(buttons[k], 0, wxALL, 5);
  }
  buttons[0]->SetValue(true);
  top->Add(group, 0, wxEXPAND | wxALL, 10);
  AddOkCancelRow(dialog, *top, "OK", [] { return std::optional<FieldError>(); });
  dialog.SetSizerAndFit(top);
  dialog.CentreOnParent();
  buttons[0]->SetFocus();
  TraceUi("favorites_dialog", "shown");
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  for (int k = 0; k < 4; ++k) {
    if (buttons[k]->GetValue()) return k;
  }
  return 0;
}

}  // namespace vesk
