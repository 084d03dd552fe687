#!/usr/bin/env bash
# Times the search page in headless Chromium over a loopback web server on a collection of
# 300,000 links in 1,000 categories (titles, comments and keywords in Japanese and ASCII): the
# loading of its files once, then each query (the search and the first page of hits drawn), and
# reports the sizes of the files the page loads.
# Usage: static_search_page.sh PATH_OF_VESK_CLI SOURCE_DIR [LINKS]
set -euo pipefail
CLI=${1:?usage: static_search_page.sh PATH_OF_VESK_CLI SOURCE_DIR [LINKS]}
SRC=${2:?source folder}
LINKS=${3:-300000}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config TMPDIR=$WORK
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
python3 - "$CLI" "$LINKS" "$SRC" <<'PY'
import json, os, statistics, sys, tempfile, time
sys.path.insert(0, os.path.join(sys.argv[3], "tests", "support"))
from devtools_client import Chromium, StaticServer
from search_site import Site

cli, links = sys.argv[1], int(sys.argv[2])
work = tempfile.mkdtemp()
site = Site(cli, work)
words = ["旅行", "温泉", "ラーメン", "音楽", "映画", "Linux", "カメラ", "写真", "京都", "northern"]
cats = [site.category(site.top, "分類%d %s" % (c, words[c % 10])) for c in range(1000)]
for i in range(links):
    w = words[i % 10]
    site.link(cats[i % 1000], "%sのサイト 第%d号" % (w, i), "http://site%d.example.jp/%s/" % (i, i % 97),
              comment="%sと%sについての個人のページです。更新 %d 回" % (w, words[(i * 7) % 10], i % 50),
              keywords="%s ｋｅｙ%d" % (words[(i * 3) % 10], i % 1000))
start = time.time()
site.publish(html=False)
print("build + export-search: %.1f s" % (time.time() - start))
for name in ("vesk_search.js", "vesk_search_index.txt", "vesk_search_text.txt", "vesk_search.html"):
    print("%-24s %10d bytes" % (name, os.path.getsize(os.path.join(work, name))))

server = StaticServer(work)
browser = Chromium()
try:
    start = time.time()
    browser.open(server.url("vesk_search.html"))
    state = browser.evaluate("window.veskSearchReady")
    print("page loaded and files read: %.2f s (%s)" % (time.time() - start, state))
    queries = ["温泉", "ラーメン 京都", "key42", "ＬＩＮＵＸ　写真", "存在しない言葉", "の", "第299999号", "northern 映画 更新"]
    for q in queries:
        times = browser.evaluate("""(function (q) {
          var t = [], hits = 0;
          for (var k = 0; k < 7; ++k) {
            var s = performance.now();
            hits = window.veskSearch(q);
            t.push(performance.now() - s);
          }
          return {t: t, hits: hits};
        })(%s)""" % json.dumps(q))
        t = sorted(times["t"])
        print("%-22s %7d hits  median %6.1f ms  max %6.1f ms" % (q, times["hits"], statistics.median(t), t[-1]))
finally:
    browser.close()
    server.close()
PY
