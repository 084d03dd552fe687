#!/usr/bin/env bash
# The search program on Windows: the command starts the configured program, waits for its window
# titled "Deepscout" and hands it "-file" and the search page by WM_COPYDATA; a program already
# running gets the page at once, and a window whose title only begins with "Deepscout" does not.
# The path goes as Windows writes it, backslashes and Shift_JIS, from a folder with a Japanese name.
source "$(dirname "$0")/wine_gui_common.bash"
RECEIVER=$(dirname "$VESK")/search_receiver.exe
[ -f "$RECEIVER" ] || fail "no test receiver at $RECEIVER"
settings_exist
files='HKCU\Software\Tamberlinwork\vesk\Settings\Files'

cat >"$WORK/site.json" <<'JSON'
{"version": 300, "nextSerial": 10,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 4, "title": "朝日の見える丘", "url": "http://a.example/", "kind": 1, "parentSerial": 0}
 ]}
JSON
SITE=$WORK/朝日サイト
mkdir -p "$SITE"
"$CLI" load "$WORK/site.json" "$SITE/site.knd" >/dev/null || fail "could not build the collection"
page=$(winpath "$SITE/knrdata.html" | iconv -f UTF-8 -t CP932)
expected="received dwData=0 wParam=0 bytes=$(($(printf %s "$page" | wc -c) + 7)) zero=1 text=-file $page"

search() {
  keys alt+o
  sleep 1
  xdotool key s
}

# 1. Nothing running: the configured program is started and gets the page.
wine_run reg add "$files" /v Deepscout /d "$(winpath "$RECEIVER")" /f >/dev/null
export SEARCH_RECEIVER_LOG=$WORK/started.log
start_vesk "$(winpath "$SITE/site.knd")"
search
poll 30 grep -aqs '^received' "$WORK/started.log" ||
  fail "started receiver got nothing: $(cat "$WORK/started.log" 2>&1)"
expect_eq "$(grep -a '^received' "$WORK/started.log")" "$expected" "hand-over to the started program"
grep -q '^message=' "$VESK_UI_TRACE" && fail "message shown: $(grep '^message=' "$VESK_UI_TRACE")"
grep -q '朝日の見える丘' <(iconv -f CP932 -t UTF-8 "$SITE/knrdata.html") || fail "page without its link"

# 2. Running: the same window gets the page again, nothing is started, and a window whose title
# only begins with "Deepscout" gets nothing.
unset SEARCH_RECEIVER_LOG
(cd "$WORK" && SEARCH_RECEIVER_LOG=$WORK/near.log exec "$WINE" "$RECEIVER" "Deepscout 2") >/dev/null 2>&1 &
poll 20 grep -qs '^ready' "$WORK/near.log" || fail "near receiver did not start"
wine_run reg add "$files" /v Deepscout /d 'Z:\nowhere\not-started.exe' /f >/dev/null
search
poll 20 eval '[ "$(grep -ac "^received" "$WORK/started.log")" = 2 ]' || fail "second hand-over missing"
expect_eq "$(grep -a '^received' "$WORK/started.log" | tail -1)" "$expected" "second hand-over"
grep -q '^received' "$WORK/near.log" && fail "the near title got the page"
grep -q '^message=' "$VESK_UI_TRACE" && fail "message shown: $(grep '^message=' "$VESK_UI_TRACE")"
echo ok
