// Bulk editing operations and their undo on large collections: emptying a trash of 100k nodes,
// sorting a category of 20k links, moving a category with 50k descendants to the trash and
// back. Each iteration does the operation and its undo, so the document is the same again.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_document.h"
#include "document/link_sort.h"
#include "document/veskdoc.h"
#include "document/view_commands.h"

namespace vesk {
namespace {

constexpr int kBystanders = 100000;  // nodes elsewhere in the collection, never touched

// Counts hints, as a cheap stand-in for the two views.
class CountingView : public IDocView {
 public:
  void OnUpdate(ViewHint, LINKINFO*) override { ++hints; }
  long hints = 0;
};

struct Collection : bench::BenchDocument {
  CountingView view;

  Collection() {
    doc.AddView(&view);
    // Unrelated content first, so that every operation works inside a large list.
    LINKINFO* shelf = Append(0, doc.GetTopCategory(), "shelf");
    for (int i = 0; i < kBystanders; ++i) Append(i % 50 ? 1 : 0, shelf, "bystander");
  }
  // A subtree of `count` nodes under root: categories of 99 links each, two levels deep.
  void Fill(LINKINFO* root, int count) {
    LINKINFO* category = root;
    LINKINFO* group = root;
    for (int i = 0; i < count; ++i) {
      if (i % 100 == 0) {
        if (i % 1000 == 0) group = Append(0, root, "group " + std::to_string(i));
        category = Append(0, group, "category " + std::to_string(i));
        if (++i >= count) break;
      }
      Append(1, category, "link " + std::to_string((i * 7919LL) % count));
    }
  }
};

void BM_EmptyTrashAndUndo(benchmark::State& state) {
  Collection c;
  const int count = static_cast<int>(state.range(0));
  c.Fill(c.doc.GetTrash(), count);
  c.doc.SelectCategory(c.doc.GetTopCategory(), true);
  const std::size_t size = c.doc.GetNodeList().size();
  for (auto _ : state) {
    c.doc.OnEmptyTrash();
    if (c.doc.FindFirstChild(c.doc.GetTrash())) state.SkipWithError("trash not emptied");
    c.doc.OnEditUndo();
    if (c.doc.GetNodeList().size() != size) state.SkipWithError("trash not restored");
  }
  state.counters["nodes"] = count;
}
BENCHMARK(BM_EmptyTrashAndUndo)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SortLinksAndUndo(benchmark::State& state) {
  Collection c;
  const int count = static_cast<int>(state.range(0));
  LINKINFO* category = c.Append(0, c.doc.GetTopCategory(), "sorted");
  std::vector<LINKINFO*> rows;
  for (int i = 0; i < count; ++i) {
    rows.push_back(c.Append(1, category, "title " + std::to_string((i * 7919LL) % count)));
  }
  c.doc.SelectCategory(category, true);
  for (auto _ : state) {
    auto sorted = SortLinksByColumn(c.doc, rows, {rows.front()}, kSortManual, kSortTitle);
    benchmark::DoNotOptimize(sorted.data());
    c.doc.OnEditUndo();
    if (c.doc.CanUndo() || category->m_nSortMode != kSortManual) state.SkipWithError("not undone");
  }
  state.counters["links"] = count;
}
BENCHMARK(BM_SortLinksAndUndo)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_RandomSortAndUndo(benchmark::State& state) {
  Collection c;
  const int count = static_cast<int>(state.range(0));
  LINKINFO* category = c.Append(0, c.doc.GetTopCategory(), "shuffled");
  std::vector<LINKINFO*> rows;
  for (int i = 0; i < count; ++i) rows.push_back(c.Append(1, category, "x"));
  c.doc.SelectCategory(category, true);
  unsigned seed = 1;
  for (auto _ : state) {
    auto shuffled = RandomSortLinks(c.doc, rows, {}, seed++);
    benchmark::DoNotOptimize(shuffled.data());
    c.doc.OnEditUndo();
  }
  state.counters["links"] = count;
}
BENCHMARK(BM_RandomSortAndUndo)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_CutCategoryAndUndo(benchmark::State& state) {
  Collection c;
  const int count = static_cast<int>(state.range(0));
  LINKINFO* top = c.doc.GetTopCategory();
  LINKINFO* big = c.Append(0, top, "big");
  c.Fill(big, count);
  c.Append(0, top, "after");
  c.doc.SelectCategory(top, true);
  CNodeClipboard clipboard;
  for (auto _ : state) {
    // The tree knows the previous sibling from its items; computing it from the list is the
    // slower way and is included here.
    if (!CutCategory(c.doc, big, clipboard, PreviousSiblingCategory(c.doc, big))) {
      state.SkipWithError("cut refused");
    }
    c.doc.OnEditUndo();
    if (big->m_pParent != top) state.SkipWithError("not undone");
  }
  state.counters["descendants"] = count;
}
BENCHMARK(BM_CutCategoryAndUndo)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
