#include "ui/setup_sheet.h"

#include <wx/button.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui/dialog_buttons.h"
#include "ui/setup_pages.h"
#include "ui/sheet_keys.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {

CSetupSheet::CSetupSheet(wxWindow* parent, SetupValues& values)
    : wxDialog(parent, wxID_ANY, Cp932ToWx(ResString(kIdsSetupCaption))),
      m_result(values),
      m_values(values) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  m_book = new wxNotebook(this, wxID_ANY);
  m_book->AddPage(new CSetupPage1(m_book), U8("ファイル"), true);
  m_book->AddPage(new CSetupPage2(m_book), U8("バナー"));
  m_book->AddPage(new CSetupPage3(m_book), U8("マーク"));
  m_book->AddPage(new CSetupPage4(m_book), U8("キーワード/カラム"));
  m_book->AddPage(new CSetupPage5(m_book), U8("その他"));
  top->Add(m_book, 1, wxEXPAND | wxALL, 10);
  AddOkCancelRow(*this, *top, "OK", [this] { return TakeValues(); });
  SetSizerAndFit(top);
  CentreOnParent();

  m_opened[0] = true;
  Page(0)->Open(m_values);
  Page(0)->SetFocus();
  m_book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &CSetupSheet::OnPageChanging, this);
  m_book->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &CSetupSheet::OnPageChanged, this);
  Bind(wxEVT_CHAR_HOOK, &CSetupSheet::OnCharHook, this);
  TraceUi("setup", "open");
}

CSetupPage* CSetupSheet::Page(int index) const {
  return static_cast<CSetupPage*>(m_book->GetPage(static_cast<size_t>(index)));
}

std::optional<FieldError> CSetupSheet::TakeValues() {
  // The pages left before were checked and taken when they were left.
  const int current = m_book->GetSelection();
  if (current != wxNOT_FOUND && m_opened[current]) {
    if (auto error = Page(current)->Take(m_values)) return error;
  }
  m_result = m_values;
  TraceUi("setup", "ok");
  return std::nullopt;
}

void CSetupSheet::OnPageChanging(wxBookCtrlEvent& event) {
  const int old = event.GetOldSelection();
  if (old == wxNOT_FOUND || !m_opened[old]) return;
  if (auto error = Page(old)->Take(m_values)) {
    event.Veto();
    // The box waits until the tab control has finished with the click.
    CallAfter([this, error = *error] { ReportRefusedField(*this, error); });
  }
}

void CSetupSheet::OnPageChanged(wxBookCtrlEvent& event) {
  event.Skip();
  const int page = event.GetSelection();
  if (page < 0 || page >= kPages) return;
  // Ctrl+PgDn from inside a page goes on inside the next page.
  wxWindow* focus = FindFocus();
  if (focus != nullptr && focus != m_book) Page(page)->SetFocus();
  if (!m_opened[page]) {
    m_opened[page] = true;
    Page(page)->Open(m_values);
  }
  TraceUi("setup-page", std::to_string(page));
}

void CSetupSheet::OnCharHook(wxKeyEvent& event) {
  if (TurnSheetPage(*m_book, event)) return;
  const int key = event.GetKeyCode();
  const bool enter = key == WXK_RETURN || key == WXK_NUMPAD_ENTER;
  if (!enter && key != WXK_ESCAPE) {
    event.Skip();
    return;
  }
  wxWindow* focus = FindFocus();
  const int current = m_book->GetSelection();
  CSetupPage* page = current != wxNOT_FOUND ? Page(current) : nullptr;
  if (page != nullptr && focus != nullptr && page->OwnsEnter(focus)) {
    // In the genre edit Enter registers the genre and Escape does not close the sheet. The
    // register may show a box: it waits until the key has been handled.
    if (enter) CallAfter([page] { page->OnEnter(); });
    return;
  }
  if (!enter) {
    event.Skip();
    return;
  }
  EnterInSheet(*this, event, focus,
               page != nullptr && focus != nullptr && page->TakesLineBreaks(focus));
}

}  // namespace vesk
