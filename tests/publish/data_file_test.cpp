#include "publish/data_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "support/file_size_limit.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "text/text_read_file.h"
#include "text/text_write_file.h"

namespace vesk::test {
namespace {

namespace fs = std::filesystem;

TEST(CompareFiles, TellsEachOutcomeApart) {
  CTempFolder dir;
  std::string a = dir.File("a"), b = dir.File("b");
  EXPECT_EQ(CDataFile::CompareFiles(a, b), kCompareNoTarget);
  WriteBytes(a, "abc");
  FileErrorCause cause = kFileErrNone;
  EXPECT_EQ(CDataFile::CompareFiles(a, b, &cause), kCompareNoTemp);
  EXPECT_EQ(cause, 2);
  WriteBytes(b, "abc");
  EXPECT_EQ(CDataFile::CompareFiles(a, b), kCompareEqual);
  WriteBytes(b, "abd");
  EXPECT_EQ(CDataFile::CompareFiles(a, b), kCompareByteDiffers);
  WriteBytes(b, "abcd");
  EXPECT_EQ(CDataFile::CompareFiles(a, b), kCompareSizeDiffers);
  WriteBytes(a, "");
  WriteBytes(b, "");
  EXPECT_EQ(CDataFile::CompareFiles(a, b), kCompareEqual);
}

class CommitFileTest : public ::testing::Test {
 protected:
  CommitFileTest() : data(ui) { data.m_strPath = dir.Path(); }
  // Writes content to the temporary file and commits it to name.
  void Commit(const std::string& name, const std::string& content) {
    WriteBytes(data.TempPath(), content);
    data.CommitFile(dir.File(name), data.TempPath());
  }
  CTempFolder dir;
  ScriptedUI ui;
  CDataFile data;
};

TEST_F(CommitFileTest, IdenticalContentLeavesTheTargetUntouchedAndUnlisted) {
  Commit("p.html", "page\r\n");
  ASSERT_EQ(data.m_strChanged, dir.File("p.html") + "\r\n");
  auto before = fs::last_write_time(dir.File("p.html"));
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  CDataFile second(ui);
  second.m_strPath = dir.Path();
  WriteBytes(second.TempPath(), "page\r\n");
  second.CommitFile(dir.File("p.html"), second.TempPath());
  EXPECT_EQ(second.m_strChanged, "");
  EXPECT_EQ(fs::last_write_time(dir.File("p.html")), before);
  EXPECT_FALSE(fs::exists(second.TempPath()));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CommitFileTest, ChangedContentReplacesAndListsInCommitOrder) {
  WriteBytes(dir.File("grown"), "12345");
  WriteBytes(dir.File("same-size"), "12345");
  Commit("grown", "123456");
  Commit("same-size", "12X45");
  Commit("new", "n");
  EXPECT_EQ(ReadBytes(dir.File("grown")), "123456");
  EXPECT_EQ(ReadBytes(dir.File("same-size")), "12X45");
  EXPECT_EQ(ReadBytes(dir.File("new")), "n");
  EXPECT_EQ(data.m_strChanged,
            dir.File("grown") + "\r\n" + dir.File("same-size") + "\r\n" + dir.File("new") + "\r\n");
  EXPECT_FALSE(fs::exists(data.TempPath()));
}

TEST_F(CommitFileTest, MissingTemporaryFileKeepsTheTargetAndReportsIt) {
  WriteBytes(dir.File("keep"), "old");
  data.CommitFile(dir.File("keep"), data.TempPath());
  EXPECT_EQ(ReadBytes(dir.File("keep")), "old");
  EXPECT_EQ(data.m_strChanged, "");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "ファイルが見つかりません\nファイル: " + data.TempPath());
}

TEST_F(CommitFileTest, AFailedMoveIsReportedAndNotListed) {
  fs::create_directory(dir.File("sub"));
  WriteBytes(dir.File("sub/x"), "inside");
  Commit("sub", "file content");  // a folder stands where the file should go
  EXPECT_EQ(data.m_strChanged, "");
  EXPECT_EQ(ReadBytes(dir.File("sub/x")), "inside");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Stop);
}

