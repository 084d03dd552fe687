// Undo groups, the overflow rule, the modified state and the undo of each operation code.
#include <algorithm>

#include "support/doc_test_support.h"

namespace vesk::test::editing {
namespace {

using ::testing::ElementsAre;

class UndoTest : public DocTest {};

bool ConfirmLink(LinkFields& f) {
  f.title = "site";
  return true;
}

TEST_F(UndoTest, NewLinkUndoRemovesItAndReturnsToUnmodified) {
  ui.onLink = ConfirmLink;
  doc.OnNewLink();
  ASSERT_EQ(doc.GetNodeList().size(), 4u);
  LINKINFO* link = doc.GetNodeList().back();
  EXPECT_EQ(link->m_nKind, 2);
  EXPECT_EQ(link->m_pParent, doc.GetTopCategory());
  EXPECT_THAT(view.Codes(), ElementsAre(kHintNewLink));
  EXPECT_TRUE(doc.IsModified());

  view.Clear();
  doc.OnEditUndo();
  EXPECT_FALSE(doc.Contains(link));
  EXPECT_THAT(view.Codes(), ElementsAre(kHintRemoveLink));
  EXPECT_EQ(view.hints[0].second, link);
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());

  doc.OnEditUndo();  // nothing left
  EXPECT_EQ(ui.beeps, 1);
  // The undone node is freed with the next recorded edit, not before (views may still hold it).
  EXPECT_EQ(doc.GetDiscardList().size(), 1u);
  doc.BeginUndoGroup();
  EXPECT_TRUE(doc.GetDiscardList().empty());
}

TEST_F(UndoTest, CancelledNewNodeLeavesNoRecordAndGivesTheSerialBack) {
  const auto next = doc.GetNextSerial();
  ui.onLink = [](LinkFields&) { return false; };
  doc.OnNewLink();
  ui.onCategory = [](CategoryFields& f) {
    f.title.clear();  // OK with an empty name does not count as confirmed
    return true;
  };
  doc.OnNewCategory();
  EXPECT_EQ(doc.GetNextSerial(), next);
  EXPECT_EQ(doc.GetNodeList().size(), 3u);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_TRUE(view.hints.empty());
}

TEST_F(UndoTest, NewLinkTakesTheSheetValuesAndStartsWithTheDefaults) {
  LinkFields seen;
  ui.onLink = [&](LinkFields& f) {
    seen = f;
    f.title = "T";
    f.url = "http://x/";
    f.admin = "A";
    f.email = "e@x";
    f.comment = "C";
    f.banner = "<IMG>";
    f.keywords = "\tk";
    f.year = 2001;
    f.month = 1;
    f.day = 5;
    f.mark = 2;
    f.flags = 0x600;
    f.genreList = "changed\t";  // the sheet never changes the genre list
    return true;
  };
  doc.GetFileInfo().m_strHtmlFolder = "/web/html";
  doc.OnNewLink();
  EXPECT_EQ(seen.title, "web page Title");
  EXPECT_EQ(seen.url, "http://");
  EXPECT_EQ(seen.genreList, doc.GetGenreList());
  EXPECT_EQ(seen.bannerBase, "/web/html");
  LINKINFO* link = doc.GetNodeList().back();
  EXPECT_EQ(link->m_strURL, "http://x/");
  EXPECT_EQ(link->m_strKeywords, "\tk");
  EXPECT_EQ(link->m_nYear, 2001);
  EXPECT_EQ(link->m_nDay, 5);
  EXPECT_EQ(link->m_nMark, 2);
  EXPECT_EQ(link->m_nFlags, 0x600);
  EXPECT_NE(doc.GetGenreList(), "changed\t");
}

TEST_F(UndoTest, BannerBaseFallsBackFromCgiToHtmlFolderToDocumentPath) {
  std::string base;
  ui.onLink = [&](LinkFields& f) {
    base = f.bannerBase;
    return false;
  };
  LINKINFO* link = Link(doc.GetTopCategory(), "x");
  doc.SetPathName("/data/links.knd");
  doc.EditLink(link);
  EXPECT_EQ(base, "/data/links.knd");
  doc.GetFileInfo().m_strHtmlFolder = "/h";
  doc.EditLink(link);
  EXPECT_EQ(base, "/h");
  doc.GetFileInfo().m_strCgiFolder = "/c";
  doc.EditLink(link);
  EXPECT_EQ(base, "/c");
  // The folder fields are Shift_JIS; the base is handed on as the file system names it.
  doc.GetFileInfo().m_strCgiFolder = ToCp932("/ウェブ/cgi");
  doc.EditLink(link);
  EXPECT_EQ(base, "/ウェブ/cgi");
}

TEST_F(UndoTest, NewCategorySelectsItAndUndoSelectsTheParentAgain) {
  ui.onCategory = [](CategoryFields& f) {
    EXPECT_EQ(f.title, "New Category");
    f.title = "News";
    f.fileName = "news";
    f.comment = "c";
    return true;
  };
  doc.OnNewCategory();
  LINKINFO* cat = doc.GetNodeList().back();
  EXPECT_EQ(cat->m_strTitle, "News");
  EXPECT_EQ(cat->m_strFileName, "news");
  ASSERT_GE(view.hints.size(), 2u);
  EXPECT_EQ(view.hints[0], std::make_pair(int(kHintAddCategory), cat));
  EXPECT_EQ(view.hints[1], std::make_pair(int(kHintSelectCategory), cat));
  EXPECT_EQ(doc.GetCurrent(), cat);

  view.Clear();
  doc.OnEditUndo();
  EXPECT_FALSE(doc.Contains(cat));
  ASSERT_GE(view.hints.size(), 2u);
  EXPECT_EQ(view.hints[0], std::make_pair(int(kHintDeleteCategory), cat));
  EXPECT_EQ(view.hints[1], std::make_pair(int(kHintSelectCategory), doc.GetTopCategory()));
  EXPECT_EQ(doc.GetCurrent(), doc.GetTopCategory());
}

TEST_F(UndoTest, UndoneCategoryDoesNotStayCurrentWithoutATree) {
  ui.onCategory = [](CategoryFields&) { return true; };
  doc.OnNewCategory();
  LINKINFO* cat = doc.GetNodeList().back();
  doc.SelectCategory(cat, true);
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetCurrent(), doc.GetTopCategory());
}

