#include "text/leading_number.h"

#include <climits>

namespace vesk {
namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

DecimalScan ScanDecimal(std::string_view text, NumberLead lead) {
  DecimalScan scan;
  std::size_t i = 0;
  if (lead != NumberLead::DigitsOnly) {
    const bool cSpace = lead == NumberLead::WhiteSpaceAndSign;
    while (i < text.size() && (cSpace ? IsCSpace(text[i]) : IsBlank(text[i]))) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) scan.negative = text[i++] == '-';
  }
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    scan.hasDigits = true;
    scan.magnitude = scan.magnitude * 10 + static_cast<std::uint64_t>(text[i] - '0');
    if (scan.magnitude > DecimalScan::kMagnitudeCap) scan.magnitude = DecimalScan::kMagnitudeCap;
  }
  scan.end = i;
  return scan;
}

int LeadingInt(std::string_view text) {
  const DecimalScan scan = ScanDecimal(text, NumberLead::WhiteSpaceAndSign);
  if (scan.negative) {
    constexpr std::uint64_t kMinMagnitude = static_cast<std::uint64_t>(INT_MAX) + 1;
    if (scan.magnitude >= kMinMagnitude) return INT_MIN;
    return -static_cast<int>(scan.magnitude);
  }
  if (scan.magnitude > static_cast<std::uint64_t>(INT_MAX)) return INT_MAX;
  return static_cast<int>(scan.magnitude);
}

std::uint32_t LeadingUnsigned(std::string_view text) {
  const DecimalScan scan = ScanDecimal(text, NumberLead::WhiteSpaceAndSign);
  if (scan.negative) return 0;
  if (scan.magnitude > UINT32_MAX) return UINT32_MAX;
  return static_cast<std::uint32_t>(scan.magnitude);
}

}  // namespace vesk
