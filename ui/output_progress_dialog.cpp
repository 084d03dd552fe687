#include "ui/output_progress_dialog.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/evtloop.h>
#include <wx/utils.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "ui/ui_trace.h"
#include "ui/wx_text.h"

namespace vesk {
namespace {

// A run shorter than this shows no dialog.
constexpr auto kShowAfter = std::chrono::milliseconds(300);
// Repaints and dialog updates at most this often: each costs more than writing a small file.
constexpr auto kUpdateEvery = std::chrono::milliseconds(50);

// Lets the windows repaint without taking the user's input, so nothing else runs meanwhile.
void RepaintWindows() {
  if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

std::string Count(std::size_t done, std::size_t total) {
  return std::to_string(done) + "/" + std::to_string(total);
}

}  // namespace

COutputProgressDialog::COutputProgressDialog(wxWindow* parent) : m_parent(parent) {
  // Lets the desktop tests stop a run of a small collection at a known point.
  if (const char* delay = std::getenv("VESK_TEST_OUTPUT_DELAY_MS")) {
    m_delayMs = std::clamp(std::atoi(delay), 0, 10000);
  }
}

COutputProgressDialog::~COutputProgressDialog() = default;

wxString COutputProgressDialog::Text(std::size_t done, std::size_t total) const {
  wxString text = wxString::FromUTF8(ResStringUtf8(kIdsOutputProgressText));
  text.Replace("%1", wxString::Format("%zu", done));
  text.Replace("%2", wxString::Format("%zu", total));
  return text;
}

void COutputProgressDialog::Begin(std::size_t total) {
  m_total = std::max<std::size_t>(total, 1);
  m_start = Clock::now();
  m_lastUpdate = m_start;
  TraceUi("progress", Count(0, total));
}

bool COutputProgressDialog::FileDone(std::size_t done, std::size_t total) {
  if (m_delayMs > 0) wxMilliSleep(static_cast<unsigned long>(m_delayMs));
  const Clock::time_point now = Clock::now();
  if (done < total && now - m_lastUpdate < kUpdateEvery) return true;
  m_lastUpdate = now;
  // The last file needs no dialog that would only vanish again.
  if (!m_dialog && (now - m_start < kShowAfter || done >= total)) {
    RepaintWindows();
    return true;
  }
  const int range = static_cast<int>(std::min<std::size_t>(std::max(total, m_total), 1 << 30));
  const int value = static_cast<int>(std::min<std::size_t>(done, static_cast<std::size_t>(range)));
  if (!m_dialog) {
    m_dialog = std::make_unique<wxProgressDialog>(
        wxString::FromUTF8(ResStringUtf8(kIdsOutputProgressTitle)), Text(done, total), range,
        m_parent, wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE | wxPD_ELAPSED_TIME);
    if (auto* cancel = wxDynamicCast(m_dialog->FindWindow(wxID_CANCEL), wxButton)) {
      cancel->SetLabel(U8("キャンセル"));
    }
    TraceUi("progress-shown", Count(done, total));
  } else if (range != m_dialog->GetRange()) {
    m_dialog->SetRange(range);
  }
  m_total = static_cast<std::size_t>(range);
  TraceUi("progress", Count(done, total));
  // Update repaints the windows and takes the cancel button's click.
  const bool goOn = m_dialog->Update(value, Text(done, total));
  if (!goOn) TraceUi("progress-cancelled", Count(done, total));
  return goOn;
}

void COutputProgressDialog::End() {
  m_dialog.reset();
  TraceUi("progress-end", "1");
}

}  // namespace vesk
