#!/usr/bin/env bash
# The capture command on Windows as a user drives it: with a browser answering the DDE page
# request, Ctrl+B makes a link of its URL and its title (escaped quotes and Japanese, in
# Shift_JIS) in the shown category, its title kept as HTML; with no browser answering, the clipboard's URL is taken.
# Both are checked in the saved document.
source "$(dirname "$0")/wine_gui_common.bash"
SERVER=$(dirname "$VESK")/dde_browser_server.exe
CLIPBOARD=$(dirname "$VESK")/clipboard_text.exe
[ -f "$SERVER" ] || fail "no stand-in browser at $SERVER"
[ -f "$CLIPBOARD" ] || fail "no clipboard tool at $CLIPBOARD"
settings_exist

doc=$WORK/capture.knd
cat >"$WORK/capture.json" <<'JSON'
{"version": 300, "nextSerial": 5,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 3, "title": "resident", "url": "http://r.example/", "kind": 1, "parentSerial": 0}
 ]}
JSON
"$CLI" load "$WORK/capture.json" "$doc" >/dev/null || fail "could not build the collection"

# The reply as a browser sends it: quotes inside the title escaped with a backslash.
printf '%s' '"http://127.0.0.1/dde","\"引用\" ページ"' | iconv -f UTF-8 -t CP932 >"$WORK/reply.txt"
(cd "$WORK" && exec "$WINE" "$SERVER" NETSCAPE "$(winpath "$WORK/reply.txt")" 240 \
  "$(winpath "$WORK/server-ready")") >"$WORK/server.log" 2>&1 &
SERVER_PID=$!
poll 30 test -e "$WORK/server-ready" || fail "the stand-in browser did not start: $(cat "$WORK/server.log")"

start_vesk "$(winpath "$doc")"
wait_trace '^order=resident$'
keys ctrl+b
wait_trace '^capture=http://127.0.0.1/dde$' 30
# Titles are kept as HTML, as the pages publish them.
wait_trace '^order=resident\|&quot;引用&quot; ページ$'
grep -q '^message=' "$VESK_UI_TRACE" && fail "message shown: $(grep '^message=' "$VESK_UI_TRACE")"

# No browser any more: the next sources are asked, and the clipboard holds a URL.
kill "$SERVER_PID" 2>/dev/null || true
wait "$SERVER_PID" 2>/dev/null || true
wine_run "$CLIPBOARD" 'http://127.0.0.1/clip' || fail "could not fill the clipboard"
: >"$VESK_UI_TRACE"
keys ctrl+b
wait_trace '^capture=http://127.0.0.1/clip$' 40
keys ctrl+s
saved() {
  "$CLI" dump "$doc" | jq -e '[.nodes[] | select(.kind == 1)] | length == 3 and
     .[1].url == "http://127.0.0.1/dde" and .[1].title == "&quot;引用&quot; ページ" and
     .[1].parentSerial == 0 and .[2].url == "http://127.0.0.1/clip" and .[2].parentSerial == 0' \
    >/dev/null
}
poll 15 saved || fail "saved document: $("$CLI" dump "$doc")"
echo ok
