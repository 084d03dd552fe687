// The hand-over of the search page to the search program Deepscout: found by its window title,
// started when not running, and given "-file " and the page's path.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/program_starter.h"
#include "platform/window_messenger.h"

namespace vesk {

class CVeskDoc;

// The title by which the search program's window is found (exactly, case included).
inline constexpr const char* kSearchProgramTitle = "Deepscout";

// Finds or starts the search program and sends it the page; the found window is kept between
// FindSearchProgram and SendSearchFile.
class CSearchProgram {
 public:
  // sleep waits the given milliseconds (the tests pass one that only counts).
  CSearchProgram(platform::IWindowMessenger& windows, platform::IProgramStarter& starter,
                 std::function<void(int)> sleep = {});

  // True when a window titled "Deepscout" is known afterwards: one already shown (the last one
  // listed), or one shown by the program started from programPath within 50 polls of 100 ms.
  bool FindSearchProgram(const std::string& programPath);
  // Sends "-file " + pagePath and its terminating zero byte to the found window. False when no
  // window was found or the window system did not take the data (the window closed meanwhile).
  bool SendSearchFile(const std::string& pagePath);

 private:
  bool FindWindow();

  platform::IWindowMessenger& m_windows;
  platform::IProgramStarter& m_starter;
  std::function<void(int)> m_sleep;
  std::optional<platform::WindowHandle> m_window;
};

// The command "Deepscoutの実行": writes the search page beside the document, then finds or
// starts the configured program and hands the page over. Tells the user when no window system
// can be reached or the program cannot be started. True when the page was handed over.
bool RunSearchProgram(CVeskDoc& doc, CSearchProgram& program, platform::IWindowMessenger& windows);

}  // namespace vesk
