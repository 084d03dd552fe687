#include "text/file_path.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/temp_folder.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;

using test::CTempFolder;
using test::ReadBytes;
using test::WriteBytes;

TEST(FilePath, ExtensionIsTheFileNamePartAfterItsLastDot) {
  EXPECT_TRUE(CFilePath("/d/list.csv").HasExtension("csv"));
  EXPECT_FALSE(CFilePath("/d/list.CSV").HasExtension("csv"));
  EXPECT_FALSE(CFilePath("/d.csv/list").HasExtension("csv"));
  EXPECT_TRUE(CFilePath("a.b.url").HasExtension("url"));
  EXPECT_FALSE(CFilePath("a.url.bak").HasExtension("url"));
  EXPECT_FALSE(CFilePath("noext").HasExtension(""));

  CFilePath p("/site.v1/data");
  EXPECT_EQ(p.ChangeExtension("csv"), "/site.v1/data.csv");
  EXPECT_EQ(p.Str(), "/site.v1/data.csv");
  EXPECT_EQ(p.ChangeExtension("txt"), "/site.v1/data.txt");

  CFilePath jp("/d/\x83\x5C.\x95\x5C");  // names with 0x5C second bytes
  EXPECT_EQ(jp.ChangeExtension("csv"), "/d/\x83\x5C.csv");

  CFilePath base("/out");
  EXPECT_EQ(base.Append("/file"), "/out/file");
  EXPECT_EQ(base.Str(), "/out/file");
}

TEST(FilePath, Utf8PathsSplitAtTheirRealSeparatorsAndConvertOnlyWhenExact) {
  // The last byte of "ト" (0x88) looks like a Shift_JIS lead byte; the "/" after it still counts.
  const std::string path = "/home/u/ドキュメント/sample.knd";
  EXPECT_EQ(FolderOfPath(path), "/home/u/ドキュメント/");
  EXPECT_EQ(FileNameOfPath(path), "sample.knd");
  EXPECT_TRUE(CFilePath(path).HasExtension("knd"));
  EXPECT_TRUE(CFilePath("/x/ドキュメント.d/カテゴリ").HasExtension("d") == false);
  EXPECT_EQ(FolderOfPath("name"), "./");

  std::string cp932, back;
  ASSERT_TRUE(PathToCp932(path, cp932));
  ASSERT_TRUE(PathFromCp932(cp932, back));
  EXPECT_EQ(back, path);
  EXPECT_FALSE(PathToCp932("/home/😀/a.knd", cp932));  // no Shift_JIS form
  EXPECT_FALSE(PathToCp932("/home/a〜b", cp932));     // would come back as another character
  EXPECT_FALSE(PathFromCp932("/bad\x81", back));      // not Shift_JIS
}

TEST(FilePath, AbsolutePathsHaveTheSystemsRoots) {
  EXPECT_EQ(PathRootLength("/out/a.html"), 1u);
  EXPECT_EQ(PathRootLength("out/a.html"), 0u);
  EXPECT_EQ(PathRootLength(""), 0u);
  EXPECT_EQ(PathInFolder("a.html", "/out"), "/out/a.html");
  EXPECT_EQ(PathInFolder("/x/a.html", "/out/"), "/x/a.html");
  std::string path;
#ifdef _WIN32
  EXPECT_EQ(PathRootLength("C:/out"), 3u);
  EXPECT_EQ(PathRootLength("d:\\out"), 3u);
  EXPECT_EQ(PathRootLength("//host/share/a"), 2u);
  EXPECT_EQ(PathRootLength("C:out"), 0u);  // drive-relative, refused where files are opened
  EXPECT_EQ(PathInFolder("D:/pages/a.html", "C:/out"), "D:/pages/a.html");
  EXPECT_EQ(PathInFolder("a.html", "C:/out/"), "C:/out/a.html");
  // A document written on Windows: backslashes become '/', but not the 0x5C second byte of
  // a Shift_JIS character (表 is 95 5C).
  ASSERT_TRUE(PathFromCp932("C:\\web\\\x95\x5C\\a.html", path));
  EXPECT_EQ(path, "C:/web/表/a.html");
#else
  EXPECT_EQ(PathRootLength("C:/out"), 0u);
  EXPECT_EQ(PathInFolder("C:/out", "/home"), "/home/C:/out");
  // A backslash is a character of a name here; 表's second byte stays inside the character.
  ASSERT_TRUE(PathFromCp932("a\\\x95\x5C", path));
  EXPECT_EQ(path, "a\\表");
#endif
}

