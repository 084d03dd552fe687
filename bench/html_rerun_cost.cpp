// HTML output of the 10,000-category collection of bench_html_output, counted in instructions
// rather than time: run under bench/html_rerun_instructions.sh (callgrind), only the two output
// runs are collected, each into its own dump, so a busy machine does not change the figures.
#include <benchmark/benchmark.h>
#include <valgrind/callgrind.h>

#include <filesystem>
#include <fstream>

#include "bench/big_collection.h"
#include "document/user_interface.h"
#include "publish/data_file.h"

namespace {

namespace fs = std::filesystem;

// One output run into out, collected by callgrind under the dump name.
std::size_t Publish(vesk::bench::BigCollection& site, const fs::path& out, const char* dump) {
  vesk::CHeadlessUserInterface ui;
  vesk::CDataFile data(ui);
  data.m_pNodeList = &site.list;
  data.m_pTop = site.top;
  data.m_pFileInfo = &site.info;
  CALLGRIND_ZERO_STATS;
  CALLGRIND_TOGGLE_COLLECT;
  data.PublishHtml(out.string() + "/");
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT(dump);
  std::size_t n = 0;
  for (char c : data.m_strChanged) n += c == '\n';
  return n;
}

void BM_HtmlFirstThenUnchanged(benchmark::State& state) {
  const fs::path root =
      fs::temp_directory_path() / ("vesk-html-cost-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "out");
  std::ofstream(root / "template.html", std::ios::binary) << vesk::bench::kBenchTemplate;
  vesk::bench::BigCollection site;
  site.info.m_strTemplate = (root / "template.html").string();
  for (auto _ : state) {
    state.counters["first files"] = static_cast<double>(Publish(site, root / "out", "first"));
    state.counters["unchanged files"] =
        static_cast<double>(Publish(site, root / "out", "unchanged"));
  }
  fs::remove_all(root);
}

BENCHMARK(BM_HtmlFirstThenUnchanged)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
