// The link list's rows driven by the document's hints and the user's commands, without a display.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/link_sort.h"
#include "platform/desktop_launcher.h"
#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/doc_fixture.h"
#include "ui/logic/command_enabling.h"
#include "ui/logic/command_table.h"
#include "ui/logic/link_launch.h"
#include "ui/logic/link_rows.h"

namespace vesk {
namespace {

class RowsView : public IDocView {
 public:
  explicit RowsView(CLinkRows& rows) : m_rows(rows) {}
  void OnUpdate(ViewHint hint, LINKINFO* node) override { m_rows.OnUpdate(hint, node); }

 private:
  CLinkRows& m_rows;
};

class LinkListTest : public test::DocFixture {
 protected:
  LinkListTest() {
    doc.AddView(&view);
    rows.BuildColumns();
    a = Link("b-title", "http://z.example/");
    b = Link("c-title", "http://y.example/");
    c = Link("a-title", "http://x.example/");
    doc.SelectCategory(Top(), true);
  }
  ~LinkListTest() override { doc.RemoveView(&view); }
  LINKINFO* Link(const std::string& title, const std::string& url) {
    LINKINFO* l = AddLink(Top(), title);
    l->m_strURL = url;
    return l;
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> out;
    for (LINKINFO* l : rows.Rows()) out.push_back(l->m_strTitle);
    return out;
  }
  // The links of Top Category in node-list order: the published order.
  std::vector<std::string> Published() {
    std::vector<std::string> out;
    for (LINKINFO* n : doc.GetNodeList())
      if (n->m_pParent == Top() && !n->IsCategory()) out.push_back(n->m_strTitle);
    return out;
  }
  using V = std::vector<std::string>;

