// The link list on a 300,000-node collection: showing a category of 20,000 links (the document's
// hints into the list's rows, sorted as the control will show them), and a column sort that
// makes the order physical, with its undo. The control itself is virtual: it asks only for the
// texts of the rows on screen, so these are the costs that grow with the category.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/bench_document.h"
#include "ui/logic/link_rows.h"

namespace vesk {
namespace {

constexpr int kCollection = 300000;
constexpr int kShown = 20000;

class RowsView : public IDocView {
 public:
  explicit RowsView(CLinkRows& rows) : m_rows(rows) {}
  void OnUpdate(ViewHint hint, LINKINFO* node) override { m_rows.OnUpdate(hint, node); }

 private:
  CLinkRows& m_rows;
};

struct Collection : bench::BenchDocument {
  CLinkRows rows{doc};
  RowsView view{rows};
  LINKINFO* shown = nullptr;
  LINKINFO* other = nullptr;

  Collection() {
    shown = Append(0, doc.GetTopCategory(), "shown");
    other = Append(0, doc.GetTopCategory(), "other");
    LINKINFO* shelf = Append(0, doc.GetTopCategory(), "shelf");
    // The shown links are spread through the whole list, as years of editing leave them.
    const int step = kCollection / kShown;
    for (int i = 0; i < kCollection; ++i) {
      const bool mine = i % step == 0;
      Append(1, mine ? shown : shelf, "link " + std::to_string((i * 7919LL) % kCollection));
    }
    doc.AddView(&view);
    rows.BuildColumns();
  }
  LINKINFO* Append(int kind, LINKINFO* parent, const std::string& title) {
    LINKINFO* node = bench::AppendLoaded(doc, kind, parent, title);
    node->m_strURL = "http://" + title + ".example/";
    return node;
  }
};

void BM_ShowCategory(benchmark::State& state) {
  Collection c;
  for (auto _ : state) {
    c.doc.SelectCategory(c.other, true);
    c.doc.SelectCategory(c.shown, true);
    benchmark::DoNotOptimize(c.rows.Rows().size());
  }
  state.counters["rows"] = static_cast<double>(c.rows.Rows().size());
}
BENCHMARK(BM_ShowCategory)->Unit(benchmark::kMillisecond);

void BM_SortByTitleMakePhysicalAndUndo(benchmark::State& state) {
  Collection c;
  c.doc.SelectCategory(c.shown, true);
  c.rows.Rows();
  for (auto _ : state) {
    c.rows.ClickColumn(0);  // ascending title, made the manual order
    state.PauseTiming();
    c.doc.OnEditUndo();
    c.rows.Rows();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SortByTitleMakePhysicalAndUndo)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
