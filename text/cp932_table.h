// The CP932 <-> Unicode tables every build converts with, so that all builds write the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vesk::cp932 {

// A table entry with no character.
constexpr std::uint16_t kNone = 0xFFFF;
// A kSingle entry for a byte that begins a two-byte character.
constexpr std::uint16_t kLead = 0xFFFE;

// The code point of each byte alone, or kLead, or kNone.
extern const std::uint16_t kSingle[256];
// The code point of each two-byte character at (lead - 0x80) * 256 + trail, or kNone.
extern const std::uint16_t kDouble[128 * 256];
// The code points that convert to CP932, ascending, and their bytes at the same index (a value
// below 0x100 is one byte, else lead * 256 + trail).
extern const std::size_t kEncodeCount;
extern const std::uint16_t kEncodeCodePoints[];
extern const std::uint16_t kEncodeBytes[];
// Code points that convert to no bytes at all (the tag characters), as first, last pairs.
extern const std::size_t kDroppedRangeCount;
extern const std::uint32_t kDroppedRanges[];

}  // namespace vesk::cp932
