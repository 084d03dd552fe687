// Every edit the undo history records, applied and undone on a document with no view attached,
// leaves the very file the document saved before it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/link_sort.h"
#include "document/view_commands.h"
#include "support/doc_fixture.h"

namespace vesk::test {
namespace {

class UndoWithoutViewsTest : public DocFixture {
 protected:
  // Top: A (links a1 a2 a3, sub-category A1 with link x), B (link b1), C;
  // work box: W (link w1); trash: T (link t1). The list order mixes parents on purpose.
  void Build() {
    ASSERT_TRUE(doc.OnNewDocument());
    a = AddCategory(Top(), "A");
    a1 = AddCategory(a, "A1");
    AddLink(a, "a1")->m_strURL = "http://a1/";
    b = AddCategory(Top(), "B");
    AddLink(a1, "x");
    AddLink(a, "a2")->m_strURL = "http://a2/";
    AddLink(b, "b1");
    AddLink(a, "a3")->m_strURL = "http://a0/";
    c = AddCategory(Top(), "C");
    w = AddCategory(doc.GetWorkBox(), "W");
    AddLink(w, "w1");
    LINKINFO* t = AddCategory(doc.GetTrash(), "T");
    AddLink(t, "t1");
    doc.SelectCategory(a, true);
  }

  std::string Saved(const std::string& name) {
    EXPECT_TRUE(doc.OnSaveDocument(dir.File(name)));
    return ReadBytes(dir.File(name));
  }

  // The links of category in list order, as the list shows them in manual order.
  std::vector<LINKINFO*> Links(const LINKINFO* category) {
    std::vector<LINKINFO*> out;
    for (LINKINFO* n : Children(category))
      if (!n->IsCategory()) out.push_back(n);
    return out;
  }

