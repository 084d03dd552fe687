#!/usr/bin/env bash
# A collection with categories and links: counts, tree, rows of the selected category, and the
# CSV output, HTML output, the search page without a server program and the search program's
# page from the Output menu.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/small.knd
cat >"$WORK/small.json" <<'JSON'
{"version": 300, "nextSerial": 10,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 3, "title": "ニュース", "kind": 0, "parentSerial": 0},
  {"serial": 4, "title": "朝日の見える丘", "url": "http://a.example/", "kind": 1, "parentSerial": 0},
  {"serial": 5, "title": "Second site", "url": "http://b.example/", "kind": 1, "parentSerial": 0},
  {"serial": 6, "title": "News one", "url": "http://n.example/", "kind": 1, "parentSerial": 3},
  {"serial": 7, "title": "Parked", "url": "http://p.example/", "kind": 1, "parentSerial": 1}
 ]}
JSON
"$CLI" load "$WORK/small.json" "$doc" || fail "could not build the collection"

start_vesk "$doc"
wait_caption "small.knd - Kestrelnest Application"
# Only the Top Category subtree is counted: two categories, three links.
wait_trace '^counts=0002 / 0003$'
grep -qx 'category=ニュース' "$VESK_UI_TRACE" || fail "sub-category not in the tree"
wait_trace '^rows=2 Top Category$'

# CSV output of the current category, then its notice.
menu alt+o c
wait_trace '^message=CSVデータをファイルに書き込みました。$'
answer vesk Return
# Named after the category's file name, which is still empty here.
csv=$(find "$WORK" -maxdepth 1 -name '*.csv' | head -1)
[ -n "$csv" ] || fail "no CSV file written"
grep -q 'http://b.example/' "$csv" || fail "CSV file without the links"

# HTML output without a template: plain pages, listed in the result dialog.
menu alt+o h
wait_trace '^result=' 15
page=$(last_trace result)
[ -f "$page" ] || fail "listed page $page missing"
answer '出力結果' Return

# The search page without a server program goes beside the pages, listed in the result dialog.
menu alt+o p
wait_trace '^result=.*/vesk_search_text\.txt$' 15
for f in vesk_search.html vesk_search.js vesk_search_index.txt vesk_search_text.txt; do
  [ -f "$WORK/$f" ] || fail "search page file $f missing"
done
grep -q 'http://n.example/' "$WORK/vesk_search_index.txt" || fail "index without the links"
answer '出力結果' Return

# The search page is written beside the document; no search program is set up here.
menu alt+o s
wait_trace '^message=Deepscoutを起動できませんでした。$'
answer vesk Return
[ -f "$WORK/knrdata.html" ] || fail "search page missing"

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
