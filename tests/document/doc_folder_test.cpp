#include <gtest/gtest.h>

#include <filesystem>

#include "support/doc_fixture.h"
#include "text/encoding.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;

using DocFolderTest = test::DocFixture;

TEST_F(DocFolderTest, AnUntitledDocumentAsksForAFileAndIsSavedThereStayingUntitled) {
  ui.savePath = dir.File("chosen.knd");
  EXPECT_EQ(doc.DocFolder(), dir.Path());
  ASSERT_EQ(ui.askedProposed.size(), 1u);
  EXPECT_EQ(ui.askedProposed[0], doc.GetTitle() + ".knd");
  EXPECT_EQ(ToUtf8(ui.askedFilter[0]), "Vesk ファイル (*.knd)|*.knd||");
  EXPECT_TRUE(fs::exists(dir.File("chosen.knd")));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetPathName(), "");
  // Still untitled, so the next output asks again.
  EXPECT_EQ(doc.DocFolder(), dir.Path());
  EXPECT_EQ(ui.askedProposed.size(), 2u);
}

TEST_F(DocFolderTest, CancellingTheDialogGivesNoFolderAndSavesNothing) {
  ui.savePaths = {std::nullopt};
  EXPECT_EQ(doc.DocFolder(), "");
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

TEST_F(DocFolderTest, ASavedDocumentUsesItsFolderAndIsSavedWhenModified) {
  std::string path = dir.File("site.knd");
  ASSERT_TRUE(doc.OnSaveDocument(path));
  doc.SetPathName(path);
  doc.SetModifiedFlag(false);
  auto time = fs::last_write_time(path);
  EXPECT_EQ(doc.DocFolder(), dir.Path());
  EXPECT_TRUE(ui.askedProposed.empty());
  EXPECT_EQ(fs::last_write_time(path), time);  // unmodified: not saved again

  AddLink(Top(), "new");
  doc.SetModifiedFlag(true);
  fs::last_write_time(path, time - std::chrono::hours(1));
  EXPECT_EQ(doc.DocFolder(), dir.Path());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_GT(fs::last_write_time(path), time - std::chrono::hours(1));
}

TEST_F(DocFolderTest, ARefusedSaveEndsTheCommand) {
  // Two nodes with one serial: the save asks to renumber, and the answer is Cancel.
  AddLink(Top(), "a")->m_nSerial = 7;
  AddLink(Top(), "b")->m_nSerial = 7;
  ui.savePath = dir.File("x.knd");
  EXPECT_EQ(doc.DocFolder(), "");
  EXPECT_FALSE(fs::exists(dir.File("x.knd")));
}

}  // namespace
}  // namespace vesk