TEST_F(UndoTest, CategoryDialogLimitsAndTheAutoSetting) {
  LINKINFO* cat = Cat(doc.GetTopCategory(), "old");
  bool enabled = true;
  std::string title;
  ui.onCategory = [&](CategoryFields& f) {
    enabled = f.fileNameEnabled;
    f.title = title;
    return true;
  };
  settings.SetAuto(1);
  title = std::string(257, 'a');
  EXPECT_FALSE(doc.EditCategory(cat));
  EXPECT_FALSE(enabled);
  EXPECT_EQ(cat->m_strTitle, "old");
  settings.SetAuto(0);
  title = std::string(256, 'a');
  EXPECT_TRUE(doc.EditCategory(cat));
  EXPECT_TRUE(enabled);
  EXPECT_EQ(cat->m_strTitle.size(), 256u);
}

TEST_F(UndoTest, CancelledChangeLeavesNoGroupAndNoModification) {
  LINKINFO* link = Link(doc.GetTopCategory(), "a");
  ui.onLink = [](LinkFields& f) {
    f.title = "changed";
    return false;
  };
  EXPECT_FALSE(ChangeLink(doc, link));
  EXPECT_EQ(link->m_strTitle, "a");
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_FALSE(doc.IsModified());
  EXPECT_EQ(doc.GetNextUndoGroup(), 0);
}

