// Windows: the stand-in browser of tests/tools/dde_browser_server_win.cpp, run for one test.
#pragma once

#include <string>

#include "support/temp_folder.h"

namespace vesk::test {

// Under Wine without a display no DDE server of another process can be found; the tests skip
// there and tests/windows/dde_tests.sh runs them on a display.
bool DdeNeedsADisplayHere();

// Serves service with reply (its bytes as sent) from another process until destroyed.
class CDdeBrowserServer {
 public:
  CDdeBrowserServer(const std::string& service, const std::string& reply);
  ~CDdeBrowserServer();
  CDdeBrowserServer(const CDdeBrowserServer&) = delete;
  CDdeBrowserServer& operator=(const CDdeBrowserServer&) = delete;
  // Whether it registered its service in time.
  bool Ready() const { return m_ready; }

 private:
  CTempFolder m_dir;
  void* m_process = nullptr;
  bool m_ready = false;
};

}  // namespace vesk::test
