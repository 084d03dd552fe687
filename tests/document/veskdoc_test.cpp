#include "document/veskdoc.h"

#include <gtest/gtest.h>

#include <ctime>

#include "resources/string_ids.h"
#include "resources/string_table.h"
#include "support/doc_fixture.h"
#include "support/view_recorder.h"
#include "text/encoding.h"

namespace vesk {
namespace {

using test::DocFixture;

class VeskDocTest : public DocFixture {};

std::vector<std::uint32_t> Serials(const CVeskDoc& doc) {
  std::vector<std::uint32_t> out;
  for (const LINKINFO* n : doc.GetNodeList()) out.push_back(n->m_nSerial);
  return out;
}

TEST_F(VeskDocTest, NewDocumentHasTheThreeFixedCategories) {
  const NodeList& list = doc.GetNodeList();
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(Serials(doc), (std::vector<std::uint32_t>{0, 1, 2}));
  EXPECT_EQ(doc.GetNextSerial(), 3u);
  EXPECT_EQ(doc.GetTopCategory()->m_strTitle, "Top Category");
  EXPECT_EQ(doc.GetWorkBox()->m_strTitle, ToCp932("作業箱"));
  EXPECT_EQ(doc.GetTrash()->m_strTitle, ToCp932("ごみ箱"));
  EXPECT_EQ(doc.GetTopCategory()->m_nParentSerial, -1);
  EXPECT_EQ(doc.GetWorkBox()->m_nParentSerial, -2);
  EXPECT_EQ(doc.GetTrash()->m_nParentSerial, -3);
  for (const LINKINFO* n : list) {
    EXPECT_TRUE(n->IsCategory());
    EXPECT_EQ(n->m_pParent, nullptr);
    EXPECT_EQ(n->m_pSelf, n);
  }
  EXPECT_EQ(doc.GetCurrent(), nullptr);
  EXPECT_EQ(doc.StatusCounts(), "0001 / 0000");
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetTitle(), "Vesk");
  EXPECT_EQ(doc.GetPathName(), "");
  EXPECT_EQ(ToUtf8(doc.GetCaption()), "Vesk - Kestrelnest Application");
}

TEST_F(VeskDocTest, NodeConstructionTakesTodayAndTheLinkFlagSetting) {
  settings.SetLinkFlag(0x2200);
  LINKINFO* link = doc.CreateNode(NodeKind::NewLink);
  ASSERT_NE(link, nullptr);
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  EXPECT_EQ(link->m_nYear, local.tm_year + 1900);
  EXPECT_EQ(link->m_nMonth, local.tm_mon + 1);
  EXPECT_EQ(link->m_nDay, local.tm_mday);
  EXPECT_EQ(link->m_nFlags, 0x2200);
  EXPECT_EQ(link->m_nOrder, 1);
  EXPECT_EQ(link->m_nKind, 2);
  EXPECT_EQ(link->m_nSerial, 3u);
  EXPECT_EQ(doc.GetNodeList().back(), link);
}

TEST_F(VeskDocTest, CreateNodePutsTheNodeUnderTheCurrentCategory) {
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  EXPECT_EQ(link->m_pParent, doc.GetWorkBox());
}

TEST_F(VeskDocTest, NodeLimitRefusesThe2001stNode) {
  while (doc.GetNodeList().size() < 1999) ASSERT_NE(doc.CreateNode(NodeKind::Link), nullptr);
  EXPECT_NE(doc.CreateNode(NodeKind::Link), nullptr);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_EQ(doc.CreateNode(NodeKind::Link), nullptr);
  EXPECT_EQ(doc.GetNodeList().size(), 2000u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ResString(kIdsTooManyNodes));
  EXPECT_EQ(ui.messages[0].buttons, MbButtons::Ok);
  EXPECT_EQ(doc.GetNextSerial(), 2000u);  // no serial was used up
}

TEST_F(VeskDocTest, SerialsRunOutAt320000) {
  doc.SetNextSerial(319999);
  LINKINFO* last = doc.CreateNode(NodeKind::Link);
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(last->m_nSerial, 319999u);
  EXPECT_EQ(doc.CreateNode(NodeKind::Link), nullptr);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ResString(kIdsRenumberNeeded));
  EXPECT_EQ(doc.GetNodeList().size(), 4u);
  EXPECT_EQ(doc.AllocSerial(), -1);
}

