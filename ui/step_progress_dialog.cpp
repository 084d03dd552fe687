#include "ui/step_progress_dialog.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "resources/string_table.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {
namespace {

// A step shorter than this shows no dialog.
constexpr auto kShowAfter = std::chrono::milliseconds(300);
// Repaints and dialog updates at most this often: each costs more than a unit of the step.
constexpr auto kUpdateEvery = std::chrono::milliseconds(50);

// Lets the windows repaint without taking the user's input, so nothing else runs meanwhile.
void RepaintWindows() {
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

std::string Count(std::size_t done, std::size_t total) {
  return std::to_string(done) + "/" + std::to_string(total);
}

}  // namespace

CStepProgressDialog::CStepProgressDialog(wxWindow* parent, int titleId, int textId,
                                         bool cancellable)
    : m_parent(parent), m_titleId(titleId), m_textId(textId), m_cancellable(cancellable) {
  // Lets the desktop tests see a short step's dialog and stop it at a known point.
  if (const char* delay = std::getenv("VESK_TEST_OUTPUT_DELAY_MS")) {
    m_delayMs = std::clamp(std::atoi(delay), 0, 10000);
  }
}

CStepProgressDialog::~CStepProgressDialog() = default;

wxString CStepProgressDialog::Text(std::size_t done, std::size_t total) const {
  wxString text = wxString::FromUTF8(ResStringUtf8(m_textId));
  text.Replace("%1", wxString::Format("%zu", done));
  text.Replace("%2", wxString::Format("%zu", total));
  return text;
}

void CStepProgressDialog::Begin(std::size_t total) {
  m_total = std::max<std::size_t>(total, 1);
  m_start = Clock::now();
  m_lastUpdate = m_start;
  TraceUi("progress", Count(0, total));
}

bool CStepProgressDialog::Update(std::size_t done, std::size_t total) {
  if (m_delayMs > 0) wxMilliSleep(static_cast<unsigned long>(m_delayMs));
  const Clock::time_point now = Clock::now();
  if (done < total && now - m_lastUpdate < kUpdateEvery) return true;
  m_lastUpdate = now;
  // The last unit needs no dialog that would only vanish again.
  if (!m_dialog && (now - m_start < kShowAfter || done >= total)) {
    RepaintWindows();
    return true;
  }
  const int range = static_cast<int>(std::min<std::size_t>(std::max(total, m_total), 1 << 30));
  const int value = static_cast<int>(std::min<std::size_t>(done, static_cast<std::size_t>(range)));
  if (!m_dialog) {
    // A step that must run to its end offers no button that would not stop it.
    const int style =
        wxPD_APP_MODAL | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME | (m_cancellable ? wxPD_CAN_ABORT : 0);
    m_dialog = std::make_unique<wxProgressDialog>(wxString::FromUTF8(ResStringUtf8(m_titleId)),
                                                  Text(done, total), range, m_parent, style);
    if (auto* cancel = wxDynamicCast(m_dialog->FindWindow(wxID_CANCEL), wxButton)) {
      cancel->SetLabel(U8("キャンセル"));
    }
    TraceUi("progress-shown", Count(done, total));
    TraceUi("progress-cancel", m_cancellable ? "1" : "0");
  } else if (range != m_dialog->GetRange()) {
    m_dialog->SetRange(range);
  }
  m_total = static_cast<std::size_t>(range);
  TraceUi("progress", Count(done, total));
  // Update repaints the windows and takes the cancel button's click.
  const bool goOn = m_dialog->Update(value, Text(done, total));
  if (!goOn) TraceUi("progress-cancelled", Count(done, total));
  return goOn || !m_cancellable;
}

void CStepProgressDialog::End() {
  m_dialog.reset();
  TraceUi("progress-end", "1");
}

}  // namespace vesk
