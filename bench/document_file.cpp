// Loading and saving .knd files of 10k, 100k and 300k nodes, and (with --peak) the peak memory
// of one load and save of each, measured in a child process of its own.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "document/document_file.h"
#include "document/veskdoc.h"
#include "settings/memory_settings_backend.h"
#include "settings/vesk_settings.h"
#include "text/encoding.h"

namespace vesk {
namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "vesk-bench-XXXXXX").string();
    return fs::path(::mkdtemp(pattern.data()));
  }();
  return folder;
}

// One category for every 30 nodes, in a two-level tree; links spread over the categories.
void Build(CVeskDoc& doc, int nodes) {
  int categories = std::max(1, nodes / 30);
  std::vector<LINKINFO*> cats{doc.GetTopCategory()};
  const std::string name = ToCp932("カテゴリー");
  const std::string comment = ToCp932("日本語のコメントと <b>タグ</b> が入ります。");
  for (int i = 0; i < categories && static_cast<int>(doc.GetNodeList().size()) < nodes; ++i) {
    LINKINFO* c = CDocumentFile::AppendNode(doc, 0);
    c->m_nSerial = doc.GetNextSerial();
    doc.SetNextSerial(c->m_nSerial + 1);
    c->m_pParent = i < 50 ? doc.GetTopCategory() : cats[1 + i % 50];
    c->m_strTitle = name + std::to_string(i);
    c->m_strFileName = "cat" + std::to_string(i);
    cats.push_back(c);
  }
  for (int i = 0; static_cast<int>(doc.GetNodeList().size()) < nodes; ++i) {
    LINKINFO* l = CDocumentFile::AppendNode(doc, 1);
    std::string n = std::to_string(i);
    l->m_nSerial = doc.GetNextSerial();
    doc.SetNextSerial(l->m_nSerial + 1);
    l->m_pParent = cats[i % cats.size()];
    l->m_strTitle = name + " page " + n;
    l->m_strURL = "http://www" + n + ".example.jp/index.html";
    l->m_strComment = comment + n;
    l->m_strAdmin = "admin" + n;
    l->m_strEmail = "admin" + n + "@example.jp";
    l->m_strKeywords = "\tkey" + n;
    l->m_nYear = 2000 + i % 25;
    l->m_nMonth = 1 + i % 12;
    l->m_nDay = 1 + i % 28;
  }
  doc.SerialsChanged();
}

// The file of a size, made once per run.
std::string FileOf(int nodes) {
  static std::map<int, std::string> made;
  auto it = made.find(nodes);
  if (it != made.end()) return it->second;
  std::string path = (Folder() / ("doc" + std::to_string(nodes) + ".knd")).string();
  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  CHeadlessUserInterface ui;
  CVeskDoc doc(settings, ui);
  doc.OnNewDocument();
  Build(doc, nodes);
  if (!doc.OnSaveDocument(path)) std::abort();
  return made.emplace(nodes, path).first->second;
}

void BM_Load(benchmark::State& state) {
  std::string path = FileOf(static_cast<int>(state.range(0)));
  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  CHeadlessUserInterface ui;
  for (auto _ : state) {
    CVeskDoc doc(settings, ui);
    if (!doc.OnOpenDocument(path)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(doc.GetNodeList().size());
    state.PauseTiming();  // freeing the document is not part of loading
    doc.OnNewDocument();
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(path));
}

void BM_Save(benchmark::State& state) {
  std::string path = FileOf(static_cast<int>(state.range(0)));
  std::string out = path + ".out";
  CMemorySettingsBackend backend;
  CVeskSettings settings(backend);
  CHeadlessUserInterface ui;
  CVeskDoc doc(settings, ui);
  if (!doc.OnOpenDocument(path)) std::abort();
  for (auto _ : state) {
    if (!doc.OnSaveDocument(out)) state.SkipWithError("save failed");
  }
}

BENCHMARK(BM_Load)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Save)->Arg(10000)->Arg(100000)->Arg(300000)->Unit(benchmark::kMillisecond);

// Peak resident memory of a process that loads the file and saves it again.
// The file is made in a child of its own too, so that nothing of its making is counted.
void ReportPeak(int nodes) {
  Folder();  // made here, so that both children use the same one
  pid_t maker = ::fork();
  if (maker == 0) {
    FileOf(nodes);
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(maker, &status, 0);
  std::string path = (Folder() / ("doc" + std::to_string(nodes) + ".knd")).string();
  pid_t child = ::fork();
  if (child == 0) {
    CMemorySettingsBackend backend;
    CVeskSettings settings(backend);
    CHeadlessUserInterface ui;
    CVeskDoc doc(settings, ui);
    bool ok = doc.OnOpenDocument(path) && doc.OnSaveDocument(path + ".peak");
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%7d nodes, %6.1f MB file: peak %6.1f MB%s\n", nodes,
                static_cast<double>(fs::file_size(path)) / 1e6,
                static_cast<double>(usage.ru_maxrss) / 1024.0, ok ? "" : " (FAILED)");
    std::fflush(stdout);
    ::_exit(ok ? 0 : 1);
  }
  ::waitpid(child, &status, 0);
}