TEST_F(VeskDocTest, DestroyNodeHandsTheSerialOutAgain) {
  LINKINFO* a = doc.CreateNode(NodeKind::NewLink);
  std::uint32_t serial = a->m_nSerial;
  doc.DestroyNode(a);
  EXPECT_EQ(doc.GetNodeList().size(), 3u);
  LINKINFO* b = doc.CreateNode(NodeKind::NewLink);
  EXPECT_EQ(b->m_nSerial, serial);
}

TEST_F(VeskDocTest, CheckSerialsFindsDuplicatesAndRaisesTheCounter) {
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  a->m_nSerial = 41;
  doc.SetNextSerial(10);
  EXPECT_TRUE(doc.CheckSerials());
  EXPECT_EQ(doc.GetNextSerial(), 42u);

  LINKINFO* b = doc.CreateNode(NodeKind::Link);
  b->m_nSerial = 41;
  EXPECT_FALSE(doc.CheckSerials());
  b->m_nSerial = 320000;
  EXPECT_FALSE(doc.CheckSerials());
  b->m_nSerial = 0xFFFFFFFF;
  EXPECT_FALSE(doc.CheckSerials());
  b->m_nSerial = 319999;
  EXPECT_TRUE(doc.CheckSerials());
  EXPECT_EQ(doc.GetNextSerial(), 320000u);
}

TEST_F(VeskDocTest, RenumberGivesListOrderSerialsAndClearsUndo) {
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  LINKINFO* b = doc.CreateNode(NodeKind::Link);
  a->m_nSerial = 900;
  b->m_nSerial = 5;
  for (int i = 0; i < 7; ++i) doc.RecordUndo(a, kUndoChanged, doc.BeginUndoGroup());
  doc.SetModifiedFlag(false);
  doc.Renumber();
  EXPECT_EQ(Serials(doc), (std::vector<std::uint32_t>{0, 1, 2, 3, 4}));
  EXPECT_EQ(doc.GetNextSerial(), 5u);
  EXPECT_TRUE(doc.GetUndoList().empty());
  EXPECT_EQ(doc.GetNextUndoGroup(), 0);
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(doc.FindBySerial(4), b);
  EXPECT_EQ(doc.FindBySerial(900), nullptr);
}

TEST_F(VeskDocTest, OnRenumberAsksFirst) {
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  a->m_nSerial = 77;
  ui.answers = {MbResult::Cancel};
  doc.OnRenumber();
  EXPECT_EQ(a->m_nSerial, 77u);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ResString(kIdsRenumberWarning));
  EXPECT_EQ(ui.messages[0].buttons, MbButtons::OkCancel);
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Information);
  ui.answers = {MbResult::Ok};
  doc.OnRenumber();
  EXPECT_EQ(a->m_nSerial, 3u);
}

TEST_F(VeskDocTest, FindBySerialReturnsTheFirstInListOrder) {
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  LINKINFO* b = doc.CreateNode(NodeKind::Link);
  LINKINFO* c = doc.CreateNode(NodeKind::Link);
  EXPECT_EQ(doc.FindBySerial(4), b);
  // Duplicates: the earlier one in the list wins, also after moves and removals.
  c->m_nSerial = 3;
  doc.SerialsChanged();
  EXPECT_EQ(doc.FindBySerial(3), a);
  doc.MoveNode(c, a);
  EXPECT_EQ(doc.FindBySerial(3), c);
  doc.RemoveNode(c);
  EXPECT_EQ(doc.FindBySerial(3), a);
  doc.InsertNodeAtHead(c);
  EXPECT_EQ(doc.FindBySerial(3), c);
  // A serial written without telling the document is still found.
  b->m_nSerial = 1234;
  EXPECT_EQ(doc.FindBySerial(1234), b);
  EXPECT_EQ(doc.FindBySerial(4), nullptr);
  doc.FreeNode(c);
  EXPECT_EQ(doc.FindBySerial(3), a);
  EXPECT_EQ(doc.FindBySerial(99), nullptr);
}

