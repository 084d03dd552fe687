// The Windows forms of what the program refuses to write or read: devices, streams, network and
// drive-relative paths, names Windows would change; and paths with Japanese names and either
// separator.
#ifdef _WIN32

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/file_removal.h"
#include "platform/file_system.h"
#include "platform/read_only_file.h"
#include "support/temp_folder.h"

namespace vesk::platform {
namespace {

class WindowsPathsTest : public ::testing::Test {
 protected:
  test::CTempFolder tmp_;
  std::string dir_ = tmp_.Str();
};

TEST_F(WindowsPathsTest, RefusedFormsAreNeitherWrittenNorReadNorCreated) {
  ASSERT_TRUE(ReplaceFileAtomically(dir_ + "/page.html", "old"));
  const std::vector<std::string> refused = {dir_ + "/NUL",
                                            dir_ + "/nul.html",
                                            dir_ + "/Con.txt",
                                            dir_ + "/prn",
                                            dir_ + "/AUX.csv",
                                            dir_ + "/com1",
                                            dir_ + "/COM9.knd",
                                            dir_ + "/lpt1.url",
                                            dir_ + "/CONOUT$",
                                            dir_ + "/com1 .html",
                                            dir_ + "/page.html:stream",
                                            dir_ + "/page.html::$DATA",
                                            dir_ + "/page.html.",
                                            dir_ + "/page.html ",
                                            dir_ + "/folder./page.html",
                                            dir_ + "/nul/page.html",
                                            "C:page.html",
                                            "\\\\host\\share\\page.html",
                                            "//host/share/page.html",
                                            "\\\\?\\C:\\page.html",
                                            "\\\\.\\pipe\\vesk",
                                            dir_ + "/a*b",
                                            dir_ + "/a?b",
                                            dir_ + "/a|b"};
  for (const std::string& path : refused) {
    SCOPED_TRACE(path);
    FileErrorCause cause = kFileErrNone;
    EXPECT_FALSE(ReplaceFileAtomically(path, "x", &cause));
    EXPECT_EQ(cause, kFileErrBadPath);
    EXPECT_LT(CreateExclusiveFile(path, &cause), 0);
    EXPECT_EQ(cause, kFileErrBadPath);
    std::string out;
    EXPECT_FALSE(ReadWholeFile(path, out, 100, &cause));
    EXPECT_EQ(cause, kFileErrBadPath);
    CReadOnlyFile file;
    EXPECT_FALSE(file.Open(path));
    EXPECT_FALSE(CreateFolder(path));
    EXPECT_FALSE(CreateFolders(path));
    EXPECT_FALSE(RenameFile(dir_ + "/page.html", path));
    // An output check sees something that is not a plain file, so it refuses the name too.
    EXPECT_EQ(GetEntryKind(path), EntryKind::Special);
    EXPECT_NE(GetPathKind(path), PathKind::Folder);
    EXPECT_EQ(RealPath(path), "");
  }
  std::string out;
  ASSERT_TRUE(ReadWholeFile(dir_ + "/page.html", out, 100));
  EXPECT_EQ(out, "old");
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(ListFolder(dir_, entries));
  ASSERT_EQ(entries.size(), 1u);  // nothing was made beside it
  EXPECT_EQ(entries[0].name, "page.html");
}

TEST_F(WindowsPathsTest, NamesThatOnlyLookLikeDevicesAreOrdinaryFiles) {
  for (const char* name : {"nul1", "console.html", "com10", "lpt0.txt", "aux_", ".con", "com"}) {
    SCOPED_TRACE(name);
    const std::string path = dir_ + "/" + name;
    ASSERT_TRUE(ReplaceFileAtomically(path, name));
    std::string out;
    ASSERT_TRUE(ReadWholeFile(path, out, 100));
    EXPECT_EQ(out, name);
    EXPECT_EQ(GetEntryKind(path), EntryKind::Regular);
  }
}

TEST_F(WindowsPathsTest, JapaneseNamesAndBothSeparatorsReachTheSameFile) {
  const std::string folder = dir_ + "/\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E";  // 日本語
  ASSERT_TRUE(CreateFolders(folder + "\\\xE8\xA1\xA8/sub"));  // 表, whose SJIS holds '\'
  const std::string file = folder + "/\xE8\xA1\xA8/sub/\xE3\x83\xAA\xE3\x83\xB3\xE3\x82\xAF.html";
  ASSERT_TRUE(ReplaceFileAtomically(file, "bytes"));
  std::string backslashed = file;
  for (char& c : backslashed)
    if (c == '/') c = '\\';
  std::string out;
  ASSERT_TRUE(ReadWholeFile(backslashed, out, 100));
  EXPECT_EQ(out, "bytes");
  FileId a, b;
  ASSERT_TRUE(GetFileId(file, a));
  ASSERT_TRUE(GetFileId(backslashed, b));
  EXPECT_EQ(a, b);
  // The resolved form uses forward slashes, so it compares with the program's own paths.
  const std::string real = RealPath(backslashed);
  EXPECT_EQ(real.find('\\'), std::string::npos);
  EXPECT_EQ(real, RealPath(file));
  EXPECT_NE(real.find("/\xE8\xA1\xA8/sub/"), std::string::npos);
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(ListFolder(folder, entries));
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "\xE8\xA1\xA8");
  EXPECT_EQ(entries[0].kind, EntryKind::Folder);
  EXPECT_TRUE(RemoveFile(backslashed));
  EXPECT_EQ(GetEntryKind(file), EntryKind::Missing);
}

TEST_F(WindowsPathsTest, AFailedReplacementKeepsTheOldFileAndLeavesNoTemporary) {
  const std::string path = dir_ + "/data.cgi";
  ASSERT_TRUE(ReplaceFileAtomically(path, "old"));
  // A folder where the temporary file would go makes the write fail before the target is
  // touched.
  ASSERT_TRUE(CreateFolder(dir_ + "/.data.cgi.vesk-tmp"));
  FileErrorCause cause = kFileErrNone;
  EXPECT_FALSE(ReplaceFileAtomically(path, "new", &cause));
  EXPECT_NE(cause, kFileErrNone);
  std::string out;
  ASSERT_TRUE(ReadWholeFile(path, out, 100));
  EXPECT_EQ(out, "old");
  ASSERT_TRUE(RemoveEmptyFolder(dir_ + "/.data.cgi.vesk-tmp"));
  // A leftover temporary file of a killed run is taken over.
  ASSERT_TRUE(ReplaceFileAtomically(dir_ + "/.data.cgi.vesk-tmp", "leftover"));
  ASSERT_TRUE(ReplaceFileAtomically(path, "new"));
  ASSERT_TRUE(ReadWholeFile(path, out, 100));
  EXPECT_EQ(out, "new");
  EXPECT_EQ(GetEntryKind(dir_ + "/.data.cgi.vesk-tmp"), EntryKind::Missing);
}

}  // namespace
}  // namespace vesk::platform

#endif
