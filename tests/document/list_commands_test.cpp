// The link list's commands as the document sees them, the trash, and the order undo restores.
#include "document/link_sort.h"
#include "support/doc_test_support.h"

namespace vesk::test::editing {
namespace {

using ::testing::ElementsAre;

class ListCommandsTest : public DocTest {
 protected:
  void SetUp() override {
    DocTest::SetUp();
    top = doc.GetTopCategory();
    c = Link(top, "c");
    a = Link(top, "a");
    d = Link(top, "d");
    b = Link(top, "b");
    view.Clear();
  }
  Strings Titles(const std::vector<LINKINFO*>& links) {
    Strings out;
    for (auto* l : links) out.push_back(l->m_strTitle);
    return out;
  }
  // Links shown with m_nOrder 0 come back selected (hint 302) when the list is refilled.
  Strings SelectedOnRefill() {
    Strings out;
    for (const auto& [hint, node] : view.hints) {
      if (hint == kHintAddSelectLink) out.push_back(node->m_strTitle);
    }
    return out;
  }
  LINKINFO *top, *a, *b, *c, *d;
};

TEST_F(ListCommandsTest, CutLinksGoToTheTrashAndUndoBringsThemBackSelected) {
  CNodeClipboard clip;
  ASSERT_TRUE(CutLinks(doc, {a, d, b}, clip));
  EXPECT_EQ(clip.Node()->m_strTitle, "b");  // the last one cut
  EXPECT_THAT(ChildTitles(top), ElementsAre("c"));
  EXPECT_THAT(ChildTitles(doc.GetTrash()), ElementsAre("a", "d", "b"));
  view.Clear();
  doc.OnEditUndo();
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "a", "d", "b"));
  EXPECT_EQ(view.hints.front(), std::make_pair(int(kHintShowCategory), top));
  EXPECT_THAT(SelectedOnRefill(), ElementsAre("a", "d", "b"));
}

TEST_F(ListCommandsTest, ListCommandsRefusedWithABeep) {
  CNodeClipboard clip;
  EXPECT_FALSE(CutLinks(doc, {}, clip));
  EXPECT_FALSE(CopyLink(doc, {a, b}, clip));
  EXPECT_FALSE(SwapLinks(doc, a, nullptr));
  Select(doc.GetTrash());
  EXPECT_FALSE(CutLinks(doc, {a}, clip));
  EXPECT_EQ(ui.beeps, 4);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ListCommandsTest, PasteLinkPlacedFirstWithTailOffAndUndoRemovesIt) {
  CNodeClipboard clip;
  b->m_strURL = "http://b/";
  ASSERT_TRUE(CopyLink(doc, {b}, clip));
  LINKINFO* pasted = PasteNode(doc, clip);
  ASSERT_NE(pasted, nullptr);
  EXPECT_EQ(pasted->m_strURL, "http://b/");
  EXPECT_EQ(pasted->m_pParent, top);
  auto rows = Rows(top);  // the new row was added, manual order puts it last
  rows = PlaceNewLink(doc, rows, pasted, kSortManual, /*tail=*/false);
  RecordCreated(doc, pasted);
  EXPECT_EQ(rows.front(), pasted);
  EXPECT_THAT(ChildTitles(top), ElementsAre("b", "c", "a", "d", "b"));
  EXPECT_EQ(Rows(top).front(), pasted);
  doc.OnEditUndo();
  EXPECT_FALSE(doc.Contains(pasted));
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "a", "d", "b"));
}

TEST_F(ListCommandsTest, SwapLinksAndUndoSelectsTheCategoryFirst) {
  ASSERT_TRUE(SwapLinks(doc, a, d));
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "d", "a", "b"));
  Select(doc.GetWorkBox());
  view.Clear();
  doc.OnEditUndo();
  ASSERT_EQ(view.hints.size(), 7u);  // 103, 300, four 301, 306
  EXPECT_EQ(view.hints.front(), std::make_pair(int(kHintSelectCategory), top));
  EXPECT_EQ(view.hints.back().first, kHintUndoLinkSwap);
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "a", "d", "b"));
}