TEST_F(VeskDocTest, ListPrimitivesKeepPositionsAndMembership) {
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  LINKINFO* b = doc.CreateNode(NodeKind::Link);
  LINKINFO* c = doc.CreateNode(NodeKind::Link);
  doc.MoveNode(c, a);  // c a b at the end
  EXPECT_EQ(doc.NextNode(doc.GetTrash()), c);
  EXPECT_EQ(doc.NextNode(c), a);
  EXPECT_EQ(doc.PrevNode(a), c);
  EXPECT_EQ(doc.NextNode(b), nullptr);
  EXPECT_EQ(doc.PrevNode(doc.GetTopCategory()), nullptr);
  doc.MoveNode(a, nullptr);  // c b a
  EXPECT_EQ(doc.GetNodeList().back(), a);
  doc.RemoveNode(b);
  EXPECT_FALSE(doc.Contains(b));
  EXPECT_EQ(doc.NextNode(b), nullptr);
  EXPECT_EQ(doc.NextNode(c), a);
  doc.InsertNode(b, c);  // b c a
  EXPECT_TRUE(doc.Contains(b));
  EXPECT_EQ(doc.NextNode(b), c);
  LINKINFO stranger(1, 0);
  EXPECT_FALSE(doc.Contains(&stranger));
  EXPECT_FALSE(doc.Contains(nullptr));
}

// A user who answers OK in the find dialog (title search) and the CGI settings dialog.
struct AgreeingUI : test::ScriptedUI {
  std::string findText;
  bool RunFindDialog(FindDialogState& state) override {
    state.text = findText;
    state.mode = 0x200;
    return true;
  }
  bool EditCgiSettings(FILEINFO&) override { return true; }
};

TEST(VeskDocOwnTest, FreeingTheFoundNodeClearsTheFindPosition) {
  CMemorySettingsBackend backend;
  CVeskSettings settings{backend};
  AgreeingUI ui;
  CVeskDoc doc{settings, ui};
  doc.OnNewDocument();
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  a->m_strTitle = ui.findText = "hit";
  doc.OnFind();
  ASSERT_EQ(doc.GetFindPos(), a);
  doc.RecordUndo(a, kUndoCreated, doc.BeginUndoGroup());
  doc.OnEditUndo();  // takes it out into the discard list
  EXPECT_FALSE(doc.Contains(doc.GetFindPos()));
  doc.ClearUndo();
  EXPECT_EQ(doc.GetFindPos(), nullptr);
  EXPECT_FALSE(doc.Contains(doc.GetFindPos()));
  // Find Next keeps going, from the head, also in the next document.
  EXPECT_TRUE(doc.CanFindNext());
  doc.OnNewDocument();
  EXPECT_TRUE(doc.CanFindNext());
  LINKINFO* b = doc.CreateNode(NodeKind::Link);
  b->m_strTitle = "hit again";
  doc.OnFindNext();
  EXPECT_EQ(doc.GetFindPos(), b);
}

TEST_F(VeskDocTest, ClearUndoFreesRecordsAndDetachesChildrenOfFreedCategories) {
  doc.SelectCategory(doc.GetTopCategory(), true);
  LINKINFO* cat = doc.CreateNode(NodeKind::Category);
  doc.SelectCategory(cat, true);
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  // Emptying the trash keeps a removed category as its own undo record. The link stays listed
  // (its parent changed behind the document's back) and must not keep a freed parent.
  for (int i = 0; i <= kUndoGroupLimit; ++i) doc.BeginUndoGroup();  // wraps with nothing to drop
  ASSERT_TRUE(doc.UndoOverflowed());
  cat->m_pParent = doc.GetTrash();
  link->m_pParent = doc.GetWorkBox();
  doc.OnEmptyTrash();
  link->m_pParent = cat;
  doc.RecordUndo(link, kUndoChanged, doc.GetNextUndoGroup() - 1);
  doc.SetCurrent(cat);
  ASSERT_EQ(doc.GetCurrent(), cat);
  doc.ClearUndo();
  EXPECT_TRUE(doc.GetUndoList().empty());
  EXPECT_TRUE(doc.GetDiscardList().empty());
  EXPECT_EQ(doc.GetNextUndoGroup(), 0);
  EXPECT_FALSE(doc.UndoOverflowed());
  EXPECT_EQ(link->m_pParent, nullptr);
  EXPECT_EQ(doc.GetCurrent(), nullptr);
}

TEST_F(VeskDocTest, FindFirstChildStartsAtTheGivenNode) {
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  doc.SelectCategory(doc.GetTrash(), true);
  LINKINFO* other = doc.CreateNode(NodeKind::Link);
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* b = doc.CreateNode(NodeKind::Link);
  EXPECT_EQ(doc.FindFirstChild(doc.GetWorkBox()), a);
  EXPECT_EQ(doc.FindFirstChild(doc.GetWorkBox(), a), a);
  EXPECT_EQ(doc.FindFirstChild(doc.GetWorkBox(), doc.NextNode(a)), b);
  EXPECT_EQ(doc.FindFirstChild(doc.GetWorkBox(), other), b);
  EXPECT_EQ(doc.FindFirstChild(doc.GetTrash(), b), nullptr);
  EXPECT_EQ(doc.FindFirstChild(doc.GetTrash()), other);
  EXPECT_EQ(doc.FindFirstChild(nullptr), doc.GetTopCategory());
  doc.RemoveNode(other);
  EXPECT_EQ(doc.FindFirstChild(doc.GetWorkBox(), other), nullptr);
  doc.FreeNode(other);
}

