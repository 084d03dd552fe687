#include "ui/limited_text_ctrl.h"

#include <wx/utils.h>

#include "ui/logic/link_sheet.h"
#include "ui/wx_text.h"

namespace vesk {

namespace {

// The control's line breaks are LF; the field's are CR LF.
wxString ToControl(const std::string& cp932) {
  wxString text = Cp932ToWx(cp932);
  text.Replace("\r\n", "\n");
  return text;
}

}  // namespace

CLimitedTextCtrl::CLimitedTextCtrl(wxWindow* parent, std::size_t limit, const std::string& cp932,
                                   long style, const wxSize& size)
    : wxTextCtrl(parent, wxID_ANY, ToControl(cp932), wxDefaultPosition, size, style),
      m_limit(limit),
      m_shown(GetValue()) {
  Bind(wxEVT_TEXT, &CLimitedTextCtrl::OnText, this);
}

void CLimitedTextCtrl::SetCp932(const std::string& cp932) {
  ChangeValue(ToControl(cp932));
  m_shown = GetValue();
}

std::string CLimitedTextCtrl::GetCp932() const {
  wxString text = GetValue();
  text.Replace("\n", "\r\n");
  return WxToCp932(text);
}

void CLimitedTextCtrl::OnText(wxCommandEvent& event) {
  event.Skip();
  const wxString now = GetValue();
  if (now == m_shown) return;
  // What the edit inserted lies between the start and the end that both texts share.
  const std::size_t n = now.length();
  const std::size_t o = m_shown.length();
  std::size_t head = 0;
  while (head < n && head < o && now[head] == m_shown[head]) ++head;
  std::size_t tail = 0;
  while (tail < n - head && tail < o - head && now[n - 1 - tail] == m_shown[o - 1 - tail]) ++tail;
  const wxString inserted = now.Mid(head, n - head - tail);
  const wxString before = now.Left(head);
  const wxString after = now.Right(tail);
  const std::string typed = inserted.utf8_string();
  const std::string kept =
      KeepTypedText(FieldBytes((before + after).utf8_string()), typed, m_limit);
  if (kept.size() != typed.size()) {
    const wxString keptText = wxString::FromUTF8(kept);
    ChangeValue(before + keptText + after);
    SetInsertionPoint(static_cast<long>(head + keptText.length()));
    wxBell();
  }
  m_shown = GetValue();
}

std::optional<FieldError> CLimitedTextCtrl::TakeText(std::string& field) const {
  std::string text = GetCp932();
  if (auto message = CheckTextLimit(text, m_limit)) return FieldError{GetId(), *message};
  field = std::move(text);
  return std::nullopt;
}

}  // namespace vesk
