#!/usr/bin/env bash
# vesk-cli import reads the Bookmarks file that a real Chromium wrote: the bookmarks are made by
# the browser itself, through its bookmarks interface, by a small extension of the test's own.
BROWSER_BIN=chromium
source "$(dirname "$0")/browser_common.bash"

ext=$WORK/extension
mkdir -p "$ext"
cat >"$ext/manifest.json" <<'JSON'
{"manifest_version": 3, "name": "bookmark maker", "version": "1", "permissions": ["bookmarks"],
 "background": {"service_worker": "make.js"}}
JSON
cat >"$ext/make.js" <<'JS'
chrome.bookmarks.create({parentId: "1", title: "試験フォルダ"}, (folder) => {
  chrome.bookmarks.create({parentId: folder.id, title: "日本語の <題名> & 記号",
                           url: "https://example.jp/page?a=1&b=2"}, () => {
    chrome.bookmarks.create({parentId: folder.id, title: "Ｆｕｌｌ　ｗｉｄｔｈ",
                             url: "https://second.example/"}, () => {
      chrome.bookmarks.create({parentId: "2", title: "Other one", url: "https://other.example/"});
    });
  });
});
JS
data=$WORK/chromium
chromium --headless=new --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --password-store=basic --user-data-dir="$data" \
  --load-extension="$ext" about:blank >"$WORK/browser.log" 2>&1 &
BROWSER_PID=$!

want='[Bookmarks bar[試験フォルダ日本語の &lt;題名&gt; &amp; 記号=https://example.jp/page?a=1&b=2;Ｆｕｌｌ　ｗｉｄｔｈ=https://second.example/;]][Other bookmarksOther one=https://other.example/;]'
store=$data/Default/Bookmarks
# The browser writes the file a moment after a change, while it runs.
poll 60 eval '[ "$(imported_shape "$store")" = "$want" ]' ||
  fail "running browser: '$(imported_shape "$store")'; $(tail -3 "$WORK/browser.log")"
stop_browser
[ "$(imported_shape "$store")" = "$want" ] || fail "after the browser ended: '$(imported_shape "$store")'"

# The dates are the browser's own: the folder was made today.
knd=$WORK/imported.knd
today=$(date +%Y-%m-%d)
"$CLI" dump "$knd" | python3 -c '
import json, sys
n = [n for n in json.load(sys.stdin)["nodes"] if n["title"] == "試験フォルダ"][0]
sys.exit(0 if "%04d-%02d-%02d" % (n["year"], n["month"], n["day"]) == sys.argv[1] else 1)' "$today" ||
  fail "folder date"
echo "ok"