TEST_F(VeskDocTest, SelectCategoryGoesThroughTheTree) {
  // A tree selects the item it is asked to, and the selection comes back as the tree's.
  struct Tree : IDocView {
    CVeskDoc* doc = nullptr;
    std::vector<int> hints;
    void OnUpdate(ViewHint hint, LINKINFO* node) override {
      hints.push_back(hint);
      if (hint == kHintSelectCategory) doc->SelectCategory(node, true);
    }
  } tree;
  tree.doc = &doc;
  doc.AddView(&tree);
  doc.SelectCategory(doc.GetTopCategory(), false);
  EXPECT_EQ(tree.hints, (std::vector<int>{kHintSelectCategory, kHintShowCategory}));
  EXPECT_EQ(doc.GetCurrent(), doc.GetTopCategory());
  doc.RemoveView(&tree);

  // Without a tree to answer, the document selects the category itself, once.
  test::ViewRecorder view;
  doc.AddView(&view);
  doc.SelectCategory(doc.GetWorkBox(), false);
  EXPECT_EQ(view.Codes(), (std::vector<int>{kHintSelectCategory, kHintShowCategory}));
  EXPECT_EQ(view.hints[0].second, doc.GetWorkBox());
  EXPECT_EQ(doc.GetCurrent(), doc.GetWorkBox());

  view.hints.clear();
  doc.SelectCategory(doc.GetTopCategory(), true);
  EXPECT_EQ(doc.GetCurrent(), doc.GetTopCategory());
  EXPECT_EQ(view.Codes(), std::vector<int>{kHintShowCategory});
  view.hints.clear();
  doc.SelectCategory(doc.GetWorkBox(), true);

  // Already current: nothing at all.
  view.hints.clear();
  doc.SelectCategory(doc.GetWorkBox(), false);
  EXPECT_TRUE(view.hints.empty());

  // Links are not categories; nodes outside the list are refused.
  LINKINFO* link = doc.CreateNode(NodeKind::Link);
  doc.SelectCategory(link, true);
  EXPECT_EQ(doc.GetCurrent(), doc.GetWorkBox());
  LINKINFO loose(0, 0);
  doc.SelectCategory(&loose, true);
  EXPECT_EQ(doc.GetCurrent(), doc.GetWorkBox());
  doc.RemoveView(&view);
}

TEST_F(VeskDocTest, ShowCurrentCategoryListsItsLinksInOrder) {
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* a = doc.CreateNode(NodeKind::Link);
  LINKINFO* sub = doc.CreateNode(NodeKind::Category);
  LINKINFO* b = doc.CreateNode(NodeKind::NewLink);
  b->m_nOrder = 0;
  doc.SelectCategory(sub, true);
  doc.CreateNode(NodeKind::Link);  // in the sub-category: not shown
  test::ViewRecorder view;
  doc.AddView(&view);
  doc.SelectCategory(doc.GetWorkBox(), true);
  ASSERT_EQ(view.hints.size(), 3u);
  EXPECT_EQ(view.hints[0], std::make_pair(int(kHintShowCategory), doc.GetWorkBox()));
  EXPECT_EQ(view.hints[1], std::make_pair(int(kHintAddLink), a));
  EXPECT_EQ(view.hints[2], std::make_pair(int(kHintAddSelectLink), b));
  doc.RemoveView(&view);
}

