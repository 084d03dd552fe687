// Moving the links a check found wanting into the work box.
#include "app/link_check/link_check_park.h"

#include <gtest/gtest.h>

#include "support/doc_fixture.h"
#include "support/view_recorder.h"

namespace vesk::test {
namespace {

class ParkLinks : public DocFixture {
 protected:
  ParkLinks() { doc.AddView(&view); }
  ~ParkLinks() override { doc.RemoveView(&view); }
  ViewRecorder view;
};

TEST_F(ParkLinks, MovesLinksOfSeveralCategoriesAsOneUndoGroupAndUndoPutsThemBack) {
  LINKINFO* news = AddCategory(Top(), "news");
  LINKINFO* a = AddLink(Top(), "a");
  LINKINFO* b = AddLink(news, "b");
  LINKINFO* keep = AddLink(news, "keep");
  doc.SetCurrent(Top());
  view.Clear();

  EXPECT_EQ(ParkLinksInWorkBox(doc, {doc.IdOf(a), doc.IdOf(b), doc.IdOf(a)}), 2u);
  EXPECT_EQ(a->m_pParent, doc.GetWorkBox());
  EXPECT_EQ(b->m_pParent, doc.GetWorkBox());
  EXPECT_EQ(keep->m_pParent, news);
  EXPECT_TRUE(doc.IsModified());
  // The list shows the current category again, without the moved link.
  ASSERT_TRUE(view.Saw(kHintShowCategory));
  for (const auto& [hint, node] : view.hints) EXPECT_NE(node, a) << hint;

  doc.OnEditUndo();
  EXPECT_EQ(a->m_pParent, Top());
  EXPECT_EQ(b->m_pParent, news);
  EXPECT_FALSE(doc.CanUndo()) << "one group for the whole move";
}

TEST_F(ParkLinks, SkipsFreedNodesCategoriesAndLinksAlreadyThereAndRecordsNothingThen) {
  LINKINFO* gone = AddLink(Top(), "gone");
  const NodeId goneId = doc.IdOf(gone);
  doc.DestroyNode(gone);
  LINKINFO* parked = AddLink(doc.GetWorkBox(), "parked");
  LINKINFO* category = AddCategory(Top(), "category");
  const int nextGroup = doc.GetNextUndoGroup();

  EXPECT_EQ(ParkLinksInWorkBox(doc, {goneId, doc.IdOf(parked), doc.IdOf(category), NodeId{}}), 0u);
  EXPECT_EQ(category->m_pParent, Top());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_EQ(doc.GetNextUndoGroup(), nextGroup);
}

}  // namespace
}  // namespace vesk::test
