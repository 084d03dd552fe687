#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
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
  int cause = 0;
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
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(ReplaceFileAtomically(path, "two\0bytes"));
  std::string out;
  ASSERT_TRUE(ReadWholeFile(path, out, 1000));
  EXPECT_EQ(out, "two");
  struct stat st;
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);

  int cause = 0;
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
  fs::create_symlink(dir_ + "/gone", dir_ + "/dangling");
  EXPECT_EQ(GetPathKind(dir_ + "/dangling"), PathKind::Other);
}

}  // namespace
}  // namespace vesk::platform
