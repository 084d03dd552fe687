#include "ui/link_sheet_dialog.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui/dialog_buttons.h"
#include "ui/link_pages.h"
#include "ui/sheet_keys.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

CLinkSheet::CLinkSheet(wxWindow* parent, CVeskSettings& settings, LinkFields& fields)
    : wxDialog(parent, wxID_ANY, Cp932ToWx(ResString(kIdsLinkSheetCaption))),
      m_fields(fields),
      m_values(LinkSheetValues::Load(fields)) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  m_book = new wxNotebook(this, wxID_ANY);
  m_page1 = new CLinkPage1(m_book, m_values);
  m_book->AddPage(m_page1, U8("リンク内容"), true);
  m_book->AddPage(new CLinkPage2(m_book, m_values), U8("コメント"));
  m_book->AddPage(new CLinkPage3(m_book, settings, m_values, *m_page1), U8("画像/更新日"));
  m_book->AddPage(new CLinkPage4(m_book), U8("キーワード"));
  top->Add(m_book, 1, wxEXPAND | wxALL, 10);
  AddOkCancelRow(*this, *top, "OK", [this] { return TakeValues(); });
  SetSizerAndFit(top);
  CentreOnParent();

  m_book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CLinkSheet::OnPageChanging, this);
  m_book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CLinkSheet::OnPageChanged, this);
  Bind(wxEVT_CHAR_HOOK, &CLinkSheet::OnCharHook, this);
  m_page1->FocusTitle();
  TraceUi("sheet", "open");
}

CLinkSheetPage* CLinkSheet::Page(int index) const {
  return static_cast<CLinkSheetPage*>(m_book->GetPage(static_cast<size_t>(index)));
}

std::optional<FieldError> CLinkSheet::TakeValues() {
  // The pages left before were checked and taken when they were left.
  const int current = m_book->GetSelection();
  if (current != wxNOT_FOUND) {
    if (auto error = Page(current)->Take(m_values)) return error;
  }
  m_values.Save(m_fields);
  TraceUi("sheet", "ok");
  return std::nullopt;
}

void CLinkSheet::OnPageChanging(wxBookCtrlEvent& event) {
  const int old = event.GetOldSelection();
  if (old == wxNOT_FOUND) return;
  if (auto error = Page(old)->Take(m_values)) {
    event.Veto();
    // The box waits until the tab control has finished with the click.
    CallAfter([this, error = *error] { ReportRefusedField(*this, error); });
  }
}

void CLinkSheet::OnPageChanged(wxBookCtrlEvent& event) {
  event.Skip();
  const int page = event.GetSelection();
  TraceUi("sheet-page", std::to_string(page));
  // Ctrl+PgDn from inside a page goes on inside the next page, as clicking a tab stays on the tabs.
  wxWindow* focus = FindFocus();
  if (page >= 0 && focus != nullptr && focus != m_book) Page(page)->SetFocus();
  if (page < 0 || page >= 4 || m_opened[page]) return;
  m_opened[page] = true;
  Page(page)->Open(m_values);
}

void CLinkSheet::OnCharHook(wxKeyEvent& event) {
  if (TurnSheetPage(*m_book, event)) return;
  const int key = event.GetKeyCode();
  if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER) {
    event.Skip();
    return;
  }
  // The comment and banner edits take Ctrl+Enter as a line break.
  wxWindow* focus = FindFocus();
  const int current = m_book->GetSelection();
  EnterInSheet(*this, event, focus,
               focus != nullptr && current != wxNOT_FOUND && Page(current)->TakesLineBreaks(focus));
}

}  // namespace vesk