// A version-100 file (links with fields 1-14, then the category table) of about the same
// content as Build makes, or, when minimal, of empty links in one category (the smallest records
// the format has, where the nodes' own size weighs most against the file's); written by hand,
// since the program only writes version 300.
std::string OldFile(int nodes, bool minimal) {
  std::string path =
      (Folder() / ((minimal ? "min" : "old") + std::to_string(nodes) + ".knd")).string();
  std::string b;
  auto u32 = [&b](std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto str = [&b](const std::string& s) {  // below 255 bytes
    b.push_back(static_cast<char>(s.size()));
    b += s;
  };
  const std::string name = ToCp932("カテゴリー");
  const std::string comment = ToCp932("日本語のコメントと <b>タグ</b> が入ります。");
  int categories = minimal ? 1 : std::max(1, nodes / 30);
  int links = nodes - categories;
  str("Kestrelnest Application Data Format\r\n");
  u32(100);
  u32(static_cast<std::uint32_t>(links));
  for (int i = 0; i < links; ++i) {
    std::string n = std::to_string(i);
    if (i == 0) {
      b += std::string("\xFF\xFF\x00\x00\x08\x00", 6) + "LINKINFO";
    } else {
      b += std::string("\x01\x80", 2);
    }
    u32(static_cast<std::uint32_t>(i));
    if (minimal) {
      for (int k = 0; k < 3; ++k) str("");
      for (int k = 0; k < 5; ++k) u32(0);
      for (int k = 0; k < 5; ++k) str("");
      continue;
    }
    str("");
    str("admin" + n);
    str(name + std::to_string(i % categories));  // the category's name
    for (int v : {0, 2000 + i % 25, 1 + i % 12, 1 + i % 28, 0}) u32(static_cast<std::uint32_t>(v));
    str(name + " page " + n);
    str("http://www" + n + ".example.jp/index.html");
    str(comment + n);
    str("");
    str("\tkey" + n);
  }
  u32(static_cast<std::uint32_t>(categories));
  for (int i = 0; i < categories; ++i) {
    u32(i == 0 ? 0 : 1 + (i < 50 ? 0 : 1 + i % 49));
    str(name + std::to_string(i));
    str("cat" + std::to_string(i));
    u32(0);
  }
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f || std::fwrite(b.data(), 1, b.size(), f) != b.size() || std::fclose(f) != 0) std::abort();
  return path;
}
std::string OldFileOf(int nodes) { return OldFile(nodes, false); }
std::string OldMinimalFileOf(int nodes) { return OldFile(nodes, true); }

// Makes a file in a child of its own, so that nothing of its making is counted in the parent
// (whose pages the measuring child shares); returns its path.
std::string MadeInChild(std::string (*make)(int), int nodes) {
  Folder();
  int fds[2];
  if (::pipe(fds) != 0) std::abort();
  pid_t maker = ::fork();
  if (maker == 0) {
    std::string path = make(nodes);
    if (::write(fds[1], path.data(), path.size()) != static_cast<ssize_t>(path.size())) ::_exit(1);
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string path;
  char buf[4096];
  for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
    path.append(buf, static_cast<std::size_t>(n));
  ::close(fds[0]);
  int status = 0;
  ::waitpid(maker, &status, 0);
  return path;
}

// Peak resident memory of a process that only loads the file at path.
void ReportLoadPeak(const std::string& label, const std::string& path) {
  pid_t child = ::fork();
  if (child == 0) {
    CMemorySettingsBackend backend;
    CVeskSettings settings(backend);
    CHeadlessUserInterface ui;
    CVeskDoc doc(settings, ui);
    bool ok = doc.OnOpenDocument(path);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    double file = static_cast<double>(fs::file_size(path)) / 1e6;
    double peak = static_cast<double>(usage.ru_maxrss) / 1024.0;
    std::printf("%-12s %6.1f MB file: load peak %6.1f MB (%.1f times)%s\n", label.c_str(), file,
                peak, peak / file, ok ? "" : " (FAILED)");
    std::fflush(stdout);
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
}

}  // namespace
}  // namespace vesk

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--peak") == 0) {
    for (int nodes : {10000, 100000, 300000}) vesk::ReportPeak(nodes);
    // Loading alone, per file version: version 300 against the old layout of the same content.
    for (int nodes : {100000, 300000}) {
      vesk::ReportLoadPeak("v300 " + std::to_string(nodes), vesk::MadeInChild(vesk::FileOf, nodes));
      vesk::ReportLoadPeak("v100 " + std::to_string(nodes),
                           vesk::MadeInChild(vesk::OldFileOf, nodes));
    }
    // The worst case: as many empty links as the serials allow.
    vesk::ReportLoadPeak("v100 empty", vesk::MadeInChild(vesk::OldMinimalFileOf, 319990));
    std::filesystem::remove_all(vesk::Folder());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(vesk::Folder());
  return 0;
}
