// The memo that lets an unchanged HTML re-run leave its pages alone: it must never vouch for a
// page whose inputs or file changed.
#include "publish/page_memo.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_folder.h"

namespace vesk::test {
namespace {

TEST(InputHash, OrderAndSplitOfTheValuesCount) {
  EXPECT_EQ(CInputHash().Add("ab").Add(1).Value(), CInputHash().Add("ab").Add(1).Value());
  EXPECT_NE(CInputHash().Add("ab").Add("c").Value(), CInputHash().Add("a").Add("bc").Value());
  EXPECT_NE(CInputHash().Add(1).Add(2).Value(), CInputHash().Add(2).Add(1).Value());
  EXPECT_NE(CInputHash().Add("").Value(), CInputHash().Value());
}

TEST(PageMemo, VouchesOnlyForTheSameInputsAndTheSameBytes) {
  CTempFolder dir;
  CPageMemo memo;
  std::string buffer;
  const std::string page = dir.File("p.html");
  WriteBytes(page, "<P>one</P>\r\n");
  EXPECT_FALSE(memo.Unchanged(page, 7, buffer));  // never made by this process
  memo.Remember(page, 7, "<P>one</P>\r\n");
  EXPECT_TRUE(memo.Unchanged(page, 7, buffer));
  EXPECT_FALSE(memo.Unchanged(page, 8, buffer));  // other inputs

  WriteBytes(page, "<P>two</P>\r\n");  // edited behind the program's back, same length
  EXPECT_FALSE(memo.Unchanged(page, 7, buffer));
  WriteBytes(page, "<P>one</P>\r\n!");  // grown
  EXPECT_FALSE(memo.Unchanged(page, 7, buffer));
  WriteBytes(page, "<P>one</P>\r\n");
  EXPECT_TRUE(memo.Unchanged(page, 7, buffer));

  std::filesystem::remove(page);
  EXPECT_FALSE(memo.Unchanged(page, 7, buffer));
  WriteBytes(page, "<P>one</P>\r\n");
  memo.Forget(page);
  EXPECT_FALSE(memo.Unchanged(page, 7, buffer));

  // A folder where the page was is no page.
  memo.Remember(dir.File("d"), 1, "");
  std::filesystem::create_directory(dir.File("d"));
  EXPECT_FALSE(memo.Unchanged(dir.File("d"), 1, buffer));
}

}  // namespace
}  // namespace vesk::test