TEST_F(VeskDocTest, IsInTrashFollowsTheParents) {
  EXPECT_FALSE(doc.IsInTrash());
  doc.SelectCategory(doc.GetTrash(), true);
  EXPECT_TRUE(doc.IsInTrash());
  LINKINFO* sub = doc.CreateNode(NodeKind::Category);
  doc.SelectCategory(sub, true);
  LINKINFO* subsub = doc.CreateNode(NodeKind::Category);
  doc.SelectCategory(subsub, true);
  EXPECT_TRUE(doc.IsInTrash());
  doc.SelectCategory(doc.GetWorkBox(), true);
  EXPECT_FALSE(doc.IsInTrash());
  LINKINFO* wsub = doc.CreateNode(NodeKind::Category);
  doc.SelectCategory(wsub, true);
  EXPECT_FALSE(doc.IsInTrash());
  doc.SelectCategory(doc.GetTopCategory(), true);
  EXPECT_FALSE(doc.IsInTrash());
  // A parent loop (possible in a damaged file) ends the climb instead of hanging.
  LINKINFO* x = doc.CreateNode(NodeKind::Category);
  LINKINFO* y = doc.CreateNode(NodeKind::Category);
  x->m_pParent = y;
  y->m_pParent = x;
  doc.SelectCategory(x, true);
  EXPECT_FALSE(doc.IsInTrash());
}

TEST_F(VeskDocTest, ComputeUpdateTimesCarriesTheNewestDateUp) {
  doc.SelectCategory(doc.GetTopCategory(), true);
  LINKINFO* sub = doc.CreateNode(NodeKind::Category);
  LINKINFO* empty = doc.CreateNode(NodeKind::Category);
  LINKINFO* old = doc.CreateNode(NodeKind::Link);
  old->m_nYear = 2001, old->m_nMonth = 2, old->m_nDay = 3;
  doc.SelectCategory(sub, true);
  LINKINFO* subsub = doc.CreateNode(NodeKind::Category);
  doc.SelectCategory(subsub, true);
  LINKINFO* deep = doc.CreateNode(NodeKind::Link);
  deep->m_nYear = 2020, deep->m_nMonth = 7, deep->m_nDay = 15;
  doc.SelectCategory(doc.GetWorkBox(), true);
  LINKINFO* outside = doc.CreateNode(NodeKind::Link);
  outside->m_tUpdate = 4242;
  empty->m_tUpdate = 99;

  doc.ComputeUpdateTimes(doc.GetTopCategory());

  std::tm t{};
  t.tm_year = 2020 - 1900, t.tm_mon = 6, t.tm_mday = 15, t.tm_isdst = 0;
  std::int32_t expectDeep = static_cast<std::int32_t>(std::mktime(&t));
  std::tm o{};
  o.tm_year = 2001 - 1900, o.tm_mon = 1, o.tm_mday = 3, o.tm_isdst = 0;
  EXPECT_EQ(deep->m_tUpdate, expectDeep);
  EXPECT_EQ(old->m_tUpdate, static_cast<std::int32_t>(std::mktime(&o)));
  EXPECT_EQ(subsub->m_tUpdate, expectDeep);
  EXPECT_EQ(sub->m_tUpdate, expectDeep);
  EXPECT_EQ(doc.GetTopCategory()->m_tUpdate, expectDeep);
  EXPECT_EQ(empty->m_tUpdate, 0);
  EXPECT_EQ(outside->m_tUpdate, 4242);
}

TEST_F(VeskDocTest, StatusCountsCoverOnlyTheTopCategorySubtree) {
  doc.SelectCategory(doc.GetTopCategory(), true);
  LINKINFO* sub = doc.CreateNode(NodeKind::Category);
  doc.CreateNode(NodeKind::Link);
  doc.SelectCategory(sub, true);
  doc.CreateNode(NodeKind::Link);
  doc.CreateNode(NodeKind::NewLink);
  doc.SelectCategory(doc.GetWorkBox(), true);
  doc.CreateNode(NodeKind::Category);
  doc.CreateNode(NodeKind::Link);
  doc.SelectCategory(doc.GetTrash(), true);
  doc.CreateNode(NodeKind::Link);
  EXPECT_EQ(doc.StatusCounts(), "0002 / 0003");
  EXPECT_EQ(doc.GetCategoryCount(), 2u);
  EXPECT_EQ(doc.GetLinkCount(), 3u);
}

// The counts are kept between changes (the frame asks on every idle moment): each edit, its
// undo and a change of the tree's shape must still show.
TEST_F(VeskDocTest, StatusCountsFollowEditsUndoAndLoopingParents) {
  LINKINFO* sub = AddCategory(Top(), "sub");
  LINKINFO* one = AddLink(sub, "one");
  AddLink(Top(), "two");
  EXPECT_EQ(doc.StatusCounts(), "0002 / 0002");
  doc.MoveToTrash(one, doc.BeginUndoGroup());
  EXPECT_EQ(doc.StatusCounts(), "0002 / 0001");
  doc.OnEditUndo();
  EXPECT_EQ(doc.StatusCounts(), "0002 / 0002");
  LINKINFO* inner = AddCategory(sub, "inner");
  AddLink(inner, "three");
  EXPECT_EQ(doc.StatusCounts(), "0003 / 0003");
  // Parent chains read from a file may loop; a loop lies outside Top Category.
  sub->m_pParent = inner;
  doc.SetModifiedFlag();
  EXPECT_EQ(doc.StatusCounts(), "0001 / 0001");
  EXPECT_EQ(doc.GetCategoryCount(), 1u);
  EXPECT_EQ(doc.GetLinkCount(), 1u);
}

