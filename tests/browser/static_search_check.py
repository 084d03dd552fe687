"""The search page over a real web server on loopback in headless Chromium: Japanese and
full-width queries, all words required, no hits, paging, markup in titles, and file://."""
import json
import os
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "support"))
from devtools_client import Chromium, StaticServer  # noqa: E402
from search_site import Site  # noqa: E402

cli = sys.argv[1]
failures = []


def check(what, got, want):
    if got != want:
        failures.append("%s: got %r, want %r" % (what, got, want))


work = tempfile.mkdtemp(prefix="vesk-search-")
site = Site(cli, work)
jp = site.category(site.top, "日本のサイト")
site.link(jp, "日本語の案内所", "http://annai.example/", comment="旅の<i>案内</i>です")
site.link(jp, "Ｖｅｓｋ　Ｔｅｓｔ　ページ", "http://vesk.example/", keywords="ＡＢＣ１２３")
site.link(site.top, "<b>太字</b>の題<script>window.ran = 1</script>",
          "http://bold.example/")
site.link(site.top, "画像<img src=x onerror=\"window.ran = 2\">付き", "javascript:window.ran=3")
many = site.category(site.top, "多数")
for i in range(45):
    site.link(many, "多数のリンク %02d" % i, "http://many.example/%d" % i)
site.publish(links_per_page=20)

server = StaticServer(work)
browser = Chromium()
try:
    browser.open(server.url("vesk_search.html"))
    check("load", browser.evaluate("window.veskSearchReady"), "ready")

    def search(query):
        return browser.evaluate("""(function () {
          var form = document.getElementById('vesk-search');
          form.elements.q.value = %s;
          form.requestSubmit();
          var hits = Array.prototype.map.call(document.querySelectorAll('.vesk-hit'),
            function (p) {
              var a = p.querySelector('a');
              return {title: a.textContent, href: a.getAttribute('href'),
                      html: a.firstChild.innerHTML,
                      category: (p.querySelectorAll('a')[1] || {}).textContent || '',
                      page: (p.querySelectorAll('a')[1] || {getAttribute: function () {}})
                              .getAttribute('href') || '',
                      text: p.textContent};
            });
          return {hits: hits, message: document.querySelector('#vesk-search-result p').textContent,
                  pages: document.querySelectorAll('.vesk-pages').length};
        })()""" % json.dumps(query))

    r = search("日本語")
    check("Japanese query hits", [h["title"] for h in r["hits"]], ["日本語の案内所"])
    check("hit count text", r["message"], "1 件見つかりました。")
    check("category link", (r["hits"][0]["category"], r["hits"][0]["page"]),
          ("日本のサイト", "category1.html"))
    check("category page exists",
          browser.evaluate("fetch('category1.html').then(function (r) { return r.status; })"),
          200)
    check("comment shown with its markup",
          browser.evaluate("document.querySelector('.vesk-hit i').textContent"), "案内")
    check("category name is searched", len(search("日本の サイト")["hits"]), 2)

    # Full-width and half-width letters, digits and spaces meet; ASCII case is ignored.
    check("full-width query", [h["title"] for h in search("ｖｅｓｋ　ｔｅｓｔ")["hits"]],
          ["Ｖｅｓｋ　Ｔｅｓｔ　ページ"])
    check("keywords folded", len(search("abc123")["hits"]), 1)
    check("half-width query of full-width title", len(search("VESK")["hits"]), 1)

    r = search("日本語 存在しない")
    check("every word must match", (r["hits"], r["message"]), ([], "該当するリンクはありません。"))
    r = search("　 ")
    check("empty query", (r["hits"], r["message"]), ([], "検索する言葉を入力してください。"))

    r = search("多数のリンク")
    check("first page", [h["title"] for h in r["hits"]],
          ["多数のリンク %02d" % i for i in range(20)])
    check("paging shown", r["pages"], 2)
    check("page 3", browser.evaluate("""(function () {
          var nav = document.querySelector('.vesk-pages');
          Array.prototype.filter.call(nav.querySelectorAll('a'),
            function (a) { return a.textContent === '3'; })[0].click();
          return Array.prototype.map.call(document.querySelectorAll('.vesk-hit > a'),
            function (a) { return a.textContent; });
        })()"""), ["多数のリンク %02d" % i for i in range(40, 45)])
    check("navigation on page 3", browser.evaluate(
        "document.querySelector('.vesk-pages').textContent"), "- 1 2 3 -")

    r = search("太字")
    check("markup title shown as the pages show it", r["hits"][0]["html"], "<b>太字</b>の題")
    r = search("画像")
    check("image kept, its handler dropped", r["hits"][0]["html"], '画像<img src="x">付き')
    check("script address not linked", r["hits"][0]["href"], None)
    check("no script ran", browser.evaluate("String(window.ran)"), "undefined")

    # Opened from the disk the browser refuses to load the files: a clear message instead.
    browser.open("file://" + os.path.join(work, "vesk_search.html"))
    check("file://", browser.evaluate("window.veskSearchReady"), "failed")
    check("file:// message", browser.evaluate(
        "document.querySelector('#vesk-search-result p').textContent").startswith(
            "検索データを読み込めませんでした。"), True)
    check("page still renders", browser.evaluate("document.querySelector('h3').textContent"),
          "検索")
finally:
    browser.close()
    server.close()

if failures:
    print("FAIL:\n  " + "\n  ".join(failures))
    sys.exit(1)
print("ok")
