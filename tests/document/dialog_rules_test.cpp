// Field checks of the dialogs and the link list's sort rules.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <climits>

#include "document/dialog_rules.h"
#include "document/link_info.h"
#include "document/link_sort.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

TEST(DialogRules, NumberFieldsAndRanges) {
  int value = -1;
  EXPECT_EQ(CheckIntRange("4", 5, 99, value), ToCp932("5 から 99 までの整数を入力してください。"));
  EXPECT_EQ(CheckIntRange("100", 5, 99, value),
            ToCp932("5 から 99 までの整数を入力してください。"));
  EXPECT_EQ(value, -1);
  EXPECT_EQ(CheckIntRange("", 5, 99, value), ToCp932("整数を入力してください。"));
  EXPECT_EQ(CheckIntRange("1O", 5, 99, value), ToCp932("整数を入力してください。"));
  EXPECT_EQ(CheckIntRange("99999999999", 5, 99, value), ToCp932("整数を入力してください。"));
  EXPECT_FALSE(CheckIntRange(" 20 ", 5, 99, value));
  EXPECT_EQ(value, 20);
  EXPECT_EQ(ParseIntField("-7"), -7);
  EXPECT_EQ(ParseIntField("+-7"), std::nullopt);
  EXPECT_EQ(ParseIntField("-2147483648"), INT_MIN);
  EXPECT_EQ(ParseIntField("2147483648"), std::nullopt);
  EXPECT_EQ(ParseIntField("7\n"), std::nullopt);
}

TEST(DialogRules, TextLimitsCountBytes) {
  EXPECT_FALSE(CheckTextLimit(std::string(20, 'x'), 20));
  EXPECT_EQ(CheckTextLimit(std::string(21, 'x'), 20), ToCp932("20 文字以内で入力してください。"));
  // Ten double-byte characters are twenty bytes.
  std::string wide;
  for (int i = 0; i < 11; ++i) wide += ToCp932("あ");
  EXPECT_TRUE(CheckTextLimit(wide, 20));

  FILEINFO info;
  int links = 0;
  info.m_strHtmlExt = std::string(21, 'h');
  auto err = CheckHtmlSettings(info, "20", links);
  ASSERT_TRUE(err);
  EXPECT_EQ(err->control, 1003);
  info.m_strHtmlExt = "htm";
  err = CheckHtmlSettings(info, "4", links);
  ASSERT_TRUE(err);
  EXPECT_EQ(err->control, 1002);
  EXPECT_FALSE(CheckHtmlSettings(info, "5", links));
  EXPECT_EQ(links, 5);

  CategoryFields cat;
  cat.comment = std::string(513, 'c');
  ASSERT_TRUE(CheckCategoryFields(cat));
  EXPECT_EQ(CheckCategoryFields(cat)->control, 1002);
  EXPECT_TRUE(CheckFindText(std::string(257, 'f')));
  EXPECT_FALSE(CheckFindText(std::string(256, 'f')));
}

class LinkSortTest : public ::testing::Test {
 protected:
  LINKINFO a{2, 768}, b{2, 768};
};

TEST_F(LinkSortTest, TextsCompareAsUnsignedBytes) {
  a.m_strTitle = "Z";
  b.m_strTitle = "\x82\xa0";  // a double-byte character sorts after ASCII
  EXPECT_LT(CompareLinks(a, b, kSortTitle), 0);
  EXPECT_GT(CompareLinks(a, b, kSortTitle + kSortDescending), 0);
  a.m_strTitle = "a";
  b.m_strTitle = "B";
  EXPECT_GT(CompareLinks(a, b, kSortTitle), 0);  // no case folding
}

TEST_F(LinkSortTest, DatesSerialsAndUnknownCodes) {
  a.m_nYear = 2001, a.m_nMonth = 12, a.m_nDay = 1;
  b.m_nYear = 2002, b.m_nMonth = 1, b.m_nDay = 1;
  EXPECT_LT(CompareLinks(a, b, kSortDate), 0);
  EXPECT_GT(CompareLinks(a, b, kSortDate + kSortDescending), 0);
  a.m_nSerial = 10, b.m_nSerial = 9;
  EXPECT_GT(CompareLinks(a, b, kSortSerial), 0);
  a.m_nOrder = 1, b.m_nOrder = 2;
  EXPECT_LT(CompareLinks(a, b, 7), 0);  // unknown codes sort by m_nOrder
  EXPECT_LT(CompareLinks(a, b, 16), 0);
  b.m_nOrder = 1;
  a.m_strURL = "x";
  std::vector<LINKINFO*> rows{&a, &b};
  SortLinks(rows, kSortManual);  // equal keys keep their order
  EXPECT_EQ(rows[0], &a);
  SortLinks(rows, kSortUrl);
  EXPECT_EQ(rows[0], &b);
}

TEST(ColumnSort, ClicksCycleAscendingDescendingManual) {
  EXPECT_EQ(ColumnClickSortCode(0, 0), 2);
  EXPECT_EQ(ColumnClickSortCode(0, 2), 18);
  EXPECT_EQ(ColumnClickSortCode(0, 18), 0);
  EXPECT_EQ(ColumnClickSortCode(0, 3), 0);  // another column's sort returns to manual first
  EXPECT_EQ(ColumnClickSortCode(7, 0), 6);
  EXPECT_EQ(ColumnClickSortCode(3, 5), 21);
  EXPECT_EQ(ColumnClickSortCode(4, 0), -1);  // the comment column does not sort
  EXPECT_EQ(ColumnSortArrow(0, 2), 1);
  EXPECT_EQ(ColumnSortArrow(0, 18), 2);
  EXPECT_EQ(ColumnSortArrow(1, 2), 0);
  EXPECT_EQ(ColumnSortArrow(2, 20), 2);
}

}  // namespace
}  // namespace vesk::test
