#!/usr/bin/env bash
# The link check from the 情報 menu against a web server on loopback: the report lists what it
# found, moves the dead links into the work box, and Ctrl+Z puts them back.
source "$(dirname "$0")/gui_common.bash"
start_wm
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY ALL_PROXY all_proxy

mkdir "$WORK/site"
echo '<title>ok</title>' >"$WORK/site/ok.html"
python3 - "$WORK/site" "$WORK/port" <<'PY' >"$WORK/http.log" 2>&1 &
import functools, http.server, sys
handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=sys.argv[1])
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
open(sys.argv[2] + ".tmp", "w").write(str(server.server_address[1]))
__import__("os").rename(sys.argv[2] + ".tmp", sys.argv[2])
server.serve_forever()
PY
HTTP_PID=$!
trap 'kill $HTTP_PID 2>/dev/null || true; cleanup' EXIT
poll 10 test -s "$WORK/port" || fail "no web server: $(cat "$WORK/http.log")"
site=http://127.0.0.1:$(<"$WORK/port")

doc=$WORK/check.knd
cat >"$WORK/check.json" <<JSON
{"version": 300, "nextSerial": 10,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 3, "title": "ニュース", "kind": 0, "parentSerial": 0},
  {"serial": 4, "title": "Alive", "url": "$site/ok.html", "kind": 1, "parentSerial": 0},
  {"serial": 5, "title": "Gone", "url": "$site/missing.html", "kind": 1, "parentSerial": 0},
  {"serial": 6, "title": "Mail", "url": "mailto:owner@example.test", "kind": 1, "parentSerial": 0},
  {"serial": 7, "title": "Gone too", "url": "$site/news/gone.html", "kind": 1, "parentSerial": 3}
 ]}
JSON
"$CLI" load "$WORK/check.json" "$doc" || fail "could not build the collection"

# The parent of each link, from the saved file: "serial:parent ...".
parents() {
  "$CLI" dump "$doc" | python3 -c '
import json, sys
d = json.load(sys.stdin)
print(" ".join("%d:%d" % (n["serial"], n["parentSerial"]) for n in d["nodes"] if n["kind"] != 0))'
}
parents_are() { [ "$(parents)" = "$1" ]; }
expect_parents() { poll 10 parents_are "$1" || fail "$2: parents $(parents), expected $1"; }

start_vesk "$doc"
wait_trace '^rows=3 Top Category$'

# Runs the check from the menu and moves what the report selected (the dead links).
check_and_park() {
  : >"$VESK_UI_TRACE"
  menu alt+i k
  wait_trace '^linkcheck=4 件: リンク切れ 2, 正常 1, 未確認 1$' 30
  wait_window 'リンクの確認結果'
  xdotool key alt+m
  wait_trace '^linkcheck-parked=2$'
  xdotool key Escape
  wait_window_gone "$FOUND_WIN"
  wait_trace '^rows=2 Top Category$'
}
rows_are() { [ "$(last_trace rows)" = "$1" ]; }

check_and_park
# Saving forgets the undo history, so undo is tried first and the move saved afterwards.
keys ctrl+z
poll 10 rows_are "3 Top Category" || fail "rows after undo: $(last_trace rows)"
keys ctrl+s
expect_parents "4:0 5:0 6:0 7:3" "undo puts the links back"

check_and_park
keys ctrl+s
expect_parents "4:0 5:1 6:0 7:1" "dead links in the work box"
close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
