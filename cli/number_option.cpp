#include "cli/number_option.h"

#include <charconv>
#include <iostream>

#include "cli/terminal_text.h"

namespace vesk::cli {

std::optional<long long> NumberOption(const std::string& name, const std::string& text,
                                      long long lo, long long hi) {
  long long v = 0;
  const char* end = text.data() + text.size();
  auto [p, ec] = std::from_chars(text.data(), end, v);
  if (ec == std::errc() && p == end && v >= lo && v <= hi) return v;
  std::cerr << "vesk-cli: " << name << " must be a whole number from " << lo << " to " << hi
            << ", not \"" << TerminalText(text) << "\"" << std::endl;
  return std::nullopt;
}

}  // namespace vesk::cli