  LINKINFO* a = nullptr;
  LINKINFO* a1 = nullptr;
  LINKINFO* b = nullptr;
  LINKINFO* c = nullptr;
  LINKINFO* w = nullptr;
};

TEST_F(UndoWithoutViewsTest, EveryRecordedEditUndoneGivesBackTheSavedFile) {
  ui.answer = MbResult::Ok;
  ui.onCategory = [](CategoryFields& f) {
    f.title = "new or changed";
    return true;
  };
  ui.onLink = [](LinkFields& f) {
    f.title = "edited";
    f.url = "http://edited/";
    return true;
  };
  struct Edit {
    const char* name;
    int code;  // the operation code the edit records (the first of its group)
    std::function<void()> apply;
  };
  CNodeClipboard clipboard;
  const std::vector<Edit> edits = {
      {"new category", kUndoCreated, [&] { doc.OnNewCategory(); }},
      {"new link", kUndoCreated, [&] { doc.OnNewLink(); }},
      {"paste category", kUndoCreated,
       [&] {
         ASSERT_TRUE(CopyCategory(doc, b, clipboard));
         LINKINFO* pasted = PasteNode(doc, clipboard, c);
         ASSERT_NE(pasted, nullptr);
         RecordCreated(doc, pasted);
       }},
      {"paste link", kUndoCreated,
       [&] {
         ASSERT_TRUE(CopyLink(doc, {Links(a)[1]}, clipboard));
         LINKINFO* pasted = PasteNode(doc, clipboard);
         ASSERT_NE(pasted, nullptr);
         RecordCreated(doc, pasted);
       }},
      {"change link", kUndoChanged, [&] { ASSERT_TRUE(ChangeLink(doc, Links(a)[0])); }},
      {"change category", kUndoChanged, [&] { ASSERT_TRUE(ChangeCategory(doc, a1)); }},
      {"rename category", kUndoChanged, [&] { ASSERT_TRUE(RenameCategory(doc, c, "renamed")); }},
      {"empty trash", kUndoListAction, [&] { doc.OnEmptyTrash(); }},
      {"cut category", kUndoReparented,
       [&] { ASSERT_TRUE(CutCategory(doc, a, clipboard, PreviousSiblingCategory(doc, a))); }},
      {"drop category", kUndoReparented,
       [&] { ASSERT_TRUE(DropCategory(doc, b, w, PreviousSiblingCategory(doc, b))); }},
      {"cut links", kUndoListAction,
       [&] {
         ASSERT_TRUE(CutLinks(doc, {Links(a)[0], Links(a)[2]}, clipboard));
       }},
      {"drop links", kUndoListAction,
       [&] { ASSERT_TRUE(DropLinksOnCategory(doc, {Links(a)[1]}, c)); }},
      {"move category down", kUndoSwapped,
       [&] { ASSERT_TRUE(SwapCategories(doc, a, NeighbourCategory(doc, a, +1))); }},
      {"move category up", kUndoSwapped,
       [&] { ASSERT_TRUE(SwapCategories(doc, c, NeighbourCategory(doc, c, -1))); }},
      {"move link down", kUndoSwapped,
       [&] { ASSERT_TRUE(SwapLinks(doc, Links(a)[0], Links(a)[1])); }},
      {"move link up", kUndoSwapped,
       [&] { ASSERT_TRUE(SwapLinks(doc, Links(a)[2], Links(a)[1])); }},
      {"drag links in the list", kUndoListAction,
       [&] {
         const std::vector<LINKINFO*> rows = Links(a);
         ASSERT_TRUE(ReorderLinks(doc, rows, {rows[0]}, nullptr));
       }},
      {"sort by column", kUndoListAction,
       [&] { SortLinksByColumn(doc, Links(a), {}, kSortManual, kSortUrl); }},
      {"random sort", kUndoListAction, [&] { RandomSortLinks(doc, Links(a), {}, 12345u); }},
  };
  std::vector<int> codes;
  for (const Edit& edit : edits) {
    SCOPED_TRACE(edit.name);
    Build();
    const std::string before = Saved("before.knd");
    ASSERT_FALSE(doc.CanUndo());
    edit.apply();
    ASSERT_TRUE(doc.CanUndo());
    // The edit did change the document, else undoing it proves nothing.
    std::vector<int> recorded;
    for (const LINKINFO* record : doc.GetUndoList()) recorded.push_back(record->m_nUndoOp);
    EXPECT_EQ(recorded.back(), edit.code);
    codes.insert(codes.end(), recorded.begin(), recorded.end());
    doc.OnEditUndo();
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(Saved("after.knd"), before);
  }
  // Every operation code the history knows was exercised.
  for (int code : {kUndoCreated, kUndoChanged, kUndoEmptied, kUndoReparented, kUndoListAction,
                   kUndoSwapped, kUndoDragged, kUndoReordered}) {
    EXPECT_THAT(codes, ::testing::Contains(code)) << code;
  }
}

TEST_F(UndoWithoutViewsTest, AnEditChangesTheSavedFileBeforeItIsUndone) {
  // The comparison above would pass for edits that change nothing the file keeps.
  Build();
  const std::string before = Saved("before.knd");
  ASSERT_TRUE(SwapCategories(doc, a, NeighbourCategory(doc, a, +1)));
  ASSERT_TRUE(SwapLinks(doc, Links(a)[0], Links(a)[1]));
  EXPECT_NE(Saved("swapped.knd"), before);
}

TEST_F(UndoWithoutViewsTest, SelectionFollowsWithoutATree) {
  Build();
  doc.SelectCategory(c, false);
  EXPECT_EQ(doc.GetCurrent(), c);
  doc.SelectCategory(Links(a)[0], false);  // a link is never current
  EXPECT_EQ(doc.GetCurrent(), c);
}

TEST_F(UndoWithoutViewsTest, UndoneLinkSwapGivesBackTheOrderNumbers) {
  Build();
  std::vector<LINKINFO*> rows = MakeOrderPhysical(doc, Links(a), kSortManual);
  ASSERT_EQ(rows.size(), 3u);
  ASSERT_TRUE(SwapLinks(doc, rows[0], rows[1]));
  EXPECT_EQ(rows[0]->m_nOrder, 2);
  EXPECT_EQ(rows[1]->m_nOrder, 1);
  EXPECT_THAT(Links(a), ::testing::ElementsAre(rows[1], rows[0], rows[2]));
  doc.OnEditUndo();
  EXPECT_EQ(rows[0]->m_nOrder, 1);
  EXPECT_EQ(rows[1]->m_nOrder, 2);
  EXPECT_THAT(Links(a), ::testing::ElementsAre(rows[0], rows[1], rows[2]));
}

}  // namespace
}  // namespace vesk::test
