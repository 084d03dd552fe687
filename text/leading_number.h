// The one reader of a decimal number at the start of a text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vesk {

// What may stand before the digits.
enum class NumberLead {
  WhiteSpaceAndSign,  // space, TAB, LF, VT, FF, CR, then one '+' or '-' (the C library's rule)
  BlanksAndSign,      // spaces and TABs, then one '+' or '-' (a dialog's number field)
  DigitsOnly,         // nothing: the first byte must be a digit
};

// The result of ScanDecimal; magnitude saturates at kMagnitudeCap so that no text overflows it.
struct DecimalScan {
  static constexpr std::uint64_t kMagnitudeCap = std::uint64_t{1} << 40;
  bool hasDigits = false;
  bool negative = false;
  std::uint64_t magnitude = 0;
  std::size_t end = 0;  // index after the last digit; where the scan stopped when there are none
};

// Reads the decimal digits at the start of text, after what lead allows.
DecimalScan ScanDecimal(std::string_view text, NumberLead lead);

// The leading number clamped to the int range, 0 without digits (white space and sign allowed).
int LeadingInt(std::string_view text);
// The same for an unsigned 32-bit value: a minus sign gives 0, larger values the maximum.
std::uint32_t LeadingUnsigned(std::string_view text);

}  // namespace vesk
