#include "ui/ui_trace.h"

#include <cstdio>
#include <cstdlib>

namespace vesk {

void TraceUi(const std::string& key, const std::string& utf8Value) {
  static const char* path = std::getenv("VESK_UI_TRACE");
  if (path == nullptr || *path == '\0') return;
  if (std::FILE* f = std::fopen(path, "a")) {
    std::fprintf(f, "%s=%s\n", key.c_str(), utf8Value.c_str());
    std::fclose(f);
  }
}

}  // namespace vesk