TEST_F(ListCommandsTest, ColumnSortIsPhysicalAndUndoRestoresOrderAndSelection) {
  auto rows = Rows(top);
  rows = SortLinksByColumn(doc, rows, {d}, kSortManual, kSortTitle);
  EXPECT_THAT(Titles(rows), ElementsAre("a", "b", "c", "d"));
  EXPECT_THAT(ChildTitles(top), ElementsAre("a", "b", "c", "d"));
  EXPECT_EQ(top->m_nSortMode, kSortTitle);
  EXPECT_EQ(a->m_nOrder, 1);
  EXPECT_EQ(d->m_nOrder, 4);
  rows = SortLinksByColumn(doc, rows, {}, kSortTitle, kSortTitle + kSortDescending);
  EXPECT_THAT(ChildTitles(top), ElementsAre("d", "c", "b", "a"));

  view.Clear();
  doc.OnEditUndo();
  EXPECT_THAT(ChildTitles(top), ElementsAre("a", "b", "c", "d"));
  EXPECT_EQ(top->m_nSortMode, kSortTitle);
  doc.OnEditUndo();
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "a", "d", "b"));
  EXPECT_EQ(top->m_nSortMode, kSortManual);
  EXPECT_THAT(SelectedOnRefill(), ElementsAre("d"));
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ListCommandsTest, SortOfOneRowRecordsNothing) {
  LINKINFO* box = doc.GetWorkBox();
  LINKINFO* only = Link(box, "only");
  Select(box);
  auto rows = SortLinksByColumn(doc, {only}, {}, kSortManual, kSortUrl);
  EXPECT_EQ(rows.size(), 1u);
  EXPECT_EQ(box->m_nSortMode, kSortUrl);
  EXPECT_FALSE(doc.CanUndo());
  // Same code as the active one: nothing at all.
  SortLinksByColumn(doc, Rows(top), {}, kSortUrl, kSortUrl);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ListCommandsTest, RandomSortKeepsTheSortModeAndUndoRestores) {
  for (int i = 0; i < 30; ++i) Link(top, "n" + std::to_string(i));
  top->m_nSortMode = kSortTitle;
  const Strings before = ChildTitles(top);
  auto rows = RandomSortLinks(doc, Rows(top), {b}, 12345u);
  EXPECT_EQ(top->m_nSortMode, kSortTitle);
  EXPECT_NE(ChildTitles(top), before);
  EXPECT_EQ(Titles(rows), ChildTitles(top));
  for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]->m_nOrder, int(i) + 1);
  view.Clear();
  doc.OnEditUndo();
  EXPECT_EQ(ChildTitles(top), before);
  EXPECT_THAT(SelectedOnRefill(), ElementsAre("b"));
}

TEST_F(ListCommandsTest, DraggingInsideTheListAndUndo) {
  top->m_nSortMode = kSortTitle;
  const auto rows = Rows(top);                    // c a d b
  EXPECT_FALSE(ReorderLinks(doc, rows, {a}, a));  // onto itself
  EXPECT_FALSE(ReorderLinks(doc, rows, {a}, d));  // onto the row right after it
  EXPECT_FALSE(doc.CanUndo());

  view.Clear();
  ASSERT_TRUE(ReorderLinks(doc, rows, {a, b}, c));
  EXPECT_THAT(ChildTitles(top), ElementsAre("a", "b", "c", "d"));
  EXPECT_EQ(top->m_nSortMode, kSortManual);
  EXPECT_EQ(view.hints.front().first, kHintShowCategory);
  EXPECT_THAT(SelectedOnRefill(), ElementsAre("a", "b"));

  ASSERT_TRUE(ReorderLinks(doc, Rows(top), {b, c}, nullptr));
  EXPECT_THAT(ChildTitles(top), ElementsAre("a", "d", "b", "c"));
  doc.OnEditUndo();
  EXPECT_THAT(ChildTitles(top), ElementsAre("a", "b", "c", "d"));
  doc.OnEditUndo();
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "a", "d", "b"));
  EXPECT_EQ(top->m_nSortMode, kSortTitle);
}

TEST_F(ListCommandsTest, DroppingLinksOnACategoryAndUndo) {
  LINKINFO* box = doc.GetWorkBox();
  EXPECT_FALSE(DropLinksOnCategory(doc, {a}, top));  // the category shown
  ASSERT_TRUE(DropLinksOnCategory(doc, {a, b}, box));
  EXPECT_THAT(ChildTitles(box), ElementsAre("a", "b"));
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "d"));
  view.Clear();
  doc.OnEditUndo();
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "a", "d", "b"));
  EXPECT_THAT(SelectedOnRefill(), ElementsAre("a", "b"));
}

TEST_F(ListCommandsTest, MoveNodeBeforeAndAfterReportWhetherTheyMoved) {
  EXPECT_FALSE(doc.MoveNodeBefore(a, a));
  EXPECT_FALSE(doc.MoveNodeBefore(a, d));        // already right before
  EXPECT_FALSE(doc.MoveNodeBefore(b, nullptr));  // already last
  EXPECT_TRUE(doc.MoveNodeBefore(b, c));
  EXPECT_THAT(ChildTitles(top), ElementsAre("b", "c", "a", "d"));
  EXPECT_FALSE(doc.MoveNodeAfter(c, b));  // already right after
  EXPECT_TRUE(doc.MoveNodeAfter(b, d));
  EXPECT_THAT(ChildTitles(top), ElementsAre("c", "a", "d", "b"));
  EXPECT_TRUE(doc.MoveNodeAfter(b, nullptr));
  EXPECT_EQ(doc.GetNodeList().front(), b);
  EXPECT_FALSE(doc.MoveNodeAfter(b, nullptr));
  // A swap of two nodes that are not neighbours moves the later one before the earlier one.
  doc.SwapNodes(c, b);
  EXPECT_EQ(doc.GetNodeList().front(), c);
  doc.SwapNodes(a, c);
  EXPECT_THAT(ChildTitles(top), ElementsAre("a", "c", "b", "d"));
}