TEST_F(VeskDocTest, ResetReadsTheGenreListFromTheSettings) {
  EXPECT_EQ(doc.GetGenreList(), ResString(kIdsDefaultGenres));
  settings.SetGenreList("A\tB\t");
  ASSERT_TRUE(doc.OnNewDocument());
  EXPECT_EQ(doc.GetGenreList(), "A\tB\t");
  EXPECT_EQ(doc.GetNodeList().size(), 3u);
}

TEST_F(VeskDocTest, SetPathNameTakesTheTitleFromTheFileName) {
  doc.SetPathName("/home/u/links/site.knd");
  EXPECT_EQ(doc.GetTitle(), "site.knd");
  EXPECT_EQ(ToUtf8(doc.GetCaption()), "site.knd - Kestrelnest Application");
}

TEST_F(VeskDocTest, ViewsMayLeaveWhileBeingTold) {
  struct Leaver : IDocView {
    CVeskDoc* doc;
    int calls = 0;
    void OnUpdate(ViewHint, LINKINFO*) override {
      ++calls;
      doc->RemoveView(this);
    }
  } leaver;
  leaver.doc = &doc;
  test::ViewRecorder after;
  doc.AddView(&leaver);
  doc.AddView(&after);
  doc.UpdateAllViews(kHintColumnsChanged, nullptr);
  doc.UpdateAllViews(kHintColumnsChanged, nullptr);
  EXPECT_EQ(leaver.calls, 1);
  EXPECT_EQ(after.hints.size(), 2u);
  doc.RemoveView(&after);
}

TEST(LinkInfoTest, CopyValuesCopiesEveryValueButNotTheListPlace) {
  LINKINFO a(1, 768), b(0, 0);
  a.m_nUndoOp = 101, a.m_nUndoGroup = 5, a.m_nOrder = 0;
  a.m_pParent = &b, a.m_pUndoAux = &b, a.m_nSerial = 9;
  a.m_strFileName = "f", a.m_strAdmin = "ad", a.m_strEmail = "e", a.m_tUpdate = 123;
  a.m_nYear = 1999, a.m_nMonth = 12, a.m_nDay = 31, a.m_nMark = 3;
  a.m_strTitle = "t", a.m_strURL = "u", a.m_strComment = "c", a.m_strBanner = "bn";
  a.m_strKeywords = "\tk", a.m_nParentSerial = 4, a.m_nSortMode = 17;
  NodeList list{&a};
  a.m_posSelf = list.begin();
  b.CopyValues(a);
  EXPECT_EQ(b.m_nUndoOp, 101);
  EXPECT_EQ(b.m_nUndoGroup, 5);
  EXPECT_EQ(b.m_nOrder, 0);
  EXPECT_EQ(b.m_pSelf, &a);
  EXPECT_EQ(b.m_pParent, &b);
  EXPECT_EQ(b.m_pUndoAux, &b);
  EXPECT_EQ(b.m_nSerial, 9u);
  EXPECT_EQ(b.m_strFileName + b.m_strAdmin + b.m_strEmail, "fade");
  EXPECT_EQ(b.m_tUpdate, 123);
  EXPECT_EQ(b.m_nYear * 10000 + b.m_nMonth * 100 + b.m_nDay, 19991231);
  EXPECT_EQ(b.m_nMark, 3);
  EXPECT_EQ(b.m_strTitle + b.m_strURL + b.m_strComment + b.m_strBanner, "tucbn");
  EXPECT_EQ(b.m_strKeywords, "\tk");
  EXPECT_EQ(b.m_nKind, 1);
  EXPECT_EQ(b.m_nParentSerial, 4);
  EXPECT_EQ(b.m_nFlags, 768);
  EXPECT_EQ(b.m_nSortMode, 17);
  EXPECT_EQ(b.m_posSelf, NodePos{});
}

}  // namespace
}  // namespace vesk
