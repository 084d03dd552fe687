// The settings file is outside input: whatever it holds, reading must not crash, and what was
// read must write back to a text that reads back. Names and texts that are neither UTF-8 nor
// Shift_JIS may be normalised once; after that, writing and reading must be stable.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "settings/settings_file_format.h"

namespace {

std::string Rewrite(const std::string& text) {
  vesk::CSettingsTree tree;
  vesk::platform::SettingsParseError error;
  if (!vesk::platform::ParseSettingsText(text, tree, &error)) {
    std::fprintf(stderr, "written text does not read back: line %d: %s\n", error.line,
                 error.reason.c_str());
    std::abort();
  }
  return vesk::platform::FormatSettingsText(tree);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  vesk::CSettingsTree tree;
  if (!vesk::platform::ParseSettingsText(text, tree)) return 0;
  std::string first = vesk::platform::FormatSettingsText(tree);
  std::string second = Rewrite(first);
  if (Rewrite(second) != second) {
    std::fprintf(stderr, "not stable:\n%s\n---\n%s\n", second.c_str(), Rewrite(second).c_str());
    std::abort();
  }
  return 0;
}
