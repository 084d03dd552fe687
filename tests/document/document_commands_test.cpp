// The document's own commands: output settings, environment settings, filling the tree, and the
// commands refused inside the trash.
#include "support/doc_test_support.h"
#include "text/encoding.h"

namespace vesk::test::editing {
namespace {

using ::testing::ElementsAre;

class DocumentCommandsTest : public DocTest {};

TEST_F(DocumentCommandsTest, CgiSettingsFillEmptyFieldsWithTheirDefaults) {
  FILEINFO& info = doc.GetFileInfo();
  info.m_strTemplate = "/t.html";
  ui.onCgi = [](FILEINFO& f) {
    EXPECT_EQ(f.m_strCgiName, "category");
    f.m_strCgiName.clear();
    f.m_strCgiExt.clear();
    f.m_strSearchFile.clear();
    f.m_strCgiFolder = "/out";
    f.m_strTemplate = "not a field of this dialog";
    return true;
  };
  doc.OnCgiSettings();
  EXPECT_EQ(info.m_strCgiName, "category");
  EXPECT_EQ(info.m_strCgiExt, "cgi");
  EXPECT_EQ(info.m_strSearchFile, "search.cgi");
  EXPECT_EQ(info.m_strCgiFolder, "/out");
  EXPECT_EQ(info.m_strTemplate, "/t.html");
  EXPECT_TRUE(doc.SettingsChanged());
  EXPECT_TRUE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());  // not undoable

  ui.onCgi = [](FILEINFO& f) {
    f.m_strCgiName = "cat";
    return true;
  };
  doc.OnCgiSettings();
  EXPECT_EQ(info.m_strCgiName, "cat");
}

TEST_F(DocumentCommandsTest, CancelledSettingsDialogChangesNothing) {
  ui.onHtml = [](FILEINFO& f) {
    f.m_strHtmlExt = "htm";
    return false;
  };
  ui.onCgi = [](FILEINFO&) { return false; };  // Cancel
  doc.OnHtmlSettings();
  doc.OnCgiSettings();
  EXPECT_EQ(doc.GetFileInfo().m_strHtmlExt, "html");
  EXPECT_FALSE(doc.SettingsChanged());
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentCommandsTest, HtmlSettingsTakeTheirFourFields) {
  ui.onHtml = [](FILEINFO& f) {
    f.m_strTemplate = "/tpl.html";
    f.m_strHtmlExt.clear();
    f.m_strHtmlFolder = "/html";
    f.m_nLinksPerPage = 30;
    f.m_strCgiName = "not a field of this dialog";
    return true;
  };
  doc.OnHtmlSettings();
  const FILEINFO& info = doc.GetFileInfo();
  EXPECT_EQ(info.m_strTemplate, "/tpl.html");
  EXPECT_EQ(info.m_strHtmlExt, "html");
  EXPECT_EQ(info.m_strHtmlFolder, "/html");
  EXPECT_EQ(info.m_nLinksPerPage, 30);
  EXPECT_EQ(info.m_strCgiName, "category");
  EXPECT_TRUE(doc.SettingsChanged());
  ui.onHtml = [](FILEINFO& f) {
    f.m_nLinksPerPage = 0;  // never accepted by the dialog; would break the page split
    return true;
  };
  doc.OnHtmlSettings();
  EXPECT_EQ(info.m_nLinksPerPage, 5);
}

TEST_F(DocumentCommandsTest, EnvironmentSettingsRebuildTheColumnsAndRefillTheList) {
  Link(doc.GetTopCategory(), "a");
  int sheets = 0;
  ui.onSettingsSheet = [&] { return ++sheets > 0; };
  doc.OnEnvSettings();
  EXPECT_EQ(sheets, 1);
  EXPECT_THAT(view.Codes(), ElementsAre(kHintColumnsChanged, kHintShowCategory, kHintAddLink));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocumentCommandsTest, FillingTheTreeGoesDepthFirstInListOrder) {
  LINKINFO* top = doc.GetTopCategory();
  LINKINFO* a = Cat(top, "A");
  LINKINFO* b = Cat(top, "B");
  LINKINFO* a1 = Cat(a, "A1");
  Link(a, "link");
  LINKINFO* w = Cat(doc.GetWorkBox(), "W");
  doc.SetCurrent(nullptr);
  FillCategoryTree(doc);
  std::vector<LINKINFO*> added;
  for (const auto& [hint, node] : view.hints) {
    if (hint == kHintAddCategory) added.push_back(node);
  }
  EXPECT_THAT(added, ElementsAre(top, a, a1, b, doc.GetWorkBox(), w, doc.GetTrash()));
  ASSERT_GE(view.hints.size(), 9u);
  EXPECT_EQ(view.hints[7].first, kHintExpandCategories);
  EXPECT_EQ(view.hints[8], std::make_pair(int(kHintSelectCategory), top));
  EXPECT_EQ(doc.GetCurrent(), top);
}

TEST_F(DocumentCommandsTest, NewNodesRefusedInsideTheTrash) {
  ui.onCategory = [](CategoryFields&) { return true; };
  ui.onLink = [](LinkFields&) { return true; };
  Select(doc.GetTrash());
  const std::size_t size = doc.GetNodeList().size();
  doc.OnNewCategory();
  doc.OnNewLink();
  EXPECT_EQ(doc.GetNodeList().size(), size);
  EXPECT_EQ(ui.beeps, 2);
}

TEST_F(DocumentCommandsTest, NodeLimitEndsNewLinkWithoutARecord) {
  ui.onLink = [](LinkFields&) { return true; };
  while (doc.GetNodeList().size() < kMaxNodes) Link(doc.GetWorkBox(), "filler");
  doc.OnNewLink();
  EXPECT_EQ(doc.GetNodeList().size(), kMaxNodes);
  EXPECT_EQ(ui.messages.size(), 1u);
  EXPECT_FALSE(doc.CanUndo());
  // Emptied nodes no longer count: after emptying the trash a new link can be made.
  CNodeClipboard clip;
  Select(doc.GetWorkBox());
  CutLinks(doc, Rows(doc.GetWorkBox()), clip);
  doc.OnEmptyTrash();
  Select(doc.GetTopCategory());
  doc.OnNewLink();
  EXPECT_EQ(ChildTitles(doc.GetTopCategory()).size(), 1u);
}

TEST_F(DocumentCommandsTest, RenumberAfterEditsLeavesNothingToUndo) {
  RenameCategory(doc, Cat(doc.GetTopCategory(), "x"), "y");
  ui.answer = MbResult::Ok;
  doc.OnRenumber();
  EXPECT_FALSE(doc.CanUndo());
  doc.OnEditUndo();
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_TRUE(doc.IsModified());
}

}  // namespace
}  // namespace vesk::test::editing
