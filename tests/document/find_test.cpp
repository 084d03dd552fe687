// Find, Find Next and the search dialog's history and mode rules.
#include "document/find_history.h"
#include "support/doc_test_support.h"
#include "text/encoding.h"

namespace vesk::test::editing {
namespace {

using ::testing::ElementsAre;

class FindTest : public DocTest {
 protected:
  // Scripts the dialog: it reports what it was opened with and answers OK with text and mode.
  void Answer(const std::string& text, int mode, bool ok = true) {
    ui.onFind = [=, this](FindDialogState& s) {
      openedWith = s.history;
      openedMode = s.mode;
      s.text = text;
      s.mode = mode;
      return ok;
    };
  }
  std::string openedWith;
  int openedMode = -1;
};

TEST_F(FindTest, DefaultModeSearchesTitlesOnly) {
  LINKINFO* l = Link(doc.GetTopCategory(), "Title");
  l->m_strURL = "http://only-in-url/";
  Answer("only-in-url", settings.GetSearchMode());
  doc.OnFind();
  EXPECT_EQ(openedMode, 0x200);
  EXPECT_EQ(doc.GetFindPos(), nullptr);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ToCp932("検索結果:見つかりませんでした。"));
  EXPECT_EQ(ui.messages[0].icon, MbIcon::Information);
  EXPECT_FALSE(doc.CanFindNext());
}

TEST_F(FindTest, FindThenFindNextWrapsAround) {
  LINKINFO* box = Cat(doc.GetTopCategory(), "box");
  LINKINFO* first = Link(doc.GetWorkBox(), "xx word");
  Link(doc.GetTopCategory(), "other");
  LINKINFO* second = Link(box, "word yy");
  Answer("word", 0x200);
  doc.OnFind();
  EXPECT_EQ(doc.GetFindPos(), first);
  EXPECT_EQ(doc.GetCurrent(), doc.GetWorkBox());  // the tree switched to the hit's category
  ASSERT_GE(view.hints.size(), 2u);
  EXPECT_EQ(view.hints[view.hints.size() - 2].first, kHintDeselectAll);
  EXPECT_EQ(view.hints.back(), std::make_pair(int(kHintAddSelectLink), first));
  doc.OnFindNext();
  EXPECT_EQ(doc.GetFindPos(), second);
  EXPECT_EQ(doc.GetCurrent(), box);
  doc.OnFindNext();
  EXPECT_EQ(doc.GetFindPos(), first);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FindTest, SingleHitFindNextReportsNoOtherHit) {
  LINKINFO* only = Link(doc.GetTopCategory(), "unique");
  Answer("unique", 0x200);
  doc.OnFind();
  view.Clear();
  doc.OnFindNext();
  EXPECT_EQ(doc.GetFindPos(), only);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].text, ToCp932("検索結果:他は見つかりませんでした。"));
  EXPECT_TRUE(view.hints.empty());  // the selection is not changed
}

TEST_F(FindTest, CurrentCategoryScopeSkipsSubCategoriesAndTrashIsSearchedOtherwise) {
  LINKINFO* sub = Cat(doc.GetTopCategory(), "sub");
  Link(sub, "needle");
  LINKINFO* thrown = Link(doc.GetTrash(), "needle");
  EXPECT_EQ(doc.FindFrom("needle", 0x100 | 0x200, nullptr), nullptr);
  EXPECT_EQ(doc.FindFrom("needle", 0x200, thrown) != nullptr, true);
  Select(doc.GetTrash());
  EXPECT_EQ(doc.FindFrom("needle", 0x100 | 0x200, nullptr), thrown);
}

TEST_F(FindTest, MatchIsCaseSensitiveByteExactAndInFieldOrder) {
  LINKINFO* l = Link(doc.GetTopCategory(), "Kestrel");
  l->m_strURL = "http://u/";
  l->m_strAdmin = "adm";
  l->m_strEmail = "";
  l->m_strComment = "note";
  l->m_strKeywords = "G\t\tkw";
  EXPECT_FALSE(doc.MatchLink(l, "kestrel", 0x200));
  EXPECT_TRUE(doc.MatchLink(l, "Kestrel", 0x200));
  // Fields are joined title, URL, administrator, e-mail, comment, keywords; empty ones count.
  EXPECT_TRUE(doc.MatchLink(l, "Kestrel\thttp://u/", 0x200 | 0x800));
  EXPECT_TRUE(doc.MatchLink(l, "adm\t\tnote", 0x2000 | 0x4000 | 0x400));
  EXPECT_FALSE(doc.MatchLink(l, "adm\tnote", 0x2000 | 0x4000 | 0x400));
  EXPECT_TRUE(doc.MatchLink(l, "note\tG\t\tkw", 0x400 | 0x1000));
  EXPECT_TRUE(doc.MatchLink(l, "Kestrel\tnote", 0x400 | 0x200));
  EXPECT_FALSE(doc.MatchLink(l, "note\tKestrel", 0x400 | 0x200));  // comment comes after title
  EXPECT_FALSE(doc.MatchLink(l, "note", 0x200 | 0x1000));
  EXPECT_FALSE(doc.MatchLink(doc.GetTopCategory(), "Top", 0x200));  // categories never match
}

