#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/temp_folder.h"

namespace vesk::platform {
namespace {

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
 protected:
  test::CTempFolder tmp_;
  std::string dir_ = tmp_.Str();
};

TEST_F(FileSystemTest, ReadWholeFileReportsCausesAndRefusesOversizedFiles) {
  std::string out = "stale";
  FileErrorCause cause = kFileErrNone;
  EXPECT_FALSE(ReadWholeFile(dir_ + "/missing", out, 100, &cause));
  EXPECT_EQ(cause, kFileErrNotFound);
  EXPECT_EQ(out, "");

  { std::ofstream(dir_ + "/f", std::ios::binary) << std::string(101, 'x'); }
  EXPECT_TRUE(ReadWholeFile(dir_ + "/f", out, 101, &cause));
  EXPECT_EQ(out.size(), 101u);
  EXPECT_FALSE(ReadWholeFile(dir_ + "/f", out, 100, &cause));
  EXPECT_EQ(cause, kFileErrInvalidFile);
  EXPECT_EQ(out, "");

  EXPECT_FALSE(ReadWholeFile(dir_, out, 100, &cause));
  EXPECT_EQ(cause, kFileErrAccessDenied);
}

TEST_F(FileSystemTest, ReplaceFileAtomicallyKeepsPermissionsAndLeavesNoTemporaries) {
  std::string path = dir_ + "/target";
  ASSERT_TRUE(ReplaceFileAtomically(path, "one"));
#ifndef _WIN32
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
#endif
  ASSERT_TRUE(ReplaceFileAtomically(path, "two\0bytes"));
  std::string out;
  ASSERT_TRUE(ReadWholeFile(path, out, 1000));
  EXPECT_EQ(out, "two");
#ifndef _WIN32
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
#endif
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  FileErrorCause cause = kFileErrNone;
  EXPECT_FALSE(ReplaceFileAtomically(dir_ + "/no/such", "x", &cause));
  EXPECT_EQ(cause, kFileErrNotFound);
}

TEST_F(FileSystemTest, PathKindAndCreateFolder) {
  EXPECT_EQ(GetPathKind(dir_), PathKind::Folder);
  EXPECT_EQ(GetPathKind(dir_ + "/x"), PathKind::Missing);
  EXPECT_TRUE(CreateFolder(dir_ + "/x"));
  EXPECT_TRUE(CreateFolder(dir_ + "/x"));  // already there
  EXPECT_EQ(GetPathKind(dir_ + "/x"), PathKind::Folder);
  { std::ofstream(dir_ + "/file") << "f"; }
  EXPECT_FALSE(CreateFolder(dir_ + "/file"));
  EXPECT_EQ(GetPathKind(dir_ + "/file"), PathKind::Other);
#ifndef _WIN32  // Wine makes no symbolic links; the Windows forms are tested beside
  fs::create_symlink(dir_ + "/gone", dir_ + "/dangling");
  EXPECT_EQ(GetPathKind(dir_ + "/dangling"), PathKind::Other);
#endif
}

#ifndef _WIN32
// Only regular files are read: a FIFO would block and a device never ends.
TEST_F(FileSystemTest, ReadWholeFileRefusesSpecialFilesWithoutHanging) {
  ASSERT_EQ(::mkfifo((dir_ + "/fifo").c_str(), 0600), 0);
  std::string out;
  FileErrorCause cause = kFileErrNone;
  EXPECT_FALSE(ReadWholeFile(dir_ + "/fifo", out, 1 << 20, &cause));
  EXPECT_EQ(cause, kFileErrInvalidFile);
  EXPECT_FALSE(ReadWholeFile("/dev/zero", out, 1 << 20, &cause));
  EXPECT_EQ(cause, kFileErrInvalidFile);
}

TEST_F(FileSystemTest, ExclusiveCreationTakesTheNameAwayFromALink) {
  { std::ofstream(dir_ + "/victim") << "precious"; }
  fs::create_symlink(dir_ + "/victim", dir_ + "/tmp");
  FileErrorCause cause = kFileErrNone;
  int fd = CreateExclusiveFile(dir_ + "/tmp", &cause);
  ASSERT_GE(fd, 0);
  ::close(fd);
  EXPECT_EQ(GetEntryKind(dir_ + "/tmp"), EntryKind::Regular);
  std::ifstream in(dir_ + "/victim");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "precious");
  fs::create_directory(dir_ + "/folder");
  EXPECT_LT(CreateExclusiveFile(dir_ + "/folder", &cause), 0);
  EXPECT_EQ(GetEntryKind(dir_ + "/folder"), EntryKind::Folder);
}
#endif

}  // namespace
}  // namespace vesk::platform
