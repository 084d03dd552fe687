// Feeds arbitrary bytes to the reader of the remote-debugging list, as is and as the members of
// a target. It may not crash; run.sh runs it with a time and a memory limit per input, and a
// page found must carry a URL the capture accepts and a title within the cap.
#include <cstdint>
#include <string>

#include "app/capture/devtools_list.h"
#include "fuzz/browser_page_check.h"

namespace {

void Check(const std::string& json) {
  vesk::fuzz::CheckBrowserPage(vesk::FirstDevToolsPage(json), "chromium-devtools");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  Check(bytes);
  Check("[{\"type\":\"page\"," + bytes + "}]");
  return 0;
}
