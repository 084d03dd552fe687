// The progress dialog of a long output run: files written of the total and a cancel button.
#pragma once

#include <wx/progdlg.h>

#include <chrono>
#include <cstddef>
#include <memory>

#include "publish/output_progress.h"

namespace vesk {

// Shown only when a run lasts longer than a moment, so short outputs do not flash a window.
// Until then, and while it is shown, the program's windows repaint between files; user input
// other than the cancel button waits until the run is over.
class COutputProgressDialog : public IOutputProgress {
 public:
  explicit COutputProgressDialog(wxWindow* parent);
  ~COutputProgressDialog() override;

  void Begin(std::size_t total) override;
  bool FileDone(std::size_t done, std::size_t total) override;
  void End() override;

 private:
  using Clock = std::chrono::steady_clock;
  wxString Text(std::size_t done, std::size_t total) const;

  wxWindow* m_parent;
  std::unique_ptr<wxProgressDialog> m_dialog;
  Clock::time_point m_start;
  Clock::time_point m_lastUpdate;
  std::size_t m_total = 0;
  int m_delayMs = 0;  // test hook: a pause after every file
};

}  // namespace vesk
