// Browser bookmark files of 100,000 bookmarks (Chromium's layout, 100 folders): reading the
// file into its items, and the whole import into a document (which ends at the document's node
// limit), and writing a category of 100,000 links as a bookmark file.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_document.h"
#include "publish/bookmark_file.h"
#include "publish/bookmark_reader.h"
#include "tests/support/temp_folder.h"
#include "text/encoding.h"

namespace vesk {
namespace {

std::string BigBookmarkFile(int bookmarks) {
  std::string text =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
      "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n<DL><p>\n";
  for (int i = 0; i < bookmarks; ++i) {
    if (i % 1000 == 0) {
      if (i > 0) text += "    </DL><p>\n";
      text += "    <DT><H3 ADD_DATE=\"1700000000\">フォルダ " + std::to_string(i) + "</H3>\n";
      text += "    <DL><p>\n";
    }
    text += "        <DT><A HREF=\"https://site" + std::to_string(i) +
            ".example/page?a=1&amp;b=2\" ADD_DATE=\"1700000" + std::to_string(i % 1000) +
            "\" ICON=\"data:image/png;base64,iVBORw0KGgo=\">サイト &amp; " + std::to_string(i) +
            "</A>\n";
  }
  text += "    </DL><p>\n</DL><p>\n";
  return text;
}

void BM_ReadBookmarks(benchmark::State& state) {
  const std::string text = BigBookmarkFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    std::vector<BookmarkItem> items = ReadBookmarks(text);
    // The conversion every title and URL goes through on import.
    std::string cp932;
    for (const BookmarkItem& item : items) {
      Utf8ToCp932(item.title, cp932);
      Utf8ToCp932(item.url, cp932);
    }
    benchmark::DoNotOptimize(items.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadBookmarks)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ImportBookmarkFile(benchmark::State& state) {
  test::CTempFolder dir;
  test::WriteBytes(dir.File("big.html"), BigBookmarkFile(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    state.PauseTiming();
    bench::BenchDocument d;
    state.ResumeTiming();
    ImportBookmarkFile(d.doc, dir.File("big.html"));
    benchmark::DoNotOptimize(d.doc.GetNodeList().size());
  }
}
BENCHMARK(BM_ImportBookmarkFile)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_BookmarkFileText(benchmark::State& state) {
  bench::BenchDocument d;
  LINKINFO* top = d.doc.GetTopCategory();
  LINKINFO* category = top;
  for (int i = 0; i < state.range(0); ++i) {
    if (i % 1000 == 0) category = d.Append(0, top, "category " + std::to_string(i));
    LINKINFO* link = d.Append(1, category, "link & " + std::to_string(i));
    link->m_strURL = "http://site" + std::to_string(i) + ".example/";
  }
  for (auto _ : state) benchmark::DoNotOptimize(BookmarkFileText(d.doc, top).size());
}
BENCHMARK(BM_BookmarkFileText)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vesk
