// CWxUserInterface: the document's way to the user in the desktop program (message boxes,
// beeps, file choosers and the document dialogs).
#pragma once

#include <wx/textctrl.h>
#include <wx/window.h>

#include <functional>
#include <memory>
#include <optional>

#include "document/dialog_rules.h"
#include "document/user_interface.h"
#include "ui/step_progress_dialog.h"

namespace vesk {

// A message box with the program's caption; text is Shift_JIS.
MbResult ShowMessageBox(wxWindow* owner, const std::string& text, MbButtons buttons, MbIcon icon,
                        const std::string& caption = {});

// A path typed or picked into control for a Shift_JIS field of the document, in field; the
// refusal naming the path when it holds a character Shift_JIS cannot hold, so no damaged path
// is ever stored.
std::optional<FieldError> PathFieldError(const wxTextCtrl& control, std::string& field);

// The toolkit's wildcard for a filter in the "text|pattern|...||" form.
wxString FilterToWildcard(const std::string& filter);

class CVeskSettings;

class CWxUserInterface : public IUserInterface {
 public:
  // owner gives the window that owns the boxes (null before the main window exists); settings
  // give the link sheet its mark texts and banner templates.
  CWxUserInterface(CVeskSettings& settings, std::function<wxWindow*()> owner)
      : m_settings(settings), m_owner(std::move(owner)) {}

  MbResult MessageBox(const std::string& text, MbButtons buttons, MbIcon icon) override;
  MbResult CaptionedMessageBox(const std::string& text, const std::string& caption,
                               MbButtons buttons, MbIcon icon) override;
  void Beep() override;
  bool EditCategory(CategoryFields& fields) override;
  bool RunFindDialog(FindDialogState& state) override;
  bool EditCgiSettings(FILEINFO& info) override;
  bool EditHtmlSettings(FILEINFO& info) override;
  bool EditLink(LinkFields& fields) override;
  // The settings sheet "環境設定": reads the values it shows, writes them back on OK.
  bool RunSettingsSheet() override;
  std::optional<std::string> AskSavePath(const std::string& proposed,
                                         const std::string& filter) override;
  std::optional<std::string> AskOpenPath(const std::string& filter) override;
  void ShowOutputResult(const std::string& changed) override;
  // The document's long steps, in a dialog once they last.
  void BeginProgress(ProgressStep step, std::size_t total, bool cancellable) override;
  bool StepProgress(std::size_t done) override;
  void EndProgress() override;

 private:
  wxWindow* Owner() const { return m_owner ? m_owner() : nullptr; }
  CVeskSettings& m_settings;
  std::function<wxWindow*()> m_owner;
  std::unique_ptr<CStepProgressDialog> m_progress;
  std::size_t m_progressTotal = 0;
};

}  // namespace vesk