  CLinkRows rows{doc};
  RowsView view{rows};
  LINKINFO *a, *b, *c;
};

TEST_F(LinkListTest, TitleHeaderCyclesWithArrowsMakesTheOrderPhysicalAndUndoes) {
  EXPECT_EQ(Titles(), (V{"b-title", "c-title", "a-title"}));
  rows.ClickColumn(0);
  EXPECT_EQ(rows.ActiveSort(), kSortTitle);
  EXPECT_EQ(rows.HeaderArrow(0), 1);
  EXPECT_EQ(Titles(), (V{"a-title", "b-title", "c-title"}));
  EXPECT_EQ(Published(), Titles());
  EXPECT_EQ(Top()->m_nSortMode, kSortTitle);
  rows.ClickColumn(0);
  EXPECT_EQ(rows.HeaderArrow(0), 2);
  EXPECT_EQ(Published(), (V{"c-title", "b-title", "a-title"}));
  rows.ClickColumn(0);
  EXPECT_EQ(rows.ActiveSort(), kSortManual);
  EXPECT_EQ(rows.HeaderArrow(0), 0);
  EXPECT_EQ(Titles(), (V{"c-title", "b-title", "a-title"}));  // manual order is what was shown
  // Each click was one group: two undos bring back ascending title order with its mode.
  doc.OnEditUndo();
  doc.OnEditUndo();
  EXPECT_EQ(Top()->m_nSortMode, kSortTitle);
  EXPECT_EQ(rows.ActiveSort(), kSortTitle);
  EXPECT_EQ(Published(), (V{"a-title", "b-title", "c-title"}));
  doc.OnEditUndo();
  EXPECT_EQ(Top()->m_nSortMode, kSortManual);
  EXPECT_EQ(Published(), (V{"b-title", "c-title", "a-title"}));
  EXPECT_EQ(Titles(), (V{"b-title", "c-title", "a-title"}));
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(LinkListTest, AnotherColumnsSortReturnsToManualFirstAndOtherColumnsDoNotSort) {
  rows.ClickColumn(1);  // URL
  EXPECT_EQ(rows.ActiveSort(), kSortUrl);
  EXPECT_EQ(rows.HeaderArrow(1), 1);
  EXPECT_EQ(rows.HeaderArrow(0), 0);
  rows.ClickColumn(0);
  EXPECT_EQ(rows.ActiveSort(), kSortManual);
  rows.ClickColumn(4);  // comment
  EXPECT_EQ(rows.ActiveSort(), kSortManual);
  // A category shown again comes back in its own sort mode.
  rows.ClickColumn(0);
  LINKINFO* other = AddCategory(Top(), "other");
  doc.SelectCategory(other, true);
  EXPECT_EQ(rows.ActiveSort(), kSortManual);
  doc.SelectCategory(Top(), true);
  EXPECT_EQ(rows.ActiveSort(), kSortTitle);
  EXPECT_EQ(rows.HeaderArrow(0), 1);
}

TEST_F(LinkListTest, MoveUpDownSwapsBeepsAtTheEndsAndSurvivesALaterSortOfTheRows) {
  rows.SetSelection({c});
  EXPECT_FALSE(rows.Move(+1));
  EXPECT_EQ(ui.beeps, 1);
  EXPECT_TRUE(rows.Move(-1));
  EXPECT_EQ(Titles(), (V{"b-title", "a-title", "c-title"}));
  EXPECT_EQ(Published(), Titles());
  EXPECT_EQ(rows.Selected(), std::vector<LINKINFO*>{c});
  // A paste sorts the rows again in manual order: the move stays.
  rows.SetSelection({a});
  ASSERT_TRUE(rows.Copy());
  ASSERT_TRUE(rows.Paste());
  EXPECT_EQ(Titles(), (V{"b-title", "a-title", "c-title", "b-title"}));
  EXPECT_EQ(Published(), Titles());
  doc.OnEditUndo();  // the paste
  doc.OnEditUndo();  // the move
  EXPECT_EQ(Titles(), (V{"b-title", "c-title", "a-title"}));
  EXPECT_EQ(Published(), Titles());
  rows.SetSelection({a, b});
  EXPECT_FALSE(rows.Move(-1));  // two rows selected
  EXPECT_EQ(ui.beeps, 2);
}

TEST_F(LinkListTest, CutToTheTrashPasteElsewhereAndUndo) {
  rows.SetSelection({a, c});
  ASSERT_TRUE(rows.Cut());
  EXPECT_EQ(Titles(), (V{"c-title"}));
  EXPECT_EQ(a->m_pParent, doc.GetTrash());
  LINKINFO* other = AddCategory(Top(), "other");
  AddLink(other, "resident");
  doc.SelectCategory(other, true);
  ASSERT_TRUE(rows.Paste());  // the last cut link, placed at the tail and selected
  EXPECT_EQ(Titles(), (V{"resident", "a-title"}));
  ASSERT_EQ(rows.Selected().size(), 1u);
  EXPECT_EQ(rows.Selected().front()->m_strURL, "http://x.example/");
  EXPECT_NE(rows.Selected().front(), c);
  doc.OnEditUndo();
  EXPECT_EQ(Titles(), (V{"resident"}));
  doc.OnEditUndo();  // the cut: both links back; the tree would show Top Category
  doc.SelectCategory(Top(), true);
  EXPECT_EQ(Titles(), (V{"b-title", "c-title", "a-title"}));
  // Nothing to cut in the trash, nothing pasted there.
  doc.SelectCategory(doc.GetTrash(), true);
  rows.SetSelection({});
  EXPECT_FALSE(rows.Cut());
  EXPECT_FALSE(rows.Paste());
  EXPECT_EQ(ui.beeps, 2);
}

TEST_F(LinkListTest, NewLinksGoToTheTopWithTailOffAndAreSelected) {
  settings.SetTail(0);
  LINKINFO* fresh = AddLink(Top(), "fresh");
  doc.UpdateAllViews(kHintNewLink, fresh);
  EXPECT_EQ(Titles(), (V{"fresh", "b-title", "c-title", "a-title"}));
  EXPECT_EQ(Published(), Titles());
  EXPECT_EQ(rows.Selected(), std::vector<LINKINFO*>{fresh});
  EXPECT_EQ(rows.FocusLink(), fresh);
  // An import into a category that is not shown leaves the rows alone.
  LINKINFO* other = AddCategory(doc.GetWorkBox(), "import");
  doc.UpdateAllViews(kHintNewLink, AddLink(other, "imported"));
  EXPECT_EQ(Titles().size(), 4u);
}

TEST_F(LinkListTest, RandomSortKeepsTheCategorysModeAndUndoRestoresOrderAndSelection) {
  rows.ClickColumn(0);
  rows.SetSelection({b});
  rows.RandomSort(7);
  EXPECT_EQ(rows.ActiveSort(), kSortManual);
  EXPECT_EQ(Top()->m_nSortMode, kSortTitle);
  EXPECT_EQ(rows.HeaderArrow(0), 1);
  EXPECT_EQ(Published(), Titles());
  doc.OnEditUndo();
  EXPECT_EQ(Titles(), (V{"a-title", "b-title", "c-title"}));
  EXPECT_EQ(rows.Selected(), std::vector<LINKINFO*>{b});
}

TEST_F(LinkListTest, DragInsideTheListAndOntoACategory) {
  rows.SetSelection({c});
  EXPECT_FALSE(rows.DropInList(c));  // onto itself
  rows.SetSelection({a});
  EXPECT_FALSE(rows.DropInList(b));  // the row right after it
  rows.SetSelection({c});
  ASSERT_TRUE(rows.DropInList(a));
  EXPECT_EQ(Titles(), (V{"a-title", "b-title", "c-title"}));
  EXPECT_EQ(rows.Selected(), std::vector<LINKINFO*>{c});
  LINKINFO* other = AddCategory(Top(), "other");
  rows.SetSelection({a, b});
  doc.UpdateAllViews(kHintLinksDropped, other);
  EXPECT_EQ(Titles(), (V{"a-title"}));
  EXPECT_EQ(b->m_pParent, other);
  doc.OnEditUndo();
  EXPECT_EQ(Titles(), (V{"a-title", "b-title", "c-title"}));
  doc.OnEditUndo();
  EXPECT_EQ(Titles(), (V{"b-title", "c-title", "a-title"}));
}

TEST(ListEnabling, RulesOfTheMenusAndOfTheContextMenu) {
  ListCommandState s;
  EXPECT_FALSE(*IsListCommandEnabled(kCmdEditCut, s));
  EXPECT_TRUE(*IsListCommandEnabled(kCmdRandomSort, s));
  EXPECT_FALSE(IsListCommandEnabled(kCmdNewCategory, s).has_value());
  s.selected = 1;
  s.selectedFirst = true;
  EXPECT_TRUE(*IsListCommandEnabled(kCmdEditCopy, s));
  EXPECT_TRUE(*IsListCommandEnabled(kCmdMoveDown, s));
  EXPECT_FALSE(*IsListCommandEnabled(kCmdMoveUp, s));
  EXPECT_TRUE(IsListMenuItemEnabled(kCmdOpenBrowser, s));
  s.selected = 2;
  EXPECT_FALSE(*IsListCommandEnabled(kCmdEditCopy, s));
  EXPECT_FALSE(*IsListCommandEnabled(kCmdMoveDown, s));
  EXPECT_FALSE(IsListMenuItemEnabled(kCmdOpenBrowser, s));
  EXPECT_TRUE(IsListMenuItemEnabled(kCmdEditCopy, s));
  EXPECT_FALSE(IsListMenuItemEnabled(kCmdLinkProperty, s));
  s.inTrash = true;
  s.clipboard = true;
  EXPECT_FALSE(*IsListCommandEnabled(kCmdEditCut, s));
  EXPECT_FALSE(*IsListCommandEnabled(kCmdEditPaste, s));
  EXPECT_TRUE(*IsListCommandEnabled(kCmdChangeLink, s));
}

class RecordingLauncher : public platform::IDesktopLauncher {
 public:
  bool Open(const std::string& target) override {
    opened.push_back(target);
    return answer;
  }
  std::vector<std::string> opened;
  bool answer = true;
};

TEST_F(LinkListTest, OpenAndMailHandTheTextOverAndOnlyAFailedMailIsReported) {
  RecordingLauncher launcher;
  a->m_strURL = ToCp932("http://例.example/?q=\"x\" $(rm -rf ~);");
  launcher.answer = false;
  OpenLinkInBrowser(a, launcher);
  MailToAdmin(a, launcher, ui);  // no address: nothing
  EXPECT_TRUE(ui.messages.empty());
  a->m_strEmail = "owner@a.example";
  MailToAdmin(a, launcher, ui);
  ASSERT_EQ(launcher.opened.size(), 2u);
  EXPECT_EQ(launcher.opened[0], "http://例.example/?q=\"x\" $(rm -rf ~);");
  EXPECT_EQ(launcher.opened[1], "mailto:owner@a.example");
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ResString(kIdsNoMailProgram));
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Exclamation);
}

}  // namespace
}  // namespace vesk
