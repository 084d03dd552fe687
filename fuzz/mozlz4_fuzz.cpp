// Feeds arbitrary bytes to the mozlz4 reader and what it decodes to the session-store walk;
// the bytes themselves also go to the walk as JSON. Neither may crash or allocate beyond its
// bound, and a page found must carry a URL the capture accepts.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/capture/firefox_session.h"
#include "app/capture/mozlz4.h"

namespace {

void Check(const std::string& json) {
  if (auto page = vesk::FirefoxSessionPage(json)) {
    if (!vesk::IsCapturableUrl(page->url) || page->source != "firefox") std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::string json;
  // A small limit keeps each run fast; the checks against it are the same as for the real one.
  constexpr std::size_t kLimit = 1u << 20;
  if (vesk::DecodeMozLz4(bytes, json, kLimit)) {
    if (json.size() > kLimit) std::abort();
    Check(json);
  } else if (!json.empty()) {
    std::abort();  // a refused file leaves nothing behind
  }
  Check(bytes);
  return 0;
}