TEST_F(UndoTest, ChangeLinkUndoRestoresValuesAndRefreshesOrReselects) {
  LINKINFO* box = Cat(doc.GetTopCategory(), "box");
  LINKINFO* here = Link(doc.GetTopCategory(), "here");
  LINKINFO* there = Link(box, "there");
  ui.onLink = [](LinkFields& f) {
    f.title += "!";
    f.url = "http://changed/";
    return true;
  };
  ASSERT_TRUE(ChangeLink(doc, here));
  ASSERT_TRUE(ChangeLink(doc, there));
  EXPECT_EQ(there->m_strTitle, "there!");

  view.Clear();
  doc.OnEditUndo();  // "there" is not in the current category: select its category, then 302
  EXPECT_EQ(there->m_strTitle, "there");
  EXPECT_EQ(there->m_strURL, "");
  ASSERT_GE(view.hints.size(), 2u);
  EXPECT_EQ(view.hints.front(), std::make_pair(int(kHintSelectCategory), box));
  EXPECT_EQ(view.hints.back(), std::make_pair(int(kHintAddSelectLink), there));

  Select(doc.GetTopCategory());
  view.Clear();
  doc.OnEditUndo();  // "here" is in the current category: only its texts
  EXPECT_EQ(here->m_strTitle, "here");
  EXPECT_THAT(view.hints, ElementsAre(std::make_pair(int(kHintLinkText), here)));
  EXPECT_EQ(here->m_pSelf, here);
}

TEST_F(UndoTest, ChangeCategoryUndoGivesBackTheTextsInPlace) {
  LINKINFO* cat = Cat(doc.GetTopCategory(), "cat");
  ui.onCategory = [](CategoryFields& f) {
    f.title = "renamed";
    return true;
  };
  ASSERT_TRUE(ChangeCategory(doc, cat));
  view.Clear();
  doc.OnEditUndo();
  EXPECT_EQ(cat->m_strTitle, "cat");
  EXPECT_EQ(cat->m_pParent, doc.GetTopCategory());
  EXPECT_EQ(cat->m_pSelf, cat);
  ASSERT_GE(view.hints.size(), 2u);
  EXPECT_EQ(view.hints[0], std::make_pair(int(kHintCategoryText), cat));
  EXPECT_EQ(view.hints[1], std::make_pair(int(kHintSelectCategory), cat));
}

TEST_F(UndoTest, ChangeCategoryRefusedForWorkBoxAndInTrash) {
  ui.onCategory = [](CategoryFields&) { return true; };
  EXPECT_FALSE(ChangeCategory(doc, doc.GetWorkBox()));
  EXPECT_TRUE(ChangeCategory(doc, doc.GetTopCategory()));
  LINKINFO* thrown = Cat(doc.GetTrash(), "thrown");
  Select(thrown);
  EXPECT_FALSE(ChangeCategory(doc, thrown));
  EXPECT_EQ(ui.beeps, 0);  // silently
}

TEST_F(UndoTest, RenameRecordsOnlyARealChange) {
  LINKINFO* cat = Cat(doc.GetTopCategory(), "name");
  EXPECT_FALSE(RenameCategory(doc, cat, ""));
  EXPECT_FALSE(RenameCategory(doc, cat, "name"));
  EXPECT_FALSE(doc.IsModified());
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_TRUE(RenameCategory(doc, cat, "Name"));
  EXPECT_EQ(cat->m_strTitle, "Name");
  doc.OnEditUndo();
  EXPECT_EQ(cat->m_strTitle, "name");
}

TEST_F(UndoTest, OverflowDropsTheOldestGroupAndKeepsTheDocumentModified) {
  LINKINFO* cat = Cat(doc.GetTopCategory(), "v0");
  for (int i = 1; i <= 1001; ++i) ASSERT_TRUE(RenameCategory(doc, cat, "v" + std::to_string(i)));
  EXPECT_TRUE(doc.UndoOverflowed());
  EXPECT_EQ(doc.GetUndoList().size(), 1000u);
  int undone = 0;
  while (doc.CanUndo()) {
    doc.OnEditUndo();
    ++undone;
  }
  EXPECT_EQ(undone, 1000);
  EXPECT_EQ(cat->m_strTitle, "v1");  // the first rename can no longer be undone
  EXPECT_TRUE(doc.IsModified());
}

