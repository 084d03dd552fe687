// The keys both property sheets share: turning pages and Enter.
#pragma once

class wxBookCtrlBase;
class wxDialog;
class wxKeyEvent;
class wxWindow;

namespace vesk {

// Ctrl+PgDn / Ctrl+Tab and back turn the pages wherever the focus is, the multi-line edits
// included; true when the key did so.
bool TurnSheetPage(wxBookCtrlBase& book, const wxKeyEvent& event);

// Enter in a sheet: Ctrl+Enter in an edit that takes line breaks types one, a focused button is
// pressed by it, anything else presses OK.
void EnterInSheet(wxDialog& sheet, wxKeyEvent& event, wxWindow* focus, bool takesLineBreaks);

// Presses the sheet's OK button as a click would.
void PressSheetOk(wxDialog& sheet);

}  // namespace vesk
