#include "ui/ui_trace.h"

#include <cstdio>
#include <cstdlib>

namespace vesk {

namespace {
const char* TracePath() {
  static const char* path = std::getenv("VESK_UI_TRACE");
  return path != nullptr && *path != '\0' ? path : nullptr;
}
}  // namespace

bool TraceUiEnabled() { return TracePath() != nullptr; }

void TraceUi(const std::string& key, const std::string& utf8Value) {
  const char* path = TracePath();
  if (path == nullptr) return;
  if (std::FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "%s=%s\n", key.c_str(), utf8Value.c_str());
    std::fclose(f);
  }
}

}  // namespace vesk
