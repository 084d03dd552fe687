#include "app/recent_files.h"

#include <gtest/gtest.h>

#include "text/encoding.h"

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

TEST(RecentFiles, OverlongFileNameIsCutOnACharacterBoundary) {
  std::string name = "/d/" + std::string(27, 'a') + ToCp932("あ") + ".knd";
  std::string s = ShortenPath(name);
  EXPECT_LE(s.size(), 30u);
  EXPECT_EQ(s, std::string(27, 'a') + ToCp932("あ") + ".");
  // One byte less room: the double-byte character must not be split.
  std::string s2 = ShortenPath(name, 28);
  EXPECT_EQ(s2, std::string(27, 'a'));
}

}  // namespace
}  // namespace vesk
