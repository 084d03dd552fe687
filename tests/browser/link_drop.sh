#!/usr/bin/env bash
# A link dragged out of Chromium's page and dropped on a category of the tree becomes a link of
# that category, with the link's text as its title; Ctrl+Z takes it back. Dropped on the list it
# becomes a link of the category the list shows.
BROWSER_BIN=chromium
source "$(dirname "$0")/browser_common.bash"
start_wm

doc=$WORK/drop.knd
cat >"$WORK/drop.json" <<'JSON'
{"version": 300, "nextSerial": 5,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1, "mark": 32},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 3, "title": "Other", "kind": 0, "parentSerial": 0},
  {"serial": 4, "title": "resident", "url": "http://r.example/", "kind": 1, "parentSerial": 0}
 ]}
JSON
"$CLI" load "$WORK/drop.json" "$doc" || fail "could not build the collection"

cat >"$WORK/links.html" <<'HTML'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>links</title>
<style>body { margin: 0 } a { display: block; height: 100vh; font-size: 48px }</style></head>
<body><a href="http://drop.example/ドロップ">ドロップ先</a></body></html>
HTML

start_vesk "$doc"
xdotool windowmove --sync "$MAIN_WIN" 0 0
xdotool windowsize --sync "$MAIN_WIN" 560 700
# The place of the category Other: selected once, then back to Top Category.
[ "$(last_trace focus)" = tree ] || keys F6
keys Down
wait_trace '^selectedat=Other@'
keys Up
wait_trace '^selected=Top Category$'
IFS=, read -r TX TY <<<"$(grep '^selectedat=Other@' "$VESK_UI_TRACE" | tail -1 | cut -d@ -f2)"

chromium --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --password-store=basic \
  --user-data-dir="$XDG_CONFIG_HOME/chromium" --window-position=640,0 --window-size=560,700 \
  --app="file://$WORK/links.html" >"$WORK/browser.log" 2>&1 &
BROWSER_PID=$!
browser_window() {
  BROWSER_WIN=$(xdotool search --onlyvisible --class chromium 2>/dev/null | tail -1) &&
    [ -n "$BROWSER_WIN" ]
}
poll 30 browser_window || fail "no browser window"
# The page is shown once the browser's session holds it.
page_shown() { "$CLI" browser-page 2>/dev/null | grep -q "^file://$WORK/links.html"; }
poll 30 page_shown || fail "the page was not shown: $(tail -5 "$WORK/browser.log")"
eval "$(xdotool getwindowgeometry --shell "$BROWSER_WIN")"
SX=$((X + WIDTH / 2)) SY=$((Y + HEIGHT / 2))
# The drag as a hand makes it: press, move in steps (each step paced so that the two programs
# exchange their drag messages), rest over the target, release.
drag_to() {
  xdotool mousemove --sync "$SX" "$SY" mousedown 1
  for i in 1 2 3 4 5 6 7 8 9 10; do
    xdotool mousemove --sync $((SX + ($1 - SX) * i / 10)) $((SY + ($2 - SY) * i / 10))
    sleep 0.1
  done
  sleep 0.3
  xdotool mousemove --sync "$(($1 + 1))" "$2"
  sleep 0.3
  xdotool mouseup 1
}
drag_to "$TX" "$TY"
wait_trace '^linkdropped=http://drop.example/%E3%83%89%E3%83%AD%E3%83%83%E3%83%97$' 10
# Other is shown, with the new link selected below its own links.
wait_trace '^selected=Other$'
wait_trace '^order=ドロップ先$'
expect_eq "$(last_trace rowsselected)" ドロップ先 "dropped link selected"

: >"$VESK_UI_TRACE"
keys ctrl+z
wait_trace '^order=$'

# Onto the list's empty space: into Other, which it shows.
: >"$VESK_UI_TRACE"
eval "$(xdotool getwindowgeometry --shell "$MAIN_WIN")"
drag_to $((X + WIDTH * 3 / 4)) $((Y + HEIGHT / 2))
wait_trace '^linkdropped=http://drop.example/'
wait_trace '^order=ドロップ先$'
keys ctrl+s
saved() {
  "$CLI" dump "$doc" | jq -e '[.nodes[] | select(.kind != 0)] | length == 2 and .[1].parentSerial == 3
    and .[1].title == "ドロップ先" and .[1].url == "http://drop.example/%E3%83%89%E3%83%AD%E3%83%83%E3%83%97"' >/dev/null
}
poll 10 saved || fail "saved document: $("$CLI" dump "$doc")"
stop_browser
close_vesk
echo PASS
