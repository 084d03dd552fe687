// The node store: ownership answered from pointer values, slots and ids across reuse, and the
// document refusing nodes it does not hold.
#include "document/node_store.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "support/doc_fixture.h"

namespace vesk {
namespace {

TEST(NodeStoreTest, HoldsOnlyItsLiveNodesAndIdsNeverOutliveThem) {
  CNodeStore store;
  std::vector<LINKINFO*> nodes;
  for (int i = 0; i < 10000; ++i) nodes.push_back(store.New(i % 3 ? 1 : 0, 768));  // many chunks
  EXPECT_EQ(store.Size(), 10000u);
  EXPECT_EQ(nodes[5]->m_nKind, 1);
  EXPECT_EQ(nodes[5]->m_pSelf, nodes[5]);
  std::set<std::size_t> slots;
  for (LINKINFO* n : nodes) {
    ASSERT_TRUE(store.Holds(n));
    ASSERT_LT(store.SlotOf(n), store.SlotCount());
    slots.insert(store.SlotOf(n));
  }
  EXPECT_EQ(slots.size(), nodes.size());

  LINKINFO stranger(1, 0);
  EXPECT_FALSE(store.Holds(&stranger));
  EXPECT_FALSE(store.Holds(nullptr));
  // A pointer into the middle of a node is not a node.
  auto* inside = reinterpret_cast<const LINKINFO*>(reinterpret_cast<const char*>(nodes[7]) + 8);
  EXPECT_FALSE(store.Holds(inside));

  const NodeId id = store.IdOf(nodes[42]);
  EXPECT_EQ(store.Find(id), nodes[42]);
  EXPECT_TRUE(store.Free(nodes[42]));
  EXPECT_FALSE(store.Holds(nodes[42]));
  EXPECT_FALSE(store.Free(nodes[42]));  // a second free is refused, not a double free
  EXPECT_EQ(store.Find(id), nullptr);
  // The slot serves the next node; the old id still names nothing.
  LINKINFO* reused = store.New(2, 0);
  EXPECT_EQ(reused, nodes[42]);
  EXPECT_EQ(store.Find(id), nullptr);
  EXPECT_EQ(store.Find(store.IdOf(reused)), reused);

  store.SetListed(nodes[1], true);
  EXPECT_TRUE(store.IsListed(nodes[1]));
  EXPECT_FALSE(store.IsListed(&stranger));
  const NodeId kept = store.IdOf(nodes[1]);
  store.Clear();
  EXPECT_EQ(store.Size(), 0u);
  EXPECT_FALSE(store.IsListed(nodes[1]));
  LINKINFO* fresh = store.New(1, 0);
  EXPECT_EQ(store.Find(kept), nullptr);  // ids do not survive Clear either
  EXPECT_TRUE(store.Holds(fresh));
}

class DocumentStoreTest : public test::DocFixture {};

TEST_F(DocumentStoreTest, ContainsAndIdsFollowTheNodeThroughFreeAndReuse) {
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  const NodeId id = doc.IdOf(link);
  EXPECT_EQ(doc.NodeById(id), link);
  doc.DestroyNode(link);
  // Asked about a freed pointer, the document answers from the pointer value alone.
  EXPECT_FALSE(doc.Contains(link));
  EXPECT_FALSE(doc.Holds(link));
  EXPECT_EQ(doc.NodeById(id), nullptr);
  LINKINFO* next = doc.CreateNode(NodeKind::Link);
  EXPECT_EQ(doc.NodeById(id), nullptr);  // even when next took the freed memory
  EXPECT_EQ(doc.NodeById(doc.IdOf(next)), next);
  // Undo records and undone nodes stay held until the history lets them go.
  LINKINFO* record = doc.RecordUndo(next, kUndoCreated, doc.BeginUndoGroup());
  EXPECT_TRUE(doc.Holds(record));
  EXPECT_FALSE(doc.Contains(record));
  doc.OnEditUndo();
  EXPECT_FALSE(doc.Holds(record));
  EXPECT_TRUE(doc.Holds(next));
  EXPECT_FALSE(doc.Contains(next));
  doc.BeginUndoGroup();
  EXPECT_FALSE(doc.Holds(next));
}

TEST_F(DocumentStoreTest, ANodeTheDocumentDoesNotHoldIsRefused) {
  LINKINFO stranger(1, 0);
#ifdef NDEBUG
  const std::size_t before = doc.GetNodeList().size();
  doc.InsertNode(&stranger);
  doc.InsertNodeAtHead(&stranger);
  doc.FreeNode(&stranger);
  EXPECT_EQ(doc.GetNodeList().size(), before);
  EXPECT_FALSE(doc.Contains(&stranger));
#else
  EXPECT_DEATH(doc.InsertNode(&stranger), "not held");
  EXPECT_DEATH(doc.SelectCategory(&stranger, true), "not held");
#endif
}

}  // namespace
}  // namespace vesk
