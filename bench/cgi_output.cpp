// CGI data output of a large collection: a first run into an empty folder, an unchanged second
// run, and for scale the plain copy of the produced folder with `cp -r`.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include <stdlib.h>

#include "bench/bench_document.h"
#include "document/veskdoc.h"
#include "publish/cgi_data.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;

constexpr int kCategories = 10000;  // Top Category included
constexpr int kLinks = 300000;

LINKINFO* Append(CVeskDoc& doc, int kind, LINKINFO* parent) {
  return bench::AppendLoaded(doc, kind, parent);
}

// 100 first-level categories with 99 sub-categories each, 30 links in every category.
void BuildCollection(CVeskDoc& doc) {
  std::vector<LINKINFO*> categories{doc.GetTopCategory()};
  for (int i = 0; static_cast<int>(categories.size()) < kCategories; ++i) {
    LINKINFO* parent = i < 100 ? doc.GetTopCategory() : categories[1 + (i - 100) / 99];
    LINKINFO* c = Append(doc, 0, parent);
    c->m_strTitle = "Category " + std::to_string(i);
    c->m_strComment = "Sites about subject " + std::to_string(i);
    categories.push_back(c);
  }
  for (int i = 0; i < kLinks; ++i) {
    LINKINFO* l = Append(doc, 1, categories[i % kCategories]);
    std::string n = std::to_string(i);
    l->m_strTitle = "Web page number " + n;
    l->m_strURL = "http://www" + n + ".example.jp/index.html";
    l->m_strComment = "A <b>fine</b> site & more, entry " + n;
    l->m_strBanner = "<IMG src=\"b" + n + ".png\" width=\"88\" height=\"31\">";
    l->m_nMark = i % 4;
    l->m_tUpdate = 988642800 + i;
    l->m_strAdmin = "admin" + n;
    l->m_strEmail = "admin" + n + "@example.jp";
    l->m_strKeywords = "\tkey" + n;
  }
}

std::string FreshFolder() {
  std::string pattern = (fs::temp_directory_path() / "vesk-bench-XXXXXX").string();
  return std::string(::mkdtemp(pattern.data())) + "/";
}

struct Fixture {
  Fixture() : settings(backend), doc(settings, ui) {
    doc.OnNewDocument();
    BuildCollection(doc);
    folder = FreshFolder();
  }
  ~Fixture() { fs::remove_all(folder); }
  CMemorySettingsBackend backend;
  CVeskSettings settings;
  CHeadlessUserInterface ui;
  CVeskDoc doc;
  std::string folder;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

// Each run writes into a folder of its own; the folders go only after the timing, so the
// file system's work of deleting them is not charged to a run.
void BM_CgiOutputFirstRun(benchmark::State& state) {
  Fixture& f = Shared();
  std::vector<std::string> folders;
  for (auto _ : state) {
    state.PauseTiming();
    folders.push_back(FreshFolder());
    state.ResumeTiming();
    CDataFile data(f.doc);
    benchmark::DoNotOptimize(ExportCgiData(f.doc, data, folders.back()));
  }
  for (const auto& folder : folders) fs::remove_all(folder);
}
BENCHMARK(BM_CgiOutputFirstRun)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CgiOutputUnchangedRun(benchmark::State& state) {
  Fixture& f = Shared();
  CDataFile first(f.doc);
  ExportCgiData(f.doc, first, f.folder);
  for (auto _ : state) {
    CDataFile data(f.doc);
    if (ExportCgiData(f.doc, data, f.folder)) state.SkipWithError("files changed on a rerun");
  }
}
BENCHMARK(BM_CgiOutputUnchangedRun)->Unit(benchmark::kMillisecond)->Iterations(3);

// The floor of the job: copying the produced folder without looking at its content.
void BM_CopyProducedFolder(benchmark::State& state) {
  Fixture& f = Shared();
  CDataFile first(f.doc);
  ExportCgiData(f.doc, first, f.folder);
  std::vector<std::string> copies;
  for (auto _ : state) {
    state.PauseTiming();
    copies.push_back(FreshFolder() + "copy");
    state.ResumeTiming();
    std::string command = "cp -r '" + f.folder + "' '" + copies.back() + "'";
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
  }
  for (const auto& copy : copies) fs::remove_all(fs::path(copy).parent_path());
}
BENCHMARK(BM_CopyProducedFolder)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace vesk
