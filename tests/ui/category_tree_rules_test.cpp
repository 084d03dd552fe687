// The category tree's rules without a display: enabling by role, context menus, drags, renames
// and the key repeat rule.
#include "ui/logic/category_tree_rules.h"

#include "support/doc_test_support.h"
#include "text/encoding.h"
#include "ui/logic/command_table.h"

namespace vesk::test::editing {
namespace {

class CategoryTreeRulesTest : public DocTest {
 protected:
  TreeState At(LINKINFO* category, bool clipboard = false) {
    Select(category);
    return TreeStateOf(doc, category, clipboard);
  }
  static bool On(int command, const TreeState& s) { return TreeCommandEnabled(command, s).value(); }
};

TEST_F(CategoryTreeRulesTest, EnablingFollowsTheSelectedCategory) {
  LINKINFO* top = doc.GetTopCategory();
  LINKINFO* a = Cat(top, "a");
  LINKINFO* b = Cat(top, "b");
  Link(top, "link between");
  LINKINFO* c = Cat(top, "c");
  LINKINFO* thrown = Cat(doc.GetTrash(), "thrown");

  for (LINKINFO* fixed : {top, doc.GetWorkBox()}) {
    const TreeState s = At(fixed, true);
    EXPECT_FALSE(On(kCmdEditCut, s));
    EXPECT_FALSE(On(kCmdEditCopy, s));
    EXPECT_TRUE(On(kCmdEditPaste, s));
    EXPECT_FALSE(On(kCmdMoveUp, s));
    EXPECT_FALSE(On(kCmdMoveDown, s));
    EXPECT_TRUE(On(kCmdChangeCategory, s));  // refused by the action, not the rule
  }
  // The trash and everything in it: nothing goes in or out by the clipboard.
  for (LINKINFO* inside : {doc.GetTrash(), thrown}) {
    const TreeState s = At(inside, true);
    EXPECT_TRUE(s.inTrash);
    EXPECT_FALSE(On(kCmdEditCut, s));
    EXPECT_FALSE(On(kCmdEditPaste, s));
    EXPECT_FALSE(On(kCmdMoveUp, s));
  }
  EXPECT_FALSE(On(kCmdEditPaste, At(a, false)));

  // Neighbours are sibling categories: the link between b and c does not count.
  TreeState s = At(a);
  EXPECT_TRUE(On(kCmdEditCut, s) && On(kCmdEditCopy, s));
  EXPECT_FALSE(On(kCmdMoveUp, s));
  EXPECT_TRUE(On(kCmdMoveDown, s));
  s = At(b);
  EXPECT_TRUE(On(kCmdMoveUp, s) && On(kCmdMoveDown, s));
  s = At(c);
  EXPECT_TRUE(On(kCmdMoveUp, s));
  EXPECT_FALSE(On(kCmdMoveDown, s));
  EXPECT_FALSE(TreeCommandEnabled(kCmdFileSave, s).has_value());
}

TEST_F(CategoryTreeRulesTest, ContextMenusByPlace) {
  auto enabled = [](const TreeContextMenu& m) {
    std::vector<std::pair<int, bool>> out;
    for (const auto& e : m.entries) out.emplace_back(e.command, e.enabled);
    return out;
  };
  using P = std::pair<int, bool>;
  TreeContextMenu m = TreeContextMenuFor(At(doc.GetTrash()));
  EXPECT_STREQ(m.name, "DustBox");
  EXPECT_EQ(enabled(m), (std::vector<P>{{kCmdEmptyTrash, false}}));
  LINKINFO* thrown = Cat(doc.GetTrash(), "thrown");
  m = TreeContextMenuFor(At(thrown));
  EXPECT_STREQ(m.entries[0].text, "ごみ箱を空にする");
  EXPECT_EQ(enabled(m), (std::vector<P>{{kCmdEmptyTrash, true}}));

  m = TreeContextMenuFor(At(doc.GetTopCategory()));
  EXPECT_STREQ(m.name, "TreeMenu");
  EXPECT_EQ(enabled(m), (std::vector<P>{{kCmdNewCategory, true},
                                        {kCmdChangeCategory, true},
                                        {kCmdDeleteCategory, false},
                                        {kCmdCategoryProperty, false}}));
  EXPECT_EQ(enabled(TreeContextMenuFor(At(doc.GetWorkBox()))),
            (std::vector<P>{{kCmdNewCategory, true},
                            {kCmdChangeCategory, false},
                            {kCmdDeleteCategory, false},
                            {kCmdCategoryProperty, false}}));
  EXPECT_EQ(enabled(TreeContextMenuFor(At(Cat(doc.GetWorkBox(), "parked")))),
            (std::vector<P>{{kCmdNewCategory, true},
                            {kCmdChangeCategory, true},
                            {kCmdDeleteCategory, true},
                            {kCmdCategoryProperty, false}}));
}

TEST_F(CategoryTreeRulesTest, DragsAndDrops) {
  LINKINFO* top = doc.GetTopCategory();
  LINKINFO* a = Cat(top, "a");
  LINKINFO* child = Cat(a, "child");
  LINKINFO* grandchild = Cat(child, "grandchild");
  LINKINFO* b = Cat(top, "b");
  for (LINKINFO* root : {top, doc.GetWorkBox(), doc.GetTrash()}) {
    EXPECT_FALSE(CanDragCategory(doc, root));
    EXPECT_FALSE(CanDropCategory(doc, root, b));
  }
  EXPECT_FALSE(CanDropCategory(doc, a, a));
  EXPECT_FALSE(CanDropCategory(doc, a, grandchild));
  EXPECT_FALSE(CanDropCategory(doc, a, top));  // its own parent
  EXPECT_FALSE(CanDropCategory(doc, a, Link(b, "a link")));
  EXPECT_TRUE(CanDropCategory(doc, a, b));
  EXPECT_TRUE(CanDropCategory(doc, grandchild, a));  // up two levels
  EXPECT_TRUE(CanDropCategory(doc, a, doc.GetTrash()));
  EXPECT_TRUE(CanDropCategory(doc, a, doc.GetWorkBox()));
  // A category inside the trash may be dragged back out.
  LINKINFO* thrown = Cat(doc.GetTrash(), "thrown");
  EXPECT_TRUE(CanDropCategory(doc, thrown, top));
  // Parents in a ring (a damaged file) end the walk.
  a->m_pParent = grandchild;
  EXPECT_TRUE(CanDropCategory(doc, b, a));
  a->m_pParent = top;
}

TEST_F(CategoryTreeRulesTest, RenameRules) {
  EXPECT_FALSE(CanStartRename(At(doc.GetWorkBox())));
  EXPECT_FALSE(CanStartRename(At(doc.GetTrash())));
  EXPECT_FALSE(CanStartRename(At(Cat(doc.GetTrash(), "thrown"))));
  EXPECT_TRUE(CanStartRename(At(doc.GetTopCategory())));
  EXPECT_TRUE(CanStartRename(At(Cat(doc.GetWorkBox(), "parked"))));

  const std::string old = ToCp932("ニュース");
  EXPECT_EQ(AcceptedLabel("新しい名前", old), ToCp932("新しい名前"));
  EXPECT_FALSE(AcceptedLabel("", old));
  EXPECT_FALSE(AcceptedLabel("ニュース", old));          // the same bytes
  EXPECT_FALSE(AcceptedLabel("\xF0\x9F\x98\x80", old));  // no Shift_JIS form
  EXPECT_EQ(AcceptedLabel(std::string(256, 'x'), old)->size(), 256u);
  EXPECT_FALSE(AcceptedLabel(std::string(257, 'x'), old));
  std::string wide;  // two bytes a character in Shift_JIS: the limit counts bytes
  for (int i = 0; i < 129; ++i) wide += "あ";
  EXPECT_FALSE(AcceptedLabel(wide, old));
  EXPECT_TRUE(AcceptedLabel(wide.substr(3), old));
}

TEST(CategoryTreeKeys, CtrlLetterHeldDownActsOnce) {
  CTreeKeys keys;
  EXPECT_EQ(keys.KeyDown('V', true), TreeKeyAction::Paste);
  EXPECT_EQ(keys.KeyDown('V', true), TreeKeyAction::None);  // auto-repeat
  EXPECT_EQ(keys.KeyDown('V', true), TreeKeyAction::None);
  keys.KeyUp();
  EXPECT_EQ(keys.KeyDown('V', true), TreeKeyAction::Paste);
  // Another key in between lets the letter act again, without a release.
  EXPECT_EQ(keys.KeyDown('C', true), TreeKeyAction::Copy);
  EXPECT_EQ(keys.KeyDown('V', true), TreeKeyAction::Paste);
  EXPECT_EQ(keys.KeyDown('X', true), TreeKeyAction::Cut);
  EXPECT_EQ(keys.KeyDown('Z', true), TreeKeyAction::Undo);
  EXPECT_EQ(keys.KeyDown('Q', true), TreeKeyAction::None);
  // Plain keys act on every press, repeats included.
  EXPECT_EQ(keys.KeyDown(kTreeKeyDelete, false), TreeKeyAction::Cut);
  EXPECT_EQ(keys.KeyDown(kTreeKeyDelete, false), TreeKeyAction::Cut);
  EXPECT_EQ(keys.KeyDown(kTreeKeyEnter, false), TreeKeyAction::Change);
  EXPECT_EQ(keys.KeyDown(kTreeKeyF2, false), TreeKeyAction::Rename);
  EXPECT_EQ(keys.KeyDown('V', false), TreeKeyAction::None);
}

}  // namespace
}  // namespace vesk::test::editing
