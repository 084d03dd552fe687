// The leading-number reader behind the imports, the dialog number fields and the settings names.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "text/leading_number.h"

namespace vesk::test {
namespace {

TEST(LeadingNumber, ClampedValuesAfterWhiteSpaceAndSign) {
  EXPECT_EQ(LeadingInt(" \t\r\n12x"), 12);
  EXPECT_EQ(LeadingInt("-7"), -7);
  EXPECT_EQ(LeadingInt("+7"), 7);
  EXPECT_EQ(LeadingInt("x1"), 0);
  EXPECT_EQ(LeadingInt("+-1"), 0);
  EXPECT_EQ(LeadingInt(""), 0);
  EXPECT_EQ(LeadingInt("2147483647"), INT_MAX);
  EXPECT_EQ(LeadingInt("-2147483648"), INT_MIN);
  EXPECT_EQ(LeadingInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(LeadingInt("-99999999999999999999"), INT_MIN);
  EXPECT_EQ(LeadingInt("80,Title"), 80);

  EXPECT_EQ(LeadingUnsigned("4294967295"), 4294967295u);
  EXPECT_EQ(LeadingUnsigned("99999999999"), 4294967295u);
  EXPECT_EQ(LeadingUnsigned("-1"), 0u);
  EXPECT_EQ(LeadingUnsigned(" +17 "), 17u);
}

TEST(LeadingNumber, ScanStopsWhereTheLeadRuleSays) {
  DecimalScan scan = ScanDecimal(" \t-42 ", NumberLead::BlanksAndSign);
  EXPECT_TRUE(scan.hasDigits);
  EXPECT_TRUE(scan.negative);
  EXPECT_EQ(scan.magnitude, 42u);
  EXPECT_EQ(scan.end, 5u);
  // A dialog field does not skip line ends; a settings name takes no sign.
  EXPECT_FALSE(ScanDecimal("\n5", NumberLead::BlanksAndSign).hasDigits);
  EXPECT_FALSE(ScanDecimal("+5", NumberLead::DigitsOnly).hasDigits);
  EXPECT_FALSE(ScanDecimal(" 5", NumberLead::DigitsOnly).hasDigits);
  scan = ScanDecimal("12ab", NumberLead::DigitsOnly);
  EXPECT_EQ(scan.magnitude, 12u);
  EXPECT_EQ(scan.end, 2u);
  // Any number of digits saturates instead of wrapping.
  EXPECT_EQ(ScanDecimal(std::string(60, '9'), NumberLead::DigitsOnly).magnitude,
            DecimalScan::kMagnitudeCap);
}

}  // namespace
}  // namespace vesk::test
