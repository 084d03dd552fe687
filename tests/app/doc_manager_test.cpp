#include "app/doc_manager.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"
#include "support/scripted_ui.h"
#include "support/temp_folder.h"
#include "text/encoding.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;

class DocManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    user.answer = MbResult::Cancel;
    doc.OnNewDocument();
  }
  std::string Path(const std::string& name) const { return dir.File(name); }
  // Adds a category under Top Category so the document differs from a new one.
  void AddCategory(const char* title) {
    doc.SelectCategory(doc.GetTopCategory(), true);
    LINKINFO* n = doc.CreateNode(NodeKind::Category);
    n->m_strTitle = title;
    doc.SetModifiedFlag(true);
  }
  std::size_t Nodes() const { return doc.GetNodeList().size(); }

  test::CTempFolder dir;
  CMemorySettingsBackend backend;
  CVeskSettings settings{backend};
  test::ScriptedUI user;
  CVeskDoc doc{settings, user};
  CDocManager manager{doc, settings, user};
};

TEST_F(DocManagerTest, UnmodifiedDocumentIsDroppedWithoutAQuestion) {
  EXPECT_TRUE(manager.SaveModified());
  EXPECT_TRUE(user.messages.empty());
}

TEST_F(DocManagerTest, SaveQuestionNamesTheDocumentAndFollowsTheAnswer) {
  AddCategory("a");
  user.answers = {MbResult::Cancel, MbResult::No};
  EXPECT_FALSE(manager.SaveModified());
  ASSERT_EQ(user.messages.size(), 1u);
  EXPECT_EQ(user.messages[0].text, ToCp932("Vesk への変更を保存しますか?"));
  EXPECT_TRUE(manager.SaveModified());  // No: dropped unsaved
  EXPECT_TRUE(user.askedProposed.empty());
  EXPECT_TRUE(doc.GetPathName().empty());
}

TEST_F(DocManagerTest, YesWithoutAPathAsksForOneAndCancellingThereKeepsTheDocument) {
  AddCategory("a");
  user.answers = {MbResult::Yes};
  user.savePaths = {std::nullopt};
  EXPECT_FALSE(manager.SaveModified());
  ASSERT_EQ(user.askedProposed.size(), 1u);
  EXPECT_EQ(user.askedProposed[0], "Vesk.knd");
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocManagerTest, SaveAsThenReopenRestoresTheDocumentAndTheRecentList) {
  AddCategory("saved");
  const std::string path = Path("links.knd");
  user.savePaths = {path};
  ASSERT_TRUE(manager.FileSaveAs());
  EXPECT_EQ(doc.GetPathName(), path);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(manager.RecentFiles().Get(0), path);
  const std::size_t saved = Nodes();

  ASSERT_TRUE(manager.FileNew());
  EXPECT_EQ(Nodes(), 3u);
  EXPECT_TRUE(doc.GetPathName().empty());

  ASSERT_TRUE(manager.OpenRecentFile(0));
  EXPECT_EQ(Nodes(), saved);
  EXPECT_EQ(doc.GetPathName(), path);

  manager.SaveRecentFiles();
  EXPECT_EQ(settings.GetRecentFile(1), path);
}

TEST_F(DocManagerTest, OpeningTheDocumentAlreadyOpenDoesNotReloadIt) {
  const std::string path = Path("same.knd");
  user.savePaths = {path};
  ASSERT_TRUE(manager.FileSave());  // no path yet: asks
  AddCategory("unsaved");
  const std::size_t now = Nodes();
  EXPECT_TRUE(manager.OpenDocumentFile(path));
  EXPECT_EQ(Nodes(), now);
  EXPECT_TRUE(user.messages.empty());
}

TEST_F(DocManagerTest, FailedRecentEntryIsDroppedAndLeavesAnEmptyDocument) {
  const std::string good = Path("good.knd");
  user.savePaths = {good};
  ASSERT_TRUE(manager.FileSaveAs());
  manager.RecentFiles().Add(Path("gone.knd"));
  user.answers = {MbResult::Ok, MbResult::Ok};
  EXPECT_FALSE(manager.OpenRecentFile(0));
  EXPECT_EQ(manager.RecentFiles().Count(), 1);
  EXPECT_EQ(manager.RecentFiles().Get(0), good);
  EXPECT_FALSE(user.messages.empty());  // the failure was reported
  EXPECT_NE(doc.GetTopCategory(), nullptr);
}

TEST_F(DocManagerTest, CancelledSaveQuestionKeepsTheRecentEntry) {
  const std::string path = Path("kept.knd");
  user.savePaths = {path};
  ASSERT_TRUE(manager.FileSaveAs());
  ASSERT_TRUE(manager.FileNew());
  AddCategory("changed");
  user.answers = {MbResult::Cancel};
  EXPECT_FALSE(manager.OpenRecentFile(0));
  EXPECT_EQ(manager.RecentFiles().Get(0), path);
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocManagerTest, DropImportsFirstThenOpensTheWholeDropAsDocuments) {
  const std::string knd = Path("b.knd");
  user.savePaths = {knd};
  AddCategory("in b");
  ASSERT_TRUE(manager.FileSaveAs());
  const std::size_t inB = Nodes();
  ASSERT_TRUE(manager.FileNew());

  std::vector<std::string> offered;
  auto reader = [&](const std::string& p) {
    offered.push_back(p);
    return p.size() > 4 && p.substr(p.size() - 4) == ".csv";
  };
  const std::string csv = Path("a.csv");
  EXPECT_TRUE(manager.DropFiles({csv, knd}, reader));
  EXPECT_EQ(offered, (std::vector<std::string>{csv, knd}));
  EXPECT_EQ(doc.GetPathName(), knd);  // the last file stays open
  EXPECT_EQ(Nodes(), inB);
}

TEST_F(DocManagerTest, DropOfOtherTypesOpensNothing) {
  auto reader = [](const std::string&) { return false; };
  EXPECT_FALSE(manager.DropFiles({Path("b.KND"), Path("c.txt")}, reader));
  EXPECT_TRUE(doc.GetPathName().empty());
  EXPECT_TRUE(user.messages.empty());
}

TEST(RecentFileSettings, LoadSkipsGapsAndSaveWritesNewestFirst) {
  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  settings.WriteString("Recent File List", "File1", std::string("/one.knd"));
  settings.WriteString("Recent File List", "File3", std::string("/three.knd"));
  CRecentFileList list;
  list.Load(settings);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Get(1), "/three.knd");
  list.Add("/new.knd");
  list.Save(settings);
  EXPECT_EQ(settings.GetRecentFile(1), "/new.knd");
  EXPECT_EQ(settings.GetRecentFile(2), "/one.knd");
  EXPECT_EQ(settings.GetRecentFile(3), "/three.knd");
  EXPECT_EQ(settings.GetRecentFile(4), "");
}

}  // namespace
}  // namespace vesk