TEST_F(UndoTest, GroupNumbersWrapAndAreReusedAfterUndo) {
  EXPECT_EQ(doc.BeginUndoGroup(), 0);
  EXPECT_EQ(doc.BeginUndoGroup(), 1);
  LINKINFO* cat = Cat(doc.GetTopCategory(), "x");
  doc.RecordUndo(cat, kUndoChanged, 1);
  EXPECT_EQ(cat->m_nUndoOp, kUndoChanged);
  EXPECT_EQ(cat->m_nUndoGroup, 1);
  doc.OnEditUndo();
  EXPECT_EQ(doc.GetNextUndoGroup(), 1);
  EXPECT_EQ(doc.BeginUndoGroup(), 1);
  while (doc.GetNextUndoGroup() < 999) doc.BeginUndoGroup();
  EXPECT_EQ(doc.BeginUndoGroup(), 999);
  EXPECT_FALSE(doc.UndoOverflowed());
  EXPECT_EQ(doc.BeginUndoGroup(), 0);
  EXPECT_TRUE(doc.UndoOverflowed());
}

TEST_F(UndoTest, OneUndoTakesExactlyTheNewestGroup) {
  LINKINFO* a = Link(doc.GetTopCategory(), "a");
  LINKINFO* b = Link(doc.GetTopCategory(), "b");
  const int g1 = doc.BeginUndoGroup();
  doc.RecordUndo(a, kUndoChanged, g1);
  a->m_strTitle = "a1";
  const int g2 = doc.BeginUndoGroup();
  doc.RecordUndo(a, kUndoChanged, g2);
  doc.RecordUndo(b, kUndoChanged, g2);
  a->m_strTitle = "a2";
  b->m_strTitle = "b2";
  doc.OnEditUndo();
  EXPECT_EQ(a->m_strTitle, "a1");
  EXPECT_EQ(b->m_strTitle, "b");
  doc.OnEditUndo();
  EXPECT_EQ(a->m_strTitle, "a");
}

TEST_F(UndoTest, SettingsCommandKeepsTheDocumentModifiedAfterUndo) {
  ui.onCgi = [](FILEINFO&) { return true; };
  doc.OnCgiSettings();
  EXPECT_TRUE(doc.SettingsChanged());
  LINKINFO* cat = Cat(doc.GetTopCategory(), "x");
  RenameCategory(doc, cat, "y");
  doc.OnEditUndo();
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_TRUE(doc.IsModified());
  doc.ClearUndo();  // as saving does
  EXPECT_FALSE(doc.SettingsChanged());
  doc.SetModifiedFlag(false);
  RenameCategory(doc, cat, "z");
  doc.OnEditUndo();
  EXPECT_FALSE(doc.IsModified());
}

TEST_F(UndoTest, DiscardOnEmptyHistoryDoesNothing) {
  doc.SetModifiedFlag(true);
  doc.DiscardLastUndoGroup();
  EXPECT_TRUE(doc.IsModified());
  EXPECT_EQ(ui.beeps, 0);
}

TEST_F(UndoTest, CutCategoryWithSubtreeComesBackAmongItsSiblings) {
  LINKINFO* top = doc.GetTopCategory();
  LINKINFO* a = Cat(top, "A");
  LINKINFO* b = Cat(top, "B");
  LINKINFO* c = Cat(top, "C");
  LINKINFO* sub = Cat(b, "B1");
  LINKINFO* link = Link(sub, "l");
  CNodeClipboard clip;
  Select(b);
  view.Clear();
  ASSERT_TRUE(CutCategory(doc, b, clip, PreviousSiblingCategory(doc, b)));
  EXPECT_EQ(b->m_pParent, doc.GetTrash());
  EXPECT_EQ(sub->m_pParent, b);
  EXPECT_EQ(link->m_pParent, sub);
  EXPECT_EQ(clip.Node()->m_strTitle, "B");
  EXPECT_EQ(doc.GetCurrent(), top);  // the former parent is selected
  EXPECT_THAT(ChildTitles(top), ElementsAre("A", "C"));

  view.Clear();
  doc.OnEditUndo();
  ASSERT_EQ(view.movedBack.size(), 1u);
  EXPECT_EQ(view.movedBack[0].live, b);
  EXPECT_EQ(view.movedBack[0].parent, top);
  EXPECT_EQ(view.movedBack[0].sibling, a);
  EXPECT_EQ(b->m_pParent, top);
  EXPECT_THAT(ChildTitles(top), ElementsAre("A", "B", "C"));
  (void)c;
}