TEST_F(ListCommandsTest, EmptyTrashAndUndoRestoreTheTrashInItsOrder) {
  LINKINFO* trash = doc.GetTrash();
  CNodeClipboard clip;
  CutLinks(doc, {a}, clip);
  LINKINFO* cat = Cat(top, "cat");
  LINKINFO* l1 = Link(cat, "l1");
  LINKINFO* sub = Cat(cat, "sub");
  LINKINFO* l2 = Link(cat, "l2");
  LINKINFO* l3 = Link(sub, "l3");
  CutCategory(doc, cat, clip, nullptr);
  const Strings trashBefore = ChildTitles(trash);
  const std::size_t sizeBefore = doc.GetNodeList().size();
  Select(sub);  // inside the trash: emptying selects the trash itself
  doc.SetModifiedFlag(false);
  view.Clear();
  EXPECT_TRUE(doc.TrashHasChildren());
  doc.OnEmptyTrash();
  EXPECT_TRUE(doc.IsModified());
  EXPECT_FALSE(doc.TrashHasChildren());  // the answer kept for enabling follows the change
  EXPECT_EQ(doc.GetNodeList().size(), sizeBefore - 6);
  EXPECT_TRUE(ChildTitles(trash).empty());
  EXPECT_EQ(doc.GetCurrent(), trash);
  EXPECT_EQ(view.hints.back(), std::make_pair(int(kHintEmptyTrash), trash));
  EXPECT_EQ(view.hints.front(), std::make_pair(int(kHintSelectCategory), trash));
  // Emptied nodes do not count toward the node limit.
  for (LINKINFO* n : {a, cat, l1, sub, l2, l3}) EXPECT_FALSE(doc.Contains(n));

  view.Clear();
  doc.OnEditUndo();
  EXPECT_EQ(ChildTitles(trash), trashBefore);
  EXPECT_TRUE(doc.TrashHasChildren());
  EXPECT_THAT(ChildTitles(cat), ElementsAre("l1", "sub", "l2"));
  EXPECT_THAT(ChildTitles(sub), ElementsAre("l3"));
  EXPECT_EQ(doc.GetNodeList().size(), sizeBefore);
  // Categories come back parent first, so the tree can insert each under its parent.
  std::vector<LINKINFO*> restored;
  for (const auto& [hint, node] : view.hints) {
    if (hint == kHintRestoreCategory) restored.push_back(node);
  }
  EXPECT_THAT(restored, ElementsAre(cat, sub));
  // The 201 record of the category that was current (sub) reselects it last.
  std::vector<LINKINFO*> selected;
  for (const auto& [hint, node] : view.hints) {
    if (hint == kHintSelectCategory) selected.push_back(node);
  }
  EXPECT_THAT(selected, ElementsAre(sub));
  EXPECT_EQ(doc.GetCurrent(), sub);
  (void)l1, (void)l2, (void)l3;
}

TEST_F(ListCommandsTest, FreeingAnUndoneLinkForgetsItAsTheLastHit) {
  ui.onLink = [](LinkFields& f) {
    f.title = "fresh";
    return true;
  };
  doc.OnNewLink();
  LINKINFO* fresh = doc.GetNodeList().back();
  ui.onFind = [](FindDialogState& s) {
    s.text = "fresh";
    s.mode = 0x200;
    return true;
  };
  doc.OnFind();
  ASSERT_EQ(doc.GetFindPos(), fresh);
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetFindPos(), fresh);  // still alive in the discard list
  doc.BeginUndoGroup();                // frees it
  EXPECT_EQ(doc.GetFindPos(), nullptr);
}

TEST_F(ListCommandsTest, OverflowFreesTheNodesOfAnEmptiedTrash) {
  CNodeClipboard clip;
  CutLinks(doc, {a, b}, clip);
  doc.OnEmptyTrash();
  for (int i = 0; i < 1000; ++i) doc.BeginUndoGroup();
  // Both groups (cut and empty) were dropped, the emptied links with them.
  EXPECT_TRUE(std::none_of(doc.GetUndoList().begin(), doc.GetUndoList().end(),
                           [](const LINKINFO* r) { return r->m_nUndoOp == kUndoEmptied; }));
}

}  // namespace
}  // namespace vesk::test::editing
