// CSetupSheet: the settings sheet "環境設定" with its five pages.
#pragma once

#include <wx/dialog.h>

#include <optional>

#include "document/dialog_rules.h"
#include "ui/logic/settings_sheet.h"

class wxKeyEvent;
class wxNotebook;
class wxBookCtrlEvent;

namespace vesk {

class CSetupPage;

class CSetupSheet : public wxDialog {
 public:
  // Shows values on five pages; OK checks the page at hand and takes every opened page's
  // controls into values (a page never opened leaves its values as they were). Cancel changes
  // nothing.
  CSetupSheet(wxWindow* parent, SetupValues& values);

 private:
  static constexpr int kPages = 5;
  CSetupPage* Page(int index) const;
  std::optional<FieldError> TakeValues();
  void OnPageChanging(wxBookCtrlEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnCharHook(wxKeyEvent& event);

  SetupValues& m_result;
  SetupValues m_values;
  wxNotebook* m_book;
  bool m_opened[kPages] = {};
};

}  // namespace vesk
