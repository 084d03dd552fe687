#include "document/progress_report.h"

#include <algorithm>

namespace vesk {

CProgressReport::CProgressReport(IUserInterface& ui, ProgressStep step, std::size_t total,
                                 bool cancellable)
    : m_ui(ui), m_total(total), m_cancellable(cancellable) {
  m_ui.BeginProgress(step, total, cancellable);
}

CProgressReport::~CProgressReport() { m_ui.EndProgress(); }

bool CProgressReport::Report() {
  m_next = m_done + kReportEvery;
  // A step that was cancelled is not asked again; one that cannot stop never is stopped.
  if (m_cancelled) return false;
  const bool goOn = m_ui.StepProgress(std::min(m_done, m_total));
  if (!goOn && m_cancellable) m_cancelled = true;
  return !m_cancelled;
}

}  // namespace vesk
