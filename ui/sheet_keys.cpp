#include "ui/sheet_keys.h"

#include <wx/bookctrl.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/textctrl.h>

namespace vesk {

bool TurnSheetPage(wxBookCtrlBase& book, const wxKeyEvent& event) {
  const int key = event.GetKeyCode();
  if (!event.ControlDown() || (key != WXK_PAGEDOWN && key != WXK_PAGEUP && key != WXK_TAB))
    return false;
  book.AdvanceSelection(key == WXK_PAGEDOWN || (key == WXK_TAB && !event.ShiftDown()));
  return true;
}

void EnterInSheet(wxDialog& sheet, wxKeyEvent& event, wxWindow* focus, bool takesLineBreaks) {
  if (focus != nullptr && takesLineBreaks) {
    // Enter alone presses OK there too.
    if (event.ControlDown()) {
      static_cast<wxTextCtrl*>(focus)->WriteText("\n");
      return;
    }
  } else if (focus != nullptr && wxDynamicCast(focus, wxButton) != nullptr) {
    event.Skip();  // a button that has the focus is pressed by Enter
    return;
  }
  PressSheetOk(sheet);
}

void PressSheetOk(wxDialog& sheet) {
  wxCommandEvent click(wxEVT_BUTTON, wxID_OK);
  click.SetEventObject(sheet.FindWindow(wxID_OK));
  sheet.ProcessWindowEvent(click);
}

}  // namespace vesk
