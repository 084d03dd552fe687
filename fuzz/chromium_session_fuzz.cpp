// Feeds arbitrary bytes to the Chromium session-log reader, as is and behind a valid header; it
// may not crash (run.sh gives each input a time and a memory limit), and a page found must
// carry a URL the capture accepts and a title within the cap.
#include <cstdint>
#include <string>

#include "app/capture/chromium_session.h"
#include "fuzz/browser_page_check.h"

namespace {

void Check(const std::string& bytes) {
  vesk::fuzz::CheckBrowserPage(vesk::ReadChromiumSession(bytes), "chromium");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes);
  Check(std::string("SNSS\x03\0\0\0", 8) + bytes);
  return 0;
}
