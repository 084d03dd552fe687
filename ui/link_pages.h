// The four pages of the link property sheet: CLinkPage1 "リンク内容", CLinkPage2 "コメント",
// CLinkPage3 "画像/更新日" and CLinkPage4 "キーワード".
#pragma once

#include <wx/panel.h>

#include <optional>
#include <string>

#include "document/dialog_rules.h"
#include "ui/logic/link_sheet.h"

class wxCheckBox;
class wxCheckListBox;
class wxChoice;
class wxSpinButton;
class wxStaticBoxSizer;
class wxStaticText;
class wxTextCtrl;

namespace vesk {

class CLimitedTextCtrl;
class CVeskSettings;

// One page of the sheet.
class CLinkSheetPage : public wxPanel {
 public:
  using wxPanel::wxPanel;
  // Checks the page's fields and takes them into values; the refused field otherwise.
  virtual std::optional<FieldError> Take(LinkSheetValues& values) const = 0;
  // The page is shown for the first time.
  virtual void Open(LinkSheetValues& /*values*/) {}
  // Whether Ctrl+Enter types a line break in window (Enter alone presses OK everywhere).
  virtual bool TakesLineBreaks(const wxWindow* /*window*/) const { return false; }
};

// Page 1 (dialog 206): title, URL, web administrator and e-mail.
class CLinkPage1 : public CLinkSheetPage {
 public:
  CLinkPage1(wxWindow* parent, const LinkSheetValues& values);
  std::optional<FieldError> Take(LinkSheetValues& values) const override;
  // The title as it stands in its edit (Shift_JIS); the banner templates use it.
  std::string Title() const;
  void FocusTitle();

 private:
  CLimitedTextCtrl* m_title;
  CLimitedTextCtrl* m_url;
  CLimitedTextCtrl* m_admin;
  CLimitedTextCtrl* m_email;
};

// Page 2 (dialog 207): the comment.
class CLinkPage2 : public CLinkSheetPage {
 public:
  CLinkPage2(wxWindow* parent, const LinkSheetValues& values);
  std::optional<FieldError> Take(LinkSheetValues& values) const override;
  bool TakesLineBreaks(const wxWindow* window) const override;

 private:
  CLimitedTextCtrl* m_comment;
};

// Page 3 (dialog 208): banner with its templates and image button, mark with its preview,
// update date with its spin buttons and "今日".
class CLinkPage3 : public CLinkSheetPage {
 public:
  CLinkPage3(wxWindow* parent, CVeskSettings& settings, const LinkSheetValues& values,
             const CLinkPage1& page1);
  std::optional<FieldError> Take(LinkSheetValues& values) const override;
  bool TakesLineBreaks(const wxWindow* window) const override;

 private:
  void AddDateField(wxStaticBoxSizer& row, int index, int value, int min, int max,
                    const char* label);
  void OnTemplate(int n);
  void OnImage();
  void OnToday();
  void ShowMarkPreview();

  CVeskSettings& m_settings;
  const CLinkPage1& m_page1;
  std::string m_bannerBase;
  int m_loadedMark;
  CLimitedTextCtrl* m_banner;
  wxChoice* m_mark;
  wxStaticText* m_markPreview;
  wxTextCtrl* m_date[3] = {};
  wxSpinButton* m_spin[3] = {};
};

// Page 4 (dialog 209): search-target check boxes, genre check list and the four keywords. Its
// controls are filled when it is first shown; until then the link's values stay as loaded.
class CLinkPage4 : public CLinkSheetPage {
 public:
  explicit CLinkPage4(wxWindow* parent);
  void Open(LinkSheetValues& values) override;
  std::optional<FieldError> Take(LinkSheetValues& values) const override;

 private:
  wxCheckBox* m_boxes[5] = {};
  wxCheckListBox* m_genres;
  CLimitedTextCtrl* m_keywords[kKeywordEdits] = {};
};

}  // namespace vesk