TEST_F(UndoTest, CategoryCommandsRefusedWithABeep) {
  CNodeClipboard clip;
  EXPECT_FALSE(CutCategory(doc, doc.GetTopCategory(), clip, nullptr));
  EXPECT_FALSE(CopyCategory(doc, doc.GetWorkBox(), clip));
  EXPECT_FALSE(PasteNode(doc, clip, doc.GetTopCategory()));
  EXPECT_EQ(ui.beeps, 3);
  EXPECT_TRUE(clip.IsEmpty());
  LINKINFO* a = Cat(doc.GetTopCategory(), "A");
  LINKINFO* a1 = Cat(a, "A1");
  EXPECT_FALSE(DropCategory(doc, a, a, nullptr));
  EXPECT_FALSE(DropCategory(doc, a, a1, nullptr));
  EXPECT_FALSE(DropCategory(doc, a, doc.GetTopCategory(), nullptr));
  EXPECT_FALSE(DropCategory(doc, doc.GetTrash(), a, nullptr));
  EXPECT_EQ(ui.beeps, 7);
  EXPECT_FALSE(doc.CanUndo());
  EXPECT_TRUE(DropCategory(doc, a1, doc.GetWorkBox(), nullptr));
  EXPECT_EQ(a1->m_pParent, doc.GetWorkBox());
  doc.OnEditUndo();
  EXPECT_EQ(a1->m_pParent, a);
}

TEST_F(UndoTest, PastedCategoryIsOneNodeAndUndoRemovesIt) {
  LINKINFO* a = Cat(doc.GetTopCategory(), "A");
  Cat(a, "A1");
  a->m_strComment = "comment";
  CNodeClipboard clip;
  ASSERT_TRUE(CopyCategory(doc, a, clip));
  LINKINFO* target = doc.GetWorkBox();
  Select(target);
  LINKINFO* pasted = PasteNode(doc, clip, target);
  ASSERT_NE(pasted, nullptr);
  RecordCreated(doc, pasted);
  EXPECT_EQ(pasted->m_strComment, "comment");
  EXPECT_EQ(pasted->m_pParent, target);
  EXPECT_EQ(pasted->m_pSelf, pasted);
  EXPECT_NE(pasted->m_nSerial, a->m_nSerial);
  EXPECT_TRUE(ChildTitles(pasted).empty());
  doc.OnEditUndo();
  EXPECT_FALSE(doc.Contains(pasted));
}

TEST_F(UndoTest, SwapCategoriesAndUndoSendsTheRecordToTheTree) {
  LINKINFO* top = doc.GetTopCategory();
  LINKINFO* a = Cat(top, "A");
  LINKINFO* b = Cat(top, "B");
  EXPECT_EQ(NeighbourCategory(doc, a, +1), b);
  EXPECT_EQ(NeighbourCategory(doc, b, -1), a);
  EXPECT_EQ(NeighbourCategory(doc, a, -1), nullptr);
  ASSERT_TRUE(SwapCategories(doc, a, b));
  EXPECT_THAT(ChildTitles(top), ElementsAre("B", "A"));
  view.Clear();
  doc.OnEditUndo();
  EXPECT_THAT(view.Codes(), ElementsAre(kHintUndoCategorySwap));
  ASSERT_EQ(view.swapRecords.size(), 1u);
  EXPECT_EQ(view.swapRecords[0], std::make_pair(b, a));
  EXPECT_THAT(ChildTitles(top), ElementsAre("A", "B"));
  EXPECT_FALSE(SwapCategories(doc, top, nullptr));
  EXPECT_EQ(ui.beeps, 1);
}

}  // namespace
}  // namespace vesk::test::editing