TEST_F(FindTest, MatchNeverStartsOnASecondByte) {
  // "ア" is 0x83 0x41: its second byte is 'A' and must not be found by "A".
  LINKINFO* l = Link(doc.GetTopCategory(), ToCp932("アイ"));
  EXPECT_FALSE(doc.MatchLink(l, "A", 0x200));
  EXPECT_FALSE(doc.MatchLink(l, std::string("\x41\x83", 2), 0x200));
  EXPECT_TRUE(doc.MatchLink(l, ToCp932("イ"), 0x200));
  LINKINFO* ascii = Link(doc.GetTopCategory(), ToCp932("ア") + "A");
  EXPECT_TRUE(doc.MatchLink(ascii, "A", 0x200));
}

TEST_F(FindTest, FindNextAfterTheHitLeftTheListStartsFromTheHead) {
  LINKINFO* x = Link(doc.GetTopCategory(), "x1");
  LINKINFO* y = Link(doc.GetTopCategory(), "x2");
  Answer("x", 0x200);
  doc.OnFind();
  doc.OnFindNext();
  ASSERT_EQ(doc.GetFindPos(), y);
  CNodeClipboard clip;
  Select(doc.GetTopCategory());
  CutLinks(doc, {y}, clip);
  doc.OnEmptyTrash();
  doc.OnFindNext();
  EXPECT_EQ(doc.GetFindPos(), x);
}

TEST_F(FindTest, HistoryIsStoredAfterOkWithATextAndModeAfterEveryOk) {
  settings.SetSearchWords("b\tA\ta");
  Link(doc.GetTopCategory(), "a");
  Answer("a", 0x200 | 0x800);
  doc.OnFind();
  EXPECT_EQ(openedWith, "b\tA\ta");
  EXPECT_EQ(settings.GetSearchWords(), "a\tb\tA");  // moved to the front, "A" stays
  EXPECT_EQ(settings.GetSearchMode(), 0xA00);

  Answer("", 0x100);
  doc.OnFind();
  EXPECT_EQ(settings.GetSearchWords(), "a\tb\tA");
  EXPECT_EQ(settings.GetSearchMode(), 0x100);

  Answer("zzz", 0x200, /*ok=*/false);
  doc.OnFind();
  EXPECT_EQ(settings.GetSearchWords(), "a\tb\tA");
  EXPECT_EQ(settings.GetSearchMode(), 0x100);

  // Not found still stores the word.
  Answer("missing", 0x200);
  doc.OnFind();
  EXPECT_EQ(settings.GetSearchWords(), "missing\ta\tb\tA");
}

TEST_F(FindTest, HistoryKeepsTenWords) {
  std::string words;
  for (int i = 0; i < 10; ++i) words += (i ? "\t" : "") + std::string("w") + std::to_string(i);
  settings.SetSearchWords(words);
  Answer("new", 0x200);
  doc.OnFind();
  auto entries = HistoryEntries(settings.GetSearchWords());
  ASSERT_EQ(entries.size(), 10u);
  EXPECT_EQ(entries.front(), "new");
  EXPECT_EQ(entries.back(), "w8");
}

TEST(FindDialogRules, ClosingBuildsTheListAndTheMode) {
  FindControls controls;
  controls.currentCategory = true;
  controls.keywords = true;
  controls.email = true;
  auto out = CloseFindDialog("b", "a\tb\tc", controls);
  EXPECT_EQ(out.words, "b\ta\tc");
  EXPECT_EQ(out.mode, 0x100 | 0x1000 | 0x4000);
  // Cancel (empty text) keeps the list.
  EXPECT_EQ(CloseFindDialog("", "a\tb", {}).words, "a\tb");
  EXPECT_EQ(CloseFindDialog("", "a\tb", {}).mode, 0);
  // Applying the rule to its own result changes nothing.
  EXPECT_EQ(CloseFindDialog("b", out.words, controls).words, out.words);
}

TEST(FindDialogRules, OpeningTakesTenEntriesUpToTheFirstEmptyOne) {
  EXPECT_THAT(HistoryEntries("a\tb\t\tc"), ElementsAre("a", "b"));
  EXPECT_TRUE(HistoryEntries("").empty());
  EXPECT_EQ(HistoryEntries("1\t2\t3\t4\t5\t6\t7\t8\t9\t10\t11").size(), 10u);
  for (int mode : {0, 0x200, 0x7F00, 0x100 | 0x800}) {
    EXPECT_EQ(ModeFromControls(ControlsFromMode(mode)), mode);
  }
  FindControls c = ControlsFromMode(0x200 | 0x400);
  EXPECT_TRUE(c.title);
  EXPECT_TRUE(c.comment);
  EXPECT_FALSE(c.url);
  EXPECT_FALSE(c.currentCategory);
}

}  // namespace
}  // namespace vesk::test::editing
