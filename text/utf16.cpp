#include "text/utf16.h"

namespace vesk {

void AppendUtf8CodePoint(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::string Utf16LeToUtf8(std::string_view le, std::uint32_t loneSurrogate) {
  std::string out;
  out.reserve(le.size() * 3 / 2);
  const std::size_t count = le.size() / 2;
  auto unit = [le](std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<std::uint8_t>(le[2 * i]) |
                                      (static_cast<std::uint8_t>(le[2 * i + 1]) << 8));
  };
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 &&
        unit(i + 1) <= 0xDFFF) {
      AppendUtf8CodePoint(out, 0x10000 + ((u - 0xD800) << 10) + (unit(i + 1) - 0xDC00));
      ++i;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      AppendUtf8CodePoint(out, loneSurrogate);
    } else {
      AppendUtf8CodePoint(out, u);
    }
  }
  return out;
}

}  // namespace vesk
