#include "text/utf8_check.h"

#include <cstddef>
#include <cstdint>

namespace vesk {

bool IsValidUtf8(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size()) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    std::size_t more = 0;
    std::uint32_t least = 0;
    std::uint32_t cp = 0;
    if ((c & 0xE0) == 0xC0) {
      more = 1, least = 0x80, cp = c & 0x1Fu;
    } else if ((c & 0xF0) == 0xE0) {
      more = 2, least = 0x800, cp = c & 0x0Fu;
    } else if ((c & 0xF8) == 0xF0) {
      more = 3, least = 0x10000, cp = c & 0x07u;
    } else {
      return false;
    }
    if (i + more >= s.size()) return false;
    for (std::size_t k = 1; k <= more; ++k) {
      const auto d = static_cast<unsigned char>(s[i + k]);
      if ((d & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (d & 0x3Fu);
    }
    if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += more + 1;
  }
  return true;
}

}  // namespace vesk
