// UTF-16 and code points to UTF-8, for the formats that store UTF-16 (old documents, browser
// session files) or name characters by number (entities).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vesk {

// Appends the UTF-8 form of a Unicode scalar value (the caller replaces anything else).
void AppendUtf8CodePoint(std::string& out, std::uint32_t cp);

// Converts little-endian UTF-16 bytes (an odd last byte is ignored) to UTF-8; each lone
// surrogate becomes loneSurrogate.
std::string Utf16LeToUtf8(std::string_view le, std::uint32_t loneSurrogate);

}  // namespace vesk