TEST(PlainFileName, RefusesNamesThatLeaveTheFolderOrBreakLines) {
  EXPECT_TRUE(CDataFile::IsPlainFileName("category0.cgi"));
  EXPECT_TRUE(CDataFile::IsPlainFileName("\x83\x5C.cgi"));  // second byte 0x5C is no separator
  EXPECT_TRUE(CDataFile::IsPlainFileName("..cgi"));
  EXPECT_FALSE(CDataFile::IsPlainFileName(""));
  EXPECT_FALSE(CDataFile::IsPlainFileName("."));
  EXPECT_FALSE(CDataFile::IsPlainFileName(".."));
  EXPECT_FALSE(CDataFile::IsPlainFileName("../up.cgi"));
  EXPECT_FALSE(CDataFile::IsPlainFileName("/etc/passwd"));
  EXPECT_FALSE(CDataFile::IsPlainFileName("a\tb"));
  EXPECT_FALSE(CDataFile::IsPlainFileName("a\r\nb"));
  EXPECT_FALSE(CDataFile::IsPlainFileName(std::string("a\0b", 3)));
  EXPECT_FALSE(CDataFile::IsPlainFileName(kTempFileName));
}

TEST(TextFiles, WriteCrLfAndReadBothLineEnds) {
  CTempFolder dir;
  CTextWriteFile out;
  ASSERT_TRUE(out.Open(dir.File("t.txt")));
  out.Write("one\ntwo\n\nlast");
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadBytes(dir.File("t.txt")), "one\r\ntwo\r\n\r\nlast");

  WriteBytes(dir.File("mixed.txt"), "a\r\nb\nc\r\n");
  CTextReadFile in;
  ASSERT_TRUE(in.Open(dir.File("mixed.txt")));
  std::string line;
  std::vector<std::string> lines;
  while (in.ReadLine(line)) lines.push_back(line);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(in.Cause(), 0);

  CTextReadFile missing;
  EXPECT_FALSE(missing.Open(dir.File("none")));
  EXPECT_EQ(missing.Cause(), 2);
}

TEST(TextFiles, AnOverlongLineIsCutNotGrown) {
  CTempFolder dir;
  WriteBytes(dir.File("long"), std::string(CTextReadFile::kMaxLineBytes + 100, 'x') + "\nnext\n");
  CTextReadFile in;
  ASSERT_TRUE(in.Open(dir.File("long")));
  std::string line;
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line.size(), CTextReadFile::kMaxLineBytes);
  ASSERT_TRUE(in.ReadLine(line));
  EXPECT_EQ(line, "next");
  EXPECT_FALSE(in.ReadLine(line));
}

// The writer only ever creates a new file, so a full disk is imitated with the file-size limit
// (the same failure of write(2) as far as the writer can tell).
TEST(TextFiles, WritingToAFullDiskReportsDiskFull) {
  CTempFolder dir;
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no file-size limit to imitate a full disk with";
#endif
  CFileSizeLimit full(1024);
  ASSERT_TRUE(full.IsSet());
  CTextWriteFile out;
  bool opened = out.Open(dir.File("f"));
  out.Write(std::string(200000, 'x'));
  bool closed = out.Close();
  full.Restore();
  ASSERT_TRUE(opened);
  EXPECT_FALSE(closed);
  EXPECT_EQ(out.Cause(), 13);
  // A device under the name is never opened, let alone replaced.
  if (fs::exists("/dev/full")) {
    CTextWriteFile dev;
    EXPECT_FALSE(dev.Open("/dev/full"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
  }
}

}  // namespace
}  // namespace vesk::test

namespace vesk::test {
namespace {

TEST(HoldsBytes, IsTrueOnlyForTheExactContent) {
  CTempFolder dir;
  std::string f = dir.File("f");
  EXPECT_FALSE(CDataFile::HoldsBytes(f, ""));
  WriteBytes(f, "a\r\nb");
  EXPECT_TRUE(CDataFile::HoldsBytes(f, "a\r\nb"));
  EXPECT_FALSE(CDataFile::HoldsBytes(f, "a\nb"));
  EXPECT_FALSE(CDataFile::HoldsBytes(f, "a\r\nc"));
  EXPECT_FALSE(CDataFile::HoldsBytes(dir.Path(), ""));  // a folder holds no bytes
}

}  // namespace
}  // namespace vesk::test
