// The five pages of the settings sheet "環境設定": CSetupPage1 "ファイル", CSetupPage2 "バナー",
// CSetupPage3 "マーク", CSetupPage4 "キーワード/カラム" and CSetupPage5 "その他".
#pragma once

#include <wx/panel.h>

#include <optional>
#include <vector>

#include "document/dialog_rules.h"
#include "ui/logic/settings_sheet.h"

class wxCheckBox;
class wxCheckListBox;
class wxRadioButton;
class wxTextCtrl;

namespace vesk {

class CLimitedTextCtrl;

// One page of the sheet. Its controls are filled when it is first shown; a page never shown
// leaves the values as they were read.
class CSetupPage : public wxPanel {
 public:
  using wxPanel::wxPanel;
  // The page is shown for the first time: its controls take the values.
  virtual void Open(const SetupValues& values) = 0;
  // Checks the page's fields and takes them into values; the refused field otherwise.
  virtual std::optional<FieldError> Take(SetupValues& values) = 0;
  // Whether Ctrl+Enter types a line break in window (Enter alone presses OK elsewhere).
  virtual bool TakesLineBreaks(const wxWindow* /*window*/) const { return false; }
  // Whether Enter and Escape belong to window (the genre edit) instead of the sheet's buttons.
  virtual bool OwnsEnter(const wxWindow* /*window*/) const { return false; }
  // Enter in a window that owns it.
  virtual void OnEnter() {}
};

// Page 1 (dialog 210): comment tags, automatic file names, the search program with its browse
// button, and the Favorites folder with its folder browse button.
class CSetupPage1 : public CSetupPage {
 public:
  explicit CSetupPage1(wxWindow* parent);
  void Open(const SetupValues& values) override;
  std::optional<FieldError> Take(SetupValues& values) override;

 private:
  void OnBrowseProgram();
  void OnBrowseFavorites();

  wxCheckBox* m_tag;
  wxCheckBox* m_auto;
  CLimitedTextCtrl* m_program;
  wxTextCtrl* m_favorites;
};

// Page 2 (dialog 211): the three banner templates.
class CSetupPage2 : public CSetupPage {
 public:
  explicit CSetupPage2(wxWindow* parent);
  void Open(const SetupValues& values) override;
  std::optional<FieldError> Take(SetupValues& values) override;
  bool TakesLineBreaks(const wxWindow* window) const override;

 private:
  CLimitedTextCtrl* m_templates[3] = {};
};

// Page 3 (dialog 212): the texts of the three marks.
class CSetupPage3 : public CSetupPage {
 public:
  explicit CSetupPage3(wxWindow* parent);
  void Open(const SetupValues& values) override;
  std::optional<FieldError> Take(SetupValues& values) override;

 private:
  CLimitedTextCtrl* m_marks[3] = {};
};

// Page 4 (dialog 214): search targets of new links, the genre list and the list columns.
class CSetupPage4 : public CSetupPage {
 public:
  explicit CSetupPage4(wxWindow* parent);
  void Open(const SetupValues& values) override;
  std::optional<FieldError> Take(SetupValues& values) override;
  bool OwnsEnter(const wxWindow* window) const override;
  void OnEnter() override { RegisterTyped(); }

 private:
  void RegisterTyped();
  void DeleteTicked();
  void PullTicks();
  void ShowGenres();
  void TraceGenres() const;

  SetupPage4State m_state;
  wxCheckBox* m_boxes[5] = {};
  CLimitedTextCtrl* m_genreEdit;
  wxCheckListBox* m_genres;
  wxCheckBox* m_grid;
  wxCheckListBox* m_columns;
};

// Page 5 (dialog 213): start-up document, where new links go, and what a double click does.
class CSetupPage5 : public CSetupPage {
 public:
  explicit CSetupPage5(wxWindow* parent);
  void Open(const SetupValues& values) override;
  std::optional<FieldError> Take(SetupValues& values) override;

 private:
  wxCheckBox* m_open;
  wxRadioButton* m_top;
  wxRadioButton* m_end;
  wxCheckBox* m_userAgent;
};

}  // namespace vesk