TEST(FilePath, FolderKindTellsFolderFileAndMissing) {
  CTempFolder tmp;
  WriteBytes(tmp.File("f"), "x");
  EXPECT_EQ(CFilePath(tmp.Str()).FolderKind(), FolderKindResult::Folder);
  EXPECT_EQ(CFilePath(tmp.File("f")).FolderKind(), FolderKindResult::NotFolder);
  EXPECT_EQ(CFilePath(tmp.File("missing")).FolderKind(), FolderKindResult::Missing);
  EXPECT_EQ(CFilePath("").FolderKind(), FolderKindResult::Missing);
}

TEST(FilePath, MakeDirectoryPathCreatesMissingFoldersOnly) {
  CTempFolder tmp;
  char before[4096];
  ASSERT_NE(::getcwd(before, sizeof before), nullptr);

  std::string deep = tmp.File("a/b/c");
  EXPECT_TRUE(CFilePath(deep).MakeDirectoryPath(false));
  EXPECT_TRUE(fs::is_directory(tmp.File("a/b")));
  EXPECT_FALSE(fs::exists(deep));
  EXPECT_TRUE(CFilePath(deep).MakeDirectoryPath(true));
  EXPECT_TRUE(fs::is_directory(deep));

  // All there already: success, nothing new.
  WriteBytes(deep + "/keep", "k");
  EXPECT_TRUE(CFilePath(deep).MakeDirectoryPath(true));
  EXPECT_EQ(ReadBytes(deep + "/keep"), "k");

  // A trailing separator creates the last folder even without createLast.
  EXPECT_TRUE(CFilePath(tmp.File("t/")).MakeDirectoryPath(false));
  EXPECT_TRUE(fs::is_directory(tmp.File("t")));

#ifndef _WIN32
  // A 0x5C second byte does not split a folder name. (Windows names are UTF-16: a name of raw
  // Shift_JIS bytes has no form there.)
  std::string jp = tmp.File("\x95\x5C");
  EXPECT_TRUE(CFilePath(jp + "/x").MakeDirectoryPath(true));
  EXPECT_TRUE(fs::is_directory(jp + "/x"));
#endif

  // A file in the way, a relative path and an empty one fail.
  WriteBytes(tmp.File("file"), "");
  EXPECT_FALSE(CFilePath(tmp.File("file/sub")).MakeDirectoryPath(true));
  EXPECT_FALSE(CFilePath("relative/dir").MakeDirectoryPath(true));
  EXPECT_FALSE(fs::exists("relative"));
  EXPECT_FALSE(CFilePath("").MakeDirectoryPath(true));

  char after[4096];
  ASSERT_NE(::getcwd(after, sizeof after), nullptr);
  EXPECT_STREQ(before, after);
}

TEST(IniFile, ReadsCaseInsensitivelyWithEitherLineEnd) {
  CTempFolder tmp;
  WriteBytes(tmp.File("crlf.url"),
             "[Other]\r\nURL=http://wrong/\r\n[InternetShortcut]\r\n  url = http://ok/ \r\n");
  WriteBytes(tmp.File("lf.url"), "; comment\n[internetshortcut]\nIconIndex=0\nURL=http://lf/");
  CFilePath crlf(tmp.File("crlf.url"));
  EXPECT_EQ(crlf.ReadIniValue("InternetShortcut", "URL"), "http://ok/");
  EXPECT_EQ(crlf.ReadIniValue("INTERNETSHORTCUT", "Url"), "http://ok/");
  EXPECT_EQ(crlf.ReadIniValue("InternetShortcut", "Missing"), "");
  EXPECT_EQ(crlf.ReadIniValue("Nowhere", "URL"), "");
  EXPECT_EQ(CFilePath(tmp.File("lf.url")).ReadIniValue("InternetShortcut", "URL"), "http://lf/");
  FileErrorCause cause = static_cast<FileErrorCause>(-1);
  EXPECT_EQ(crlf.ReadIniValue("InternetShortcut", "URL", &cause), "http://ok/");
  EXPECT_EQ(cause, 0);
  EXPECT_EQ(CFilePath(tmp.File("none.url")).ReadIniValue("InternetShortcut", "URL", &cause), "");
  EXPECT_EQ(cause, 2);
  EXPECT_EQ(CFilePath(tmp.Str()).ReadIniValue("InternetShortcut", "URL", &cause), "");
  EXPECT_NE(cause, 0);
#ifndef _WIN32
  // A FIFO without a writer reads as empty instead of blocking (Windows has no FIFO files).
  ASSERT_EQ(::mkfifo(tmp.File("fifo.url").c_str(), 0600), 0);
  EXPECT_EQ(CFilePath(tmp.File("fifo.url")).ReadIniValue("InternetShortcut", "URL"), "");
#endif
}

