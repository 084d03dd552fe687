// Feeds arbitrary bytes to the session-store reader as JSON, and wrapped into the way to a
// page so that the reader's own paths are reached. It may not crash; run.sh runs it with a time
// and a memory limit per input, and a page found must carry a URL the capture accepts and a
// title within the cap.
#include <cstdint>
#include <string>

#include "app/capture/firefox_session.h"
#include "fuzz/browser_page_check.h"

namespace {

void Check(const std::string& json) {
  vesk::fuzz::CheckBrowserPage(vesk::FirefoxSessionPage(json), "firefox");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes);
  Check("{\"windows\":[{\"tabs\":[{\"entries\":[" + bytes + "]}]}]}");
  Check("{\"windows\":[{\"tabs\":[" + bytes + "]}],\"selectedWindow\":1}");
  return 0;
}
