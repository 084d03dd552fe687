// The progress the long steps report to the user: Find, emptying the trash, deleting many
// links and undoing that, and which of them the user may stop.
#include <string>
#include <vector>

#include "document/progress_report.h"
#include "support/doc_test_support.h"
#include "text/encoding.h"

namespace vesk::test::editing {
namespace {

using ::testing::ElementsAre;

// More links than one report covers, so a step reports more than once.
constexpr std::size_t kMany = CProgressReport::kReportEvery + 400;

// Every report of a run rises and none passes the total.
void ExpectRising(const ProgressRun& run) {
  std::size_t last = 0;
  for (std::size_t done : run.done) {
    EXPECT_GT(done, last);
    EXPECT_LE(done, run.total);
    last = done;
  }
}

// Records, at each hint, whether a progress step was still open.
class OpenStepRecorder : public IDocView {
 public:
  explicit OpenStepRecorder(const ScriptedUI& ui) : m_ui(ui) {}
  void OnUpdate(ViewHint hint, LINKINFO*) override {
    if (hint == kHintAddSelectLink && !m_ui.progress.empty() && !m_ui.progress.back().ended) {
      ++shownDuringStep;
    }
  }
  int shownDuringStep = 0;

 private:
  const ScriptedUI& m_ui;
};

class ProgressTest : public DocTest {
 protected:
  void SetUp() override {
    DocTest::SetUp();
    box = Cat(doc.GetTopCategory(), "box");
    for (std::size_t i = 0; i < kMany; ++i) links.push_back(Link(box, "link " + std::to_string(i)));
    view.Clear();
    ui.onFind = [this](FindDialogState& s) {
      s.text = findText;
      s.mode = 0x200;
      return true;
    };
  }
  const ProgressRun& Only(ProgressStep step) {
    EXPECT_EQ(ui.progress.size(), 1u);
    EXPECT_EQ(ui.progress.back().step, step);
    EXPECT_TRUE(ui.progress.back().ended);
    return ui.progress.back();
  }
  LINKINFO* box = nullptr;
  std::vector<LINKINFO*> links;
  std::string findText;
};

TEST_F(ProgressTest, FindReportsEveryNodeUpToTheHitAndShowsItAfterTheStep) {
  OpenStepRecorder during(ui);
  doc.AddView(&during);
  LINKINFO* needle = Link(doc.GetWorkBox(), "needle");
  findText = "needle";
  doc.OnFind();
  ASSERT_EQ(doc.GetFindPos(), needle);
  const ProgressRun& find = Only(ProgressStep::Find);
  EXPECT_TRUE(find.cancellable);
  EXPECT_EQ(find.total, doc.GetNodeList().size());
  ExpectRising(find);
  ASSERT_GE(find.done.size(), 2u);
  EXPECT_EQ(find.done.back(), find.total);  // the needle is the last node
  EXPECT_EQ(during.shownDuringStep, 0);
  EXPECT_TRUE(view.Saw(kHintAddSelectLink));
  doc.RemoveView(&during);

  // Find Next examines every other node once: no other hit, the whole round reported.
  ui.progress.clear();
  doc.OnFindNext();
  const ProgressRun& next = Only(ProgressStep::Find);
  EXPECT_EQ(next.total, doc.GetNodeList().size() - 1);
  ExpectRising(next);
  EXPECT_EQ(next.done.back(), next.total);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_EQ(ui.messages[0].Utf8(), "検索結果:他は見つかりませんでした。");
}

TEST_F(ProgressTest, StoppedFindKeepsTheLastHitAndSaysNothing) {
  LINKINFO* first = links.front();
  LINKINFO* needle = Link(doc.GetWorkBox(), "needle");
  first->m_strTitle = ToCp932("needle first");
  findText = "needle";
  doc.OnFind();
  ASSERT_EQ(doc.GetFindPos(), first);
  view.Clear();
  ui.progress.clear();

  ui.stopProgressAt = CProgressReport::kReportEvery;
  doc.OnFindNext();
  EXPECT_EQ(doc.GetFindPos(), first);
  EXPECT_TRUE(doc.CanFindNext());
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(view.hints.empty());
  const ProgressRun& stopped = Only(ProgressStep::Find);
  EXPECT_THAT(stopped.done, ElementsAre(CProgressReport::kReportEvery));

  ui.stopProgressAt.reset();
  doc.OnFindNext();
  EXPECT_EQ(doc.GetFindPos(), needle);

  // A stopped Find that would have found nothing leaves the last hit for Find Next.
  ui.stopProgressAt = CProgressReport::kReportEvery;
  findText = "nowhere";
  doc.OnFind();
  EXPECT_EQ(ui.progress.back().done.size(), 1u);
  EXPECT_EQ(doc.GetFindPos(), needle);
  EXPECT_TRUE(doc.CanFindNext());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProgressTest, EmptyTrashCannotBeStoppedAndItsUndoReportsEveryRecord) {
  LINKINFO* bin = Cat(doc.GetTrash(), "bin");
  // The document's own node limit leaves no room for a second set: the box's links go.
  for (std::size_t i = 0; i < kMany; ++i) links[i]->m_pParent = i % 2 ? bin : doc.GetTrash();
  const Strings before = ChildTitles(doc.GetTrash());
  const Strings inBin = ChildTitles(bin);
  ui.stopProgressAt = 1;  // the user presses a Cancel the dialog must not offer

  doc.OnEmptyTrash();
  const ProgressRun& empty = Only(ProgressStep::EmptyTrash);
  EXPECT_FALSE(empty.cancellable);
  EXPECT_EQ(empty.total, kMany + 1);
  ExpectRising(empty);
  EXPECT_EQ(empty.done.back(), empty.total);
  EXPECT_TRUE(ChildTitles(doc.GetTrash()).empty());

  ui.progress.clear();
  doc.OnEditUndo();
  const ProgressRun& undo = Only(ProgressStep::Undo);
  EXPECT_FALSE(undo.cancellable);
  EXPECT_EQ(undo.total, kMany + 2);  // the emptied nodes and the current category's record
  ExpectRising(undo);
  EXPECT_EQ(undo.done.back(), undo.total);
  EXPECT_EQ(ChildTitles(doc.GetTrash()), before);
  EXPECT_EQ(ChildTitles(bin), inBin);
  EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ProgressTest, DeletingManyLinksRunsToTheEndAndOneUndoBringsThemAllBack) {
  const Strings before = ChildTitles(box);
  Select(box);
  CNodeClipboard clip;
  ui.stopProgressAt = 1;
  ASSERT_TRUE(CutLinks(doc, links, clip));
  const ProgressRun& cut = Only(ProgressStep::DeleteLinks);
  EXPECT_FALSE(cut.cancellable);
  EXPECT_EQ(cut.total, kMany);
  ExpectRising(cut);
  EXPECT_EQ(cut.done.back(), kMany);
  EXPECT_TRUE(Rows(box).empty());
  EXPECT_EQ(Rows(doc.GetTrash()).size(), kMany);
  EXPECT_EQ(clip.Node()->m_strTitle, links.back()->m_strTitle);

  ui.progress.clear();
  doc.OnEditUndo();
  const ProgressRun& undo = Only(ProgressStep::Undo);
  EXPECT_EQ(undo.total, kMany + 1);
  EXPECT_EQ(undo.done.back(), undo.total);
  EXPECT_EQ(ChildTitles(box), before);
  EXPECT_TRUE(Rows(doc.GetTrash()).empty());
}

TEST_F(ProgressTest, ShortStepsStillOpenAndCloseOnce) {
  // A dialog that is opened must be closed even by a step of one unit or none.
  CNodeClipboard clip;
  Select(box);
  ASSERT_TRUE(CutLinks(doc, {links[0]}, clip));
  ASSERT_EQ(ui.progress.size(), 1u);
  EXPECT_THAT(ui.progress[0].done, ElementsAre(1u));
  EXPECT_TRUE(ui.progress[0].ended);
  findText = "nowhere at all";
  doc.OnFind();
  ASSERT_EQ(ui.progress.size(), 2u);
  EXPECT_TRUE(ui.progress[1].ended);
  EXPECT_EQ(ui.progress[1].done.back(), ui.progress[1].total);
}

}  // namespace
}  // namespace vesk::test::editing
