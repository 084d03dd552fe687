// CStepProgressDialog: the progress dialog of one long step, shown only once it lasts.
#pragma once

#include <wx/progdlg.h>

#include <chrono>
#include <cstddef>
#include <memory>

namespace vesk {

// Shown only when a step lasts longer than a moment, so short ones do not flash a window. Until
// then, and while it is shown, the program's windows repaint between updates; user input other
// than the cancel button waits until the step is over. titleId and textId name string-table
// texts; the text takes the units done for "%1" and the total for "%2".
class CStepProgressDialog {
 public:
  CStepProgressDialog(wxWindow* parent, int titleId, int textId, bool cancellable);
  ~CStepProgressDialog();

  void Begin(std::size_t total);
  // done of total units are finished; false once the user pressed Cancel.
  bool Update(std::size_t done, std::size_t total);
  void End();

 private:
  using Clock = std::chrono::steady_clock;
  wxString Text(std::size_t done, std::size_t total) const;

  wxWindow* m_parent;
  int m_titleId;
  int m_textId;
  bool m_cancellable;
  std::unique_ptr<wxProgressDialog> m_dialog;
  Clock::time_point m_start;
  Clock::time_point m_lastUpdate;
  std::size_t m_total = 0;
  int m_delayMs = 0;  // test hook: a pause after every update
};

}  // namespace vesk
