// The category tree's document side at scale: filling the tree of a document with 10,000
// categories (the hints the tree turns into items), and moving a category with 50,000
// descendants: cut to the trash, dragged out of it onto another category, both undone. (A paste
// makes one node and, in a document this large, is refused at the node limit.) Each iteration
// ends with the document as it began.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_document.h"
#include "document/veskdoc.h"
#include "document/view_commands.h"

namespace vesk {
namespace {

// Counts the items a tree would make, as a cheap stand-in for the views.
class CountingTree : public IDocView {
 public:
  void OnUpdate(ViewHint hint, LINKINFO*) override {
    if (hint == kHintAddCategory) ++items;
  }
  long items = 0;
};

struct Collection : bench::BenchDocument {
  CountingTree tree;

  Collection() { doc.AddView(&tree); }
  // count categories under root, 100 to a level, with links links spread over them.
  void Fill(LINKINFO* root, int count, int links) {
    std::vector<LINKINFO*> made;
    LINKINFO* group = root;
    for (int i = 0; i < count; ++i) {
      if (i % 100 == 0) group = i == 0 ? root : made[static_cast<std::size_t>(i / 100 - 1)];
      made.push_back(Append(0, group, "category " + std::to_string(i)));
    }
    for (int i = 0; i < links; ++i) {
      Append(1, made[static_cast<std::size_t>(i) % made.size()], "link " + std::to_string(i));
    }
  }
};

void BM_FillTree(benchmark::State& state) {
  Collection c;
  const int categories = static_cast<int>(state.range(0));
  c.Fill(c.doc.GetTopCategory(), categories, 100000);
  for (auto _ : state) {
    c.tree.items = 0;
    FillCategoryTree(c.doc);
    if (c.tree.items != categories + 3) state.SkipWithError("items missing");
  }
  state.counters["categories"] = categories;
}
BENCHMARK(BM_FillTree)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_CutDropUndoCategory(benchmark::State& state) {
  Collection c;
  const int descendants = static_cast<int>(state.range(0));
  LINKINFO* top = c.doc.GetTopCategory();
  c.Append(0, top, "before");
  LINKINFO* big = c.Append(0, top, "big");
  // Half categories, half links: the tree moves the categories, the links follow their parent.
  c.Fill(big, descendants / 2, descendants / 2);
  LINKINFO* target = c.Append(0, top, "target");
  c.doc.SelectCategory(big, true);
  CNodeClipboard clipboard;
  for (auto _ : state) {
    if (!CutCategory(c.doc, big, clipboard, PreviousSiblingCategory(c.doc, big)))
      state.SkipWithError("cut refused");
    if (!DropCategory(c.doc, big, target, nullptr)) state.SkipWithError("drop refused");
    c.doc.OnEditUndo();  // the drop
    c.doc.OnEditUndo();  // the cut
    if (big->m_pParent != top || c.doc.CanUndo()) state.SkipWithError("not undone");
    c.doc.SelectCategory(big, true);
  }
  state.counters["descendants"] = descendants;
}
BENCHMARK(BM_CutDropUndoCategory)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
