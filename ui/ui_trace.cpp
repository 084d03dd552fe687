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
  // Opened once in append mode: filling a large tree traces every category, and the readers
  // may empty the file between lines (appends then start at its new end).
  // Binary: one LF per line on every system, as the readers expect.
  static std::FILE* file = std::fopen(path, "ab");
  if (file == nullptr) return;
  std::fprintf(file, "%s=%s\n", key.c_str(), utf8Value.c_str());
  std::fflush(file);
}

}  // namespace vesk
