#!/usr/bin/env bash
# The desktop command as a user drives it: with Chromium showing a page, Ctrl+B makes a link of
# it in the shown category and selects it, Ctrl+Z takes it back; made again and saved, the
# document holds the page's URL and title.
BROWSER_BIN=chromium
source "$(dirname "$0")/browser_common.bash"
start_wm

doc=$WORK/capture.knd
cat >"$WORK/capture.json" <<'JSON'
{"version": 300, "nextSerial": 5,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1, "mark": 32},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 3, "title": "resident", "url": "http://r.example/", "kind": 1, "parentSerial": 0}
 ]}
JSON
"$CLI" load "$WORK/capture.json" "$doc" || fail "could not build the collection"
# No endpoint answers on this port: the session files are the source.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$CLI" config set 'Settings\Capture' DevToolsPort "$port" >/dev/null

chromium --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --password-store=basic \
  --user-data-dir="$XDG_CONFIG_HOME/chromium" "file://$PAGE" >"$WORK/browser.log" 2>&1 &
BROWSER_PID=$!
poll 40 page_found chromium || fail "the browser shows no page: $(tail -5 "$WORK/browser.log")"

start_vesk "$doc"
wait_trace '^order=resident$'
keys ctrl+b
wait_trace "^capture=file://.*#ready$"
wait_trace "^order=resident\|$PAGE_TITLE$"
expect_eq "$(last_trace rowsselected)" "$PAGE_TITLE" "new link selected"

: >"$VESK_UI_TRACE"
keys ctrl+z
wait_trace '^order=resident$'

: >"$VESK_UI_TRACE"
keys ctrl+b
wait_trace "^order=resident\|$PAGE_TITLE$"
keys ctrl+s
saved() {
  "$CLI" dump "$doc" | jq -e --arg url "$PAGE_URL" --arg title "$PAGE_TITLE" \
    '[.nodes[] | select(.kind != 0)] | length == 2 and .[1].url == $url and
     .[1].title == $title and .[1].parentSerial == 0 and .[1].kind == 1' >/dev/null
}
poll 10 saved || fail "saved document: $("$CLI" dump "$doc")"

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
