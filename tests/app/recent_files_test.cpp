#include "app/recent_files.h"

#include <gtest/gtest.h>

namespace vesk {
namespace {

TEST(RecentFiles, AddPutsNewestFirstMovesDuplicatesAndDropsTheOldest) {
  CRecentFileList list;
  EXPECT_EQ(list.Count(), 0);
  for (const char* p : {"/a.knd", "/b.knd", "/c.knd", "/d.knd"}) list.Add(p);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Get(0), "/d.knd");
  EXPECT_EQ(list.Get(3), "/a.knd");
  list.Add("/b.knd");  // already there: moves up, nothing drops off
  EXPECT_EQ(list.Get(0), "/b.knd");
  EXPECT_EQ(list.Get(1), "/d.knd");
  EXPECT_EQ(list.Get(2), "/c.knd");
  EXPECT_EQ(list.Get(3), "/a.knd");
  list.Add("/e.knd");
  EXPECT_EQ(list.Get(0), "/e.knd");
  EXPECT_EQ(list.Get(3), "/c.knd");
  list.Remove(1);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Get(1), "/d.knd");
  EXPECT_EQ(list.Get(4), "");
}

TEST(RecentFiles, ShortPathsAreShownAsTheyAre) {
  EXPECT_EQ(ShortenPath("/home/u/links.knd"), "/home/u/links.knd");
  std::string exactly30 = "/abcdefghijklmnopqrstuvwx/y.kn";
  ASSERT_EQ(exactly30.size(), 30u);
  EXPECT_EQ(ShortenPath(exactly30), exactly30);
}

TEST(RecentFiles, LongPathsKeepRootAndTrailingFolders) {
  std::string s = ShortenPath("/home/user/docs/links/sample.knd");
  EXPECT_EQ(s, "/.../docs/links/sample.knd");
  EXPECT_LE(s.size(), 30u);
  EXPECT_EQ(ShortenPath("/verylongfoldername/anotherlongfolder/x.knd"),
            "/.../anotherlongfolder/x.knd");
}

TEST(RecentFiles, Utf8PathsKeepTheirSeparatorsAndAreCutOnACharacterBoundary) {
  // The last byte of "ト" in UTF-8 looks like a Shift_JIS lead byte; the separator after it
  // must still count.
  EXPECT_EQ(ShortenPath("/home/user/ドキュメント/sample.knd"), "/.../sample.knd");
  std::string name = "/d/" + std::string(26, 'a') + "あ.knd";
  EXPECT_EQ(ShortenPath(name), std::string(26, 'a') + "あ.");
  // One byte less room: the three-byte character must not be split.
  EXPECT_EQ(ShortenPath(name, 28), std::string(26, 'a'));
}

}  // namespace
}  // namespace vesk
