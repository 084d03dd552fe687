#include <gtest/gtest.h>

#include <filesystem>

#include "cli_runner.h"

namespace vesk::test {
namespace {

const std::string kImages = std::string(VESK_SOURCE_DIR) + "/tests/publish/data/banner/";

TEST(CliBannerTag, PrintsTheTagRelativeToTheBaseFolderOrFailsWithTheMessage) {
  CCliRunner cli;
  CTempFolder tmp;
  std::filesystem::create_directory(FsPath(tmp.File("画像")));
  WriteBytes(tmp.File("画像/夏.jpg"), ReadBytes(kImages + "exif_progressive.jpg"));
  const std::string tail =
      "\" alt=\"\" align=\"middle\" border=\"0\" width=\"320\" height=\"120\">\n";

  CliResult r = cli.Run({"banner-tag", tmp.File("画像/夏.jpg"), tmp.File("html")});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "<IMG src=\"../画像/夏.jpg" + tail);

  r = cli.Run({"banner-tag", tmp.File("画像/夏.jpg"), tmp.Path()});
  EXPECT_EQ(r.out, "<IMG src=\"画像/夏.jpg" + tail);

  // Without a base the current folder itself is the base; a relative image path is taken from it.
  r = cli.RunIn(tmp.Path(), {"banner-tag", "./画像/../画像/夏.jpg"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "<IMG src=\"画像/夏.jpg" + tail);

  r = cli.Run({"banner-tag", tmp.File("missing.gif"), tmp.Path()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, tmp.File("missing.gif") + " ファイルが見つかりません。\n");

  WriteBytes(tmp.File("fake.gif"), "GIX89a not really");
  r = cli.Run({"banner-tag", tmp.File("fake.gif"), tmp.Path()});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, tmp.File("fake.gif") + " は、gifファイルと判別できませんでした。\n");
}

}  // namespace
}  // namespace vesk::test
