// CLimitedTextCtrl: an edit whose text, as stored, stays within a number of Shift_JIS bytes.
#pragma once

#include <wx/textctrl.h>

#include <optional>
#include <string>

#include "document/dialog_rules.h"

namespace vesk {

// Typed or pasted text that would pass the limit, or that has no Shift_JIS form, is refused
// from the first character that does not fit (with a beep); a double-byte character is never
// split. Text put in by the program is taken whole, and the page's check on leaving refuses it
// when it is too long.
class CLimitedTextCtrl : public wxTextCtrl {
 public:
  CLimitedTextCtrl(wxWindow* parent, std::size_t limit, const std::string& cp932, long style = 0,
                   const wxSize& size = wxDefaultSize);

  // Replaces the text (Shift_JIS, line breaks CR LF or LF) without applying the limit.
  void SetCp932(const std::string& cp932);
  // The text as the field stores it: Shift_JIS, line breaks CR LF.
  std::string GetCp932() const;
  std::size_t Limit() const { return m_limit; }
  // Takes the text into field, or refuses it when it is longer than the limit (text the program
  // put in whole, or text the field already had).
  std::optional<FieldError> TakeText(std::string& field) const;

 private:
  void OnText(wxCommandEvent& event);

  std::size_t m_limit;
  wxString m_shown;  // the text last accepted, to find what an edit inserted
};

}  // namespace vesk
