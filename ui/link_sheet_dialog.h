// CLinkSheet: the link property sheet "リンク先の情報", in which one link is edited.
#pragma once

#include <wx/dialog.h>

#include <optional>

#include "document/dialog_rules.h"
#include "document/user_interface.h"
#include "ui/logic/link_sheet.h"

class wxKeyEvent;
class wxNotebook;
class wxBookCtrlEvent;

namespace vesk {

class CLinkSheetPage;
class CLinkPage1;
class CVeskSettings;

class CLinkSheet : public wxDialog {
 public:
  // Shows fields on four pages; OK checks the page at hand and writes every value back into
  // fields (a page never opened gives back what it was loaded with). Cancel changes nothing.
  CLinkSheet(wxWindow* parent, CVeskSettings& settings, LinkFields& fields);

 private:
  CLinkSheetPage* Page(int index) const;
  std::optional<FieldError> TakeValues();
  void OnPageChanging(wxBookCtrlEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnCharHook(wxKeyEvent& event);

  LinkFields& m_fields;
  LinkSheetValues m_values;
  wxNotebook* m_book;
  CLinkPage1* m_page1;
  bool m_opened[4] = {true, false, false, false};
};

}  // namespace vesk
