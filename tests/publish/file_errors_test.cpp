#include "publish/file_errors.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "support/scripted_ui.h"

namespace vesk::test {
namespace {

TEST(FileErrors, ReportsEachCauseWithItsTextAndTheStopIcon) {
  ScriptedUI ui;
  ReportFileError(ui, kFileErrNotFound);
  ReportFileError(ui, kFileErrDiskFull);
  ReportFileError(ui, kFileErrAccessDenied);
  ReportFileError(ui, kFileErrEndOfFile);  // a cause without words of its own
  ReportBadFileName(ui);
  ReportBadFileName(ui, "../x.cgi");
  ReportFileError(ui, kFileErrBadPath, "/a/b");
  ASSERT_EQ(ui.messages.size(), 7u);
  EXPECT_EQ(ui.messages[6].Utf8(),
            "ファイル名が長すぎるか、パスが正しくありません。\nファイル: /a/b");
  EXPECT_EQ(ui.messages[0].Utf8(), "ファイルが見つかりません");
  EXPECT_EQ(ui.messages[1].Utf8(), "ディスク容量が足りません。");
  EXPECT_EQ(ui.messages[2].Utf8(), "アクセス権が有りません。");
  EXPECT_EQ(ui.messages[3].Utf8(), " Error Code (14)");
  EXPECT_EQ(ui.messages[4].Utf8(), "ファイル名に使用できない文字が有ります。");
  EXPECT_EQ(ui.messages[5].Utf8(), "ファイル名に使用できない文字が有ります。\n../x.cgi");
  for (const auto& m : ui.messages) {
    EXPECT_EQ(m.icon, MbIcon::Stop);
    EXPECT_EQ(m.buttons, MbButtons::Ok);
  }
}

TEST(FileErrors, MapsSystemErrorsToTheCausesTheMessagesKnow) {
  EXPECT_EQ(FileErrorCauseFromErrno(0), kFileErrNone);
  EXPECT_EQ(FileErrorCauseFromErrno(ENOENT), kFileErrNotFound);
  EXPECT_EQ(FileErrorCauseFromErrno(ENOSPC), kFileErrDiskFull);
#ifdef EDQUOT  // POSIX only
  EXPECT_EQ(FileErrorCauseFromErrno(EDQUOT), kFileErrDiskFull);
#endif
  EXPECT_EQ(FileErrorCauseFromErrno(EACCES), kFileErrAccessDenied);
  EXPECT_EQ(FileErrorCauseFromErrno(ENOTDIR), kFileErrBadPath);
  EXPECT_EQ(FileErrorCauseFromErrno(EMFILE), kFileErrTooManyOpen);
  EXPECT_EQ(FileErrorCauseFromErrno(EIO), kFileErrHardIO);
  EXPECT_EQ(FileErrorCauseFromErrno(EPROTO), kFileErrGeneric);
}

}  // namespace
}  // namespace vesk::test