TEST(IniFile, ValueIsCutToTheBufferOnACharacterBoundary) {
  CTempFolder tmp;
  std::string longValue(300, 'v');
  WriteBytes(tmp.File("long.url"), "[S]\nK=" + longValue + "\n");
  EXPECT_EQ(CFilePath(tmp.File("long.url")).ReadIniValue("S", "K"), std::string(259, 'v'));

  // A double-byte character straddling byte 259 is left out whole.
  std::string straddle = std::string(258, 'v') + "\x95\x5C" + "tail";
  WriteBytes(tmp.File("mb.url"), "[S]\nK=" + straddle + "\n");
  EXPECT_EQ(CFilePath(tmp.File("mb.url")).ReadIniValue("S", "K"), std::string(258, 'v'));

  // Binary junk with a lone lead byte at the end is read without harm.
  std::string junk(100000, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>(i * 131 % 256);
  WriteBytes(tmp.File("junk.url"), junk + "\n[S]\nK=\x81");
  EXPECT_EQ(CFilePath(tmp.File("junk.url")).ReadIniValue("S", "K"), "\x81");
}

TEST(IniFile, WriteReplacesOneValueAndKeepsEverythingElse) {
  CTempFolder tmp;
  const std::string original =
      "; keep me\r\n[DEFAULT]\r\nBASEURL=http://a/\r\n[InternetShortcut]\r\nURL=http://old/\r\n"
      "IconIndex = 3\r\n\r\n[Tail]\r\nx=1\r\n";
  WriteBytes(tmp.File("s.url"), original);
  CFilePath path(tmp.File("s.url"));

  ASSERT_TRUE(path.WriteIniValue("internetshortcut", "url", "http://new/"));
  std::string expected = original;
  expected.replace(expected.find("http://old/"), 11, "http://new/");
  EXPECT_EQ(ReadBytes(tmp.File("s.url")), expected);
  EXPECT_EQ(path.ReadIniValue("InternetShortcut", "URL"), "http://new/");

  // A new key goes after the section's last entry, before the blank line and the next section.
  ASSERT_TRUE(path.WriteIniValue("InternetShortcut", "HotKey", "0"));
  std::string withKey = expected;
  withKey.insert(withKey.find("\r\n\r\n[Tail]") + 2, "HotKey=0\r\n");
  EXPECT_EQ(ReadBytes(tmp.File("s.url")), withKey);

  // A new section goes at the end.
  ASSERT_TRUE(path.WriteIniValue("New", "k", "v"));
  EXPECT_EQ(ReadBytes(tmp.File("s.url")), withKey + "[New]\r\nk=v\r\n");
  EXPECT_EQ(path.ReadIniValue("Tail", "x"), "1");
  EXPECT_EQ(path.ReadIniValue("new", "K"), "v");
}

TEST(IniFile, WriteCreatesFilesFollowsLineEndsAndRefusesBrokenText) {
  CTempFolder tmp;
  CFilePath fresh(tmp.File("fresh.url"));
  ASSERT_TRUE(fresh.WriteIniValue("InternetShortcut", "URL", "http://x/"));
  EXPECT_EQ(ReadBytes(tmp.File("fresh.url")), "[InternetShortcut]\r\nURL=http://x/\r\n");

  WriteBytes(tmp.File("lf.url"), "[S]\nA=1");  // LF only, no final line break
  CFilePath lf(tmp.File("lf.url"));
  ASSERT_TRUE(lf.WriteIniValue("S", "B", "2"));
  EXPECT_EQ(ReadBytes(tmp.File("lf.url")), "[S]\nA=1\nB=2\n");

  EXPECT_FALSE(fresh.WriteIniValue("InternetShortcut", "URL", "a\r\nURL=evil"));
  EXPECT_FALSE(fresh.WriteIniValue("S]", "k", "v"));
  EXPECT_FALSE(fresh.WriteIniValue("S", "k=v", "v"));
  EXPECT_FALSE(fresh.WriteIniValue("S", "", "v"));
  EXPECT_EQ(ReadBytes(tmp.File("fresh.url")), "[InternetShortcut]\r\nURL=http://x/\r\n");

  // A folder that does not exist cannot take the file.
  EXPECT_FALSE(CFilePath(tmp.File("no/such.url")).WriteIniValue("S", "k", "v"));
  // No temporary files are left behind.
  int count = 0;
  for (const auto& entry : fs::directory_iterator(tmp.Str())) {
    (void)entry;
    ++count;
  }
  EXPECT_EQ(count, 2);
}

}  // namespace
}  // namespace vesk
