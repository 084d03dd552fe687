// The tree as drop target of links dragged out of the list, driven as the list drives it, with a
// stand-in list that answers hint 403 by moving its selected links through the document.
#include "ui/logic/link_drop_target.h"

#include "document/view_commands.h"
#include "support/doc_test_support.h"

namespace vesk::test::editing {
namespace {

using ::testing::ElementsAre;

// Moves its selected links to the category a drop names, as the link list does.
class ListStandIn : public IDocView {
 public:
  explicit ListStandIn(CVeskDoc& doc) : m_doc(doc) {}
  void OnUpdate(ViewHint hint, LINKINFO* node) override {
    if (hint != kHintLinksDropped) return;
    drops.push_back(node);
    moved = DropLinksOnCategory(m_doc, selected, node);
  }
  std::vector<LINKINFO*> selected;
  std::vector<LINKINFO*> drops;
  bool moved = false;

 private:
  CVeskDoc& m_doc;
};

class LinkDropTargetTest : public DocTest {
 protected:
  void SetUp() override {
    DocTest::SetUp();
    doc.AddView(&list);
    a = Link(Top(), "a");
    b = Link(Top(), "b");
    c = Link(Top(), "c");
    target = Cat(Top(), "target");
    list.selected = {a, c};
    doc.SetModifiedFlag(false);
  }
  void TearDown() override { doc.RemoveView(&list); }
  static LinkDragPointer Over(LINKINFO* category) { return {true, category}; }
  static LinkDragPointer Outside() { return {false, nullptr}; }

  ListStandIn list{doc};
  CLinkDropTarget tree{doc};
  LINKINFO* a = nullptr;
  LINKINFO* b = nullptr;
  LINKINFO* c = nullptr;
  LINKINFO* target = nullptr;
};

TEST_F(LinkDropTargetTest, ReleaseOnTheHighlightedCategoryMovesTheLinksAsOneUndoGroup) {
  tree.Start();
  EXPECT_FALSE(tree.Move(Outside()).imageShown);  // still over the list
  // Coming in shows the image; the next move takes the category under the pointer.
  LinkDragLook look = tree.Move(Over(target));
  EXPECT_TRUE(look.imageShown);
  EXPECT_EQ(look.highlight, nullptr);
  EXPECT_EQ(tree.Move(Over(target)).highlight, target);
  // Between items the last category stays highlighted and is where the links go.
  EXPECT_EQ(tree.Move(Over(nullptr)).highlight, target);

  EXPECT_EQ(tree.Release(Over(nullptr)), target);
  EXPECT_FALSE(tree.Dragging());
  EXPECT_THAT(list.drops, ElementsAre(target));
  EXPECT_THAT(ChildTitles(target), ElementsAre("a", "c"));
  EXPECT_THAT(ChildTitles(Top()), ElementsAre("b", "target"));
  EXPECT_TRUE(doc.IsModified());

  doc.OnEditUndo();
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_THAT(ChildTitles(target), ElementsAre());
  EXPECT_EQ(a->m_pParent, Top());
  EXPECT_EQ(c->m_pParent, Top());
}

TEST_F(LinkDropTargetTest, NoDropOutsideTheTreeOrOnACategoryNoLongerHighlighted) {
  // Released over the list after crossing the tree.
  tree.Start();
  tree.Move(Over(target));
  tree.Move(Over(target));
  EXPECT_EQ(tree.Release(Outside()), nullptr);

  // Leaving the tree takes the highlight away, and with it the target: coming back over empty
  // space and releasing there drops nothing.
  tree.Start();
  tree.Move(Over(target));
  tree.Move(Over(target));
  const LinkDragLook away = tree.Move(Outside());
  EXPECT_FALSE(away.imageShown);
  EXPECT_EQ(away.highlight, nullptr);
  tree.Move(Over(nullptr));
  tree.Move(Over(nullptr));
  EXPECT_EQ(tree.Release(Over(nullptr)), nullptr);

  // Hints from a drag that never started are ignored.
  EXPECT_EQ(tree.Move(Over(target)).highlight, nullptr);
  EXPECT_EQ(tree.Release(Over(target)), nullptr);

  EXPECT_TRUE(list.drops.empty());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_THAT(ChildTitles(Top()), ElementsAre("a", "b", "c", "target"));
}

TEST_F(LinkDropTargetTest, TheShownCategoryAndACategoryEmptiedMeanwhileRefuseTheDrop) {
  // Dropped on the category the list shows: the tree answers, the list moves nothing.
  tree.Start();
  tree.Move(Over(Top()));
  tree.Move(Over(Top()));
  EXPECT_EQ(tree.Release(Over(Top())), Top());
  EXPECT_FALSE(list.moved);
  EXPECT_FALSE(doc.CanUndo());

  // A category thrown away and emptied from the trash during the drag is no target.
  LINKINFO* thrown = Cat(doc.GetTrash(), "thrown");
  tree.Start();
  tree.Move(Over(thrown));
  tree.Move(Over(thrown));
  doc.OnEmptyTrash();
  EXPECT_EQ(tree.Release(Over(thrown)), nullptr);
  EXPECT_EQ(list.drops.size(), 1u);
  EXPECT_EQ(a->m_pParent, Top());

  // Links may be dropped into the trash, the work box and categories inside the trash.
  LINKINFO* parked = Cat(doc.GetTrash(), "parked");
  for (LINKINFO* onto : {doc.GetWorkBox(), parked, doc.GetTrash()}) {
    tree.Start();
    tree.Move(Over(onto));
    tree.Move(Over(onto));
    EXPECT_EQ(tree.Release(Over(onto)), onto);
    EXPECT_TRUE(list.moved);
    EXPECT_EQ(a->m_pParent, onto);
    doc.OnEditUndo();
    EXPECT_EQ(a->m_pParent, Top());
  }
}

}  // namespace
}  // namespace vesk::test::editing
