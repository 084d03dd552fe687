// HTML output of a 300k-link collection in 10k categories with a paging template (20 per page):
// the first run into an empty folder, and an unchanged second run.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

#include "bench/big_collection.h"
#include "document/user_interface.h"
#include "publish/data_file.h"

namespace {

namespace fs = std::filesystem;
using vesk::bench::BigCollection;

struct Fixture {
  Fixture() {
    root = fs::temp_directory_path() / ("vesk-html-bench-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "out");
    std::ofstream(root / "template.html", std::ios::binary) << vesk::bench::kBenchTemplate;
    site.info.m_strTemplate = (root / "template.html").string();
  }
  ~Fixture() { fs::remove_all(root); }
  // One output run; returns the number of files created or changed.
  std::size_t Publish() {
    vesk::CDataFile data(ui);
    data.m_pNodeList = &site.list;
    data.m_pTop = site.top;
    data.m_pFileInfo = &site.info;
    data.PublishHtml((root / "out").string() + "/");
    std::size_t n = 0;
    for (char c : data.m_strChanged) n += c == '\n';
    return n;
  }
  std::string Out() const { return (root / "out").string(); }

  BigCollection site;
  vesk::CHeadlessUserInterface ui;
  fs::path root;
};

Fixture& Shared() {
  static Fixture f;
  return f;
}

void BM_HtmlOutputFirstRun(benchmark::State& state) {
  Fixture& f = Shared();
  std::size_t files = 0;
  for (auto _ : state) {
    state.PauseTiming();
    fs::remove_all(f.Out());
    fs::create_directories(f.Out());
    state.ResumeTiming();
    files = f.Publish();
  }
  state.counters["files"] = static_cast<double>(files);
}

void BM_HtmlOutputUnchanged(benchmark::State& state) {
  Fixture& f = Shared();
  f.Publish();  // the pages exist and match
  std::size_t files = 0;
  for (auto _ : state) files = f.Publish();
  state.counters["files"] = static_cast<double>(files);
}

BENCHMARK(BM_HtmlOutputFirstRun)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_HtmlOutputUnchanged)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
