#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <string>

#include "publish/banner_image.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk::test {
namespace {

const std::string kImages = std::string(VESK_SOURCE_DIR) + "/tests/publish/data/banner/";

struct Size {
  int result = -9;
  std::uint32_t width = 0, height = 0;
  std::string message;
};

Size ReadSizeOf(const std::string& path) {
  Size s;
  CBannerImage image;
  if (!image.Open(path, &s.message)) return s;
  s.result = image.ReadSize(s.width, s.height, &s.message);
  return s;
}

std::string Tag(const std::string& src, int w, int h) {
  return "<IMG src=\"" + src + "\" alt=\"\" align=\"middle\" border=\"0\" width=\"" +
         std::to_string(w) + "\" height=\"" + std::to_string(h) + "\">";
}

TEST(BannerImage, ReadsTheSizeOfImagesMadeByAnImageTool) {
  struct {
    const char* file;
    int result;
    std::uint32_t width, height;
  } cases[] = {
      {"gif87a.gif", 1, 468, 60},
      {"gif89a.gif", 1, 40000, 2},
      {"wide.gif", 1, 65535, 1},
      {"one.gif", 1, 1, 1},
      {"one.png", 1, 1, 1},
      {"wide.png", 1, 65535, 1},
      {"banner.png", 1, 200, 40},
      {"one.jpg", 2, 1, 1},
      {"wide.jpg", 2, 65500, 1},
      {"exif_baseline.jpg", 2, 300, 100},
      {"exif_progressive.jpg", 2, 320, 120},
  };
  for (const auto& c : cases) {
    Size s = ReadSizeOf(kImages + c.file);
    EXPECT_EQ(s.result, c.result) << c.file;
    EXPECT_EQ(s.width, c.width) << c.file;
    EXPECT_EQ(s.height, c.height) << c.file;
    EXPECT_EQ(s.message, "") << c.file;
  }
}

TEST(BannerImage, TypeComesFromTheExtensionAnyCase) {
  CTempFolder tmp;
  const std::string jpeg = ReadBytes(kImages + "exif_baseline.jpg");
  WriteBytes(tmp.File("a.JPG"), jpeg);
  WriteBytes(tmp.File("a.jpeg"), jpeg);
  WriteBytes(tmp.File("a.gif"), jpeg);  // a JPEG under a GIF name is no GIF
  WriteBytes(tmp.File("noext"), jpeg);
  EXPECT_EQ(ReadSizeOf(tmp.File("a.JPG")).result, 2);
  EXPECT_EQ(ReadSizeOf(tmp.File("a.jpeg")).result, 0);
  EXPECT_EQ(ReadSizeOf(tmp.File("a.gif")).result, 0);
  EXPECT_EQ(ReadSizeOf(tmp.File("noext")).result, 0);
  // A PNG whose first chunk is not IHDR still gives the values at its offsets 8 and 12.
  std::string png = "\x89PNG\r\n\x1a\n" + std::string("\0\0\0\x0dtEXt", 8) +
                    std::string("\x00\x01\x02\x03\x80\x00\x00\x05", 8) + std::string(9, 'x');
  WriteBytes(tmp.File("odd.png"), png);
  Size s = ReadSizeOf(tmp.File("odd.png"));
  EXPECT_EQ(s.result, 1);
  EXPECT_EQ(s.width, 0x00010203u);
  EXPECT_EQ(s.height, 0x80000005u);  // above the signed range, still printed as unsigned
}

TEST(BannerImage, EveryTruncationOfARealFileFailsQuietlyOrReadsTheFrame) {
  CTempFolder tmp;
  for (const char* name : {"exif_progressive.jpg", "gif87a.gif", "banner.png"}) {
    const std::string bytes = ReadBytes(kImages + name);
    const std::string ext = std::string(name).substr(std::string(name).rfind('.'));
    const Size whole = ReadSizeOf(kImages + name);
    for (std::size_t n = 0; n < std::min<std::size_t>(bytes.size(), 4096); ++n) {
      WriteBytes(tmp.File("t" + ext), bytes.substr(0, n));
      Size s = ReadSizeOf(tmp.File("t" + ext));
      EXPECT_TRUE(s.result == 0 || (s.width == whole.width && s.height == whole.height))
          << name << " cut at " << n;
      EXPECT_EQ(s.message, "") << name << " cut at " << n;
    }
  }
}

TEST(BannerImage, HostileJpegSegmentsEndTheWalk) {
  CTempFolder tmp;
  const std::string sof = std::string("\xC0\x00\x11\x08\x00\x3C\x01\xD4", 8);
  struct {
    const char* what;
    std::string bytes;
    int result;
  } cases[] = {
      {"APP0, DQT, SOF0",
       std::string("\xFF\xD8\xFF\xE0\x00\x04\x00\x00\xFF\xDB\x00\x03\x00\xFF", 14) + sof, 2},
      {"marker 0x01 is skipped like a segment",
       std::string("\xFF\xD8\xFF\x01\x00\x02\xFF", 7) + sof, 2},
      {"length 0", std::string("\xFF\xD8\xFF\xE0\x00\x00", 6) + std::string(64, '\xFF'), 0},
      {"length 1", std::string("\xFF\xD8\xFF\xE0\x00\x01", 6) + std::string(64, '\xFF'), 0},
      {"length past the end", std::string("\xFF\xD8\xFF\xE1\xFF\xFF", 6) + sof, 0},
      {"fill bytes", std::string("\xFF\xD8\xFF\xFF\xC0\x00\x11", 7) + sof, 0},
      {"code 0x00", std::string("\xFF\xD8\xFF\x00\x00\x02\xFF", 7) + sof, 0},
      {"SOF cut short", std::string("\xFF\xD8\xFF\xC2\x00\x11\x08\x00", 8), 0},
      {"no SOI", std::string("\xFF\xD9\xFF", 3) + sof, 0},
  };
  for (const auto& c : cases) {
    WriteBytes(tmp.File("h.jpg"), c.bytes);
    Size s = ReadSizeOf(tmp.File("h.jpg"));
    EXPECT_EQ(s.result, c.result) << c.what;
    if (c.result == 2) {
      EXPECT_EQ(s.width, 468u) << c.what;
      EXPECT_EQ(s.height, 60u) << c.what;
    }
  }
}

TEST(BannerImage, OpenFailuresAndNonFilesAreRefusedWithTheMessage) {
  CTempFolder tmp;
  Size missing = ReadSizeOf(tmp.File("none.gif"));
  EXPECT_EQ(missing.result, -9);
  EXPECT_EQ(ToUtf8(missing.message), tmp.File("none.gif") + " ファイルが見つかりません。");
  // A folder and a special file are no image files; opening one must not wait for a writer.
  std::filesystem::create_directory(FsPath(tmp.File("dir.gif")));
  EXPECT_EQ(ReadSizeOf(tmp.File("dir.gif")).result, -9);
#ifdef _WIN32
  // Windows' special files are its devices, reached under a reserved name in any folder.
  EXPECT_EQ(ReadSizeOf(tmp.File("NUL.jpg")).result, -9);
  EXPECT_EQ(ReadSizeOf("CON").result, -9);
  EXPECT_EQ(ReadSizeOf(tmp.File("a.jpg:stream")).result, -9);
#else
  ::mkfifo(tmp.File("pipe.jpg").c_str(), 0600);
  EXPECT_EQ(ReadSizeOf(tmp.File("pipe.jpg")).result, -9);
#endif
  CBannerImage closed;
  std::uint32_t w = 0, h = 0;
  EXPECT_EQ(closed.ReadSize(w, h), -1);
}

TEST(BannerImage, RelativePathAgainstTheBaseFolder) {
  struct {
    const char* image;
    const char* base;
    const char* expected;
  } cases[] = {
      {"/web/html/img/a.gif", "/web/html", "../html/img/a.gif"},
      {"/web/img/a.gif", "/web/html", "../img/a.gif"},
      {"/web/img/a.gif", "/web/data.knd", "../img/a.gif"},
      {"/web/html/img/a.gif", "/web/html/", "img/a.gif"},
      {"/web/a.gif", "/web/html", "../a.gif"},  // both last names: no endless compare
      {"/other/x/a.gif", "/web/html", "../../other/x/a.gif"},
      {"/web/img/a.gif", "", "a.gif"},
      {"/web/画像/バナー.gif", "/web/html/", "../画像/バナー.gif"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(BannerRelativePath(c.image, c.base), c.expected) << c.image << " / " << c.base;
}

TEST(BannerImage, TagForTheImageButton) {
  CTempFolder tmp;
  std::filesystem::create_directory(FsPath(tmp.File("img")));
  std::filesystem::create_directory(FsPath(tmp.File("html")));
  const std::string gif = ReadBytes(kImages + "gif87a.gif");
  WriteBytes(tmp.File("img/夏.gif"), gif);
  BannerTagResult r = MakeBannerTag(tmp.File("img/夏.gif"), tmp.File("html"));
  ASSERT_TRUE(r.ok) << ToUtf8(r.message);
  EXPECT_EQ(ToUtf8(r.tag), Tag("../img/夏.gif", 468, 60));
  EXPECT_EQ(r.tag.find("\xE5"), std::string::npos);  // the tag is Shift_JIS, not UTF-8

  // An accented or Korean name has no Shift_JIS form and cannot go into the field.
  WriteBytes(tmp.File("img/é한.gif"), gif);
  r = MakeBannerTag(tmp.File("img/é한.gif"), tmp.File("html"));
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(r.quiet);
  EXPECT_NE(r.message, "");

  WriteBytes(tmp.File("img/bad.png"), "not a png at all, really not");
  r = MakeBannerTag(tmp.File("img/bad.png"), tmp.File("html"));
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.quiet);
  EXPECT_EQ(ToUtf8(r.message),
            tmp.File("img/bad.png") + " は、pngファイルと判別できませんでした。");
}

}  // namespace
}  // namespace vesk::test
