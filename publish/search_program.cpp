#include "publish/search_program.h"

#include <chrono>
#include <thread>

#include "document/veskdoc.h"
#include "platform/hand_over_path.h"
#include "publish/search_page.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"

namespace vesk {
namespace {

constexpr int kPolls = 50;
constexpr int kPollMs = 100;
// Grace for the program to finish setting up its window after it appeared.
constexpr int kSettleMs = 10;

}  // namespace

CSearchProgram::CSearchProgram(platform::IWindowMessenger& windows,
                               platform::IProgramStarter& starter, std::function<void(int)> sleep)
    : m_windows(windows), m_starter(starter), m_sleep(std::move(sleep)) {
  if (!m_sleep) {
    m_sleep = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
  }
}

bool CSearchProgram::FindWindow() {
  m_window.reset();
  std::vector<platform::WindowHandle> found = m_windows.FindWindows(kSearchProgramTitle);
  if (!found.empty()) m_window = found.back();
  return m_window.has_value();
}

bool CSearchProgram::FindSearchProgram(const std::string& programPath) {
  if (FindWindow()) return true;
  if (!m_starter.Start(programPath)) return false;
  for (int poll = 0; poll < kPolls; ++poll) {
    m_sleep(kPollMs);
    if (FindWindow()) {
      m_sleep(kSettleMs);
      return true;
    }
  }
  return false;
}

bool CSearchProgram::SendSearchFile(const std::string& pagePath) {
  if (!m_window) return false;
  std::string text = "-file " + pagePath;
  text.push_back('\0');  // the receiver gets the terminating zero byte too
  return m_windows.SendData(*m_window, text);
}

bool RunSearchProgram(CVeskDoc& doc, CSearchProgram& program, platform::IWindowMessenger& windows) {
  const std::string page = WriteSearchPageBesideDocument(doc);
  if (page.empty()) return false;
  // Without a window system the program could be started but never found: say so at once
  // instead of waiting five seconds for a window that cannot be seen.
  if (!windows.Available()) {
    doc.UI().MessageBox(ResString(kIdsNoWindowSystem), MbButtons::Ok, MbIcon::Stop);
    return false;
  }
  // The program would open whatever file a mangled path names: refuse before starting it.
  std::string handed;
  if (!platform::HandOverPath(page, handed)) {
    doc.UI().MessageBox(ResFormat(kIdsSearchPathNotShiftJis, ToCp932(page)), MbButtons::Ok,
                        MbIcon::Stop);
    return false;
  }
  const std::string programPath = PathFromSetting(doc.Settings().GetDeepscout());
  if (program.FindSearchProgram(programPath) && program.SendSearchFile(handed)) return true;
  doc.UI().MessageBox(ResString(kIdsSearchProgramFailed), MbButtons::Ok, MbIcon::Stop);
  return false;
}

}  // namespace vesk
