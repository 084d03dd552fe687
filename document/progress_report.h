// CProgressReport: one long step of the document told to the user interface as it goes.
#pragma once

#include <cstddef>

#include "document/user_interface.h"

namespace vesk {

// Begins the step on construction and ends it on destruction, so an early return still closes
// the dialog. Advance is called once per unit; the user interface hears of every kReportEvery
// units and of the last, which keeps the cost per unit at a counter.
class CProgressReport {
 public:
  static constexpr std::size_t kReportEvery = 1024;

  CProgressReport(IUserInterface& ui, ProgressStep step, std::size_t total, bool cancellable);
  ~CProgressReport();
  CProgressReport(const CProgressReport&) = delete;
  CProgressReport& operator=(const CProgressReport&) = delete;

  // One more unit is finished; false once the user asked a cancellable step to stop.
  bool Advance() {
    ++m_done;
    if (m_done < m_next && m_done < m_total) return true;
    return Report();
  }
  bool Cancelled() const { return m_cancelled; }

 private:
  bool Report();

  IUserInterface& m_ui;
  std::size_t m_total;
  std::size_t m_done = 0;
  std::size_t m_next = kReportEvery;
  bool m_cancellable;
  bool m_cancelled = false;
};

}  // namespace vesk
