#!/usr/bin/env bash
# The search program: the search page handed to a running window titled "Deepscout" (the last
# one listed), to one the command starts from the configured path, and message 10011 when the
# started program never shows that window.
source "$(dirname "$0")/gui_common.bash"
start_wm
RECEIVER=$(dirname "$VESK")/search_receiver
[ -x "$RECEIVER" ] || fail "no test receiver at $RECEIVER"
RECEIVER_PIDS=()
stop_receivers() {
  local p
  for p in "${RECEIVER_PIDS[@]}"; do kill "$p" 2>/dev/null || true; done
  RECEIVER_PIDS=()
}
trap 'stop_receivers; cleanup' EXIT

doc=$WORK/site.knd
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
"$CLI" load "$WORK/site.json" "$doc" || fail "could not build the collection"

# The window id a receiver reports once its window is mapped.
receiver_window() { sed -n 's/^ready pid=[0-9]* window=\(0x[0-9a-f]*\)$/\1/p' "$1"; }
managed() {
  local id
  id=$(receiver_window "$1")
  [ -n "$id" ] && xprop -root _NET_CLIENT_LIST | grep -Eq "[ ,]$id(,|$)"
}
# Starts a receiver with the title and waits until the window manager lists its window.
start_receiver() {
  local log=$1
  shift
  "$RECEIVER" "$@" >"$log" 2>&1 &
  RECEIVER_PIDS+=($!)
  poll 10 managed "$log" || fail "receiver $* not managed: $(cat "$log")"
}

# 1. Running receivers: a title that only begins with "Deepscout" does not count, and of two
# exact ones the one listed last gets the page. Nothing is started.
start_receiver "$WORK/near.log" "Deepscout 2"
start_receiver "$WORK/first.log"
start_receiver "$WORK/second.log"
"$CLI" config set 'Settings\Files' Deepscout "$WORK/not-started" >/dev/null
start_vesk "$doc"
menu alt+o s
poll 10 grep -q '^received' "$WORK/second.log" || fail "no hand-over: $(cat "$WORK/second.log")"
expect_eq "$(grep '^received' "$WORK/second.log")" \
  "received type=STRING format=8 bytes=$((${#WORK} + 20)) zero=1 text=-file $WORK/knrdata.html" \
  "hand-over"
grep -q '^received' "$WORK/first.log" "$WORK/near.log" && fail "the wrong window got the page"
grep -q '^message=' "$VESK_UI_TRACE" && fail "message shown: $(last_trace message)"
grep -q '朝日の見える丘' <(iconv -f CP932 -t UTF-8 "$WORK/knrdata.html") || fail "page without its link"
# The same page again: the property is replaced, so the receiver hears of it again.
menu alt+o s
poll 10 eval '[ "$(grep -c "^received" "$WORK/second.log")" = 2 ]' || fail "second hand-over missing"
stop_receivers
close_vesk

# 2. None running: the command starts the configured program and waits for its window.
poll 10 eval '! xprop -root _NET_CLIENT_LIST | grep -q "$(receiver_window "$WORK/second.log")"' ||
  fail "receivers still listed"
"$CLI" config set 'Settings\Files' Deepscout "$RECEIVER" >/dev/null
export SEARCH_RECEIVER_LOG=$WORK/started.log
start_vesk "$doc"
menu alt+o s
poll 15 grep -qs '^received' "$WORK/started.log" || fail "started receiver got nothing: $(cat "$WORK/started.log" 2>&1)"
grep -q "^received type=STRING format=8 .* zero=1 text=-file $WORK/knrdata.html$" "$WORK/started.log" ||
  fail "hand-over to the started receiver: $(cat "$WORK/started.log")"
RECEIVER_PIDS+=($(sed -n 's/^ready pid=\([0-9]*\) .*/\1/p' "$WORK/started.log"))
grep -q '^message=' "$VESK_UI_TRACE" && fail "message shown: $(last_trace message)"
stop_receivers
close_vesk

# 3. A program that starts but never shows the window: message 10011 after about 5 seconds.
"$CLI" config set 'Settings\Files' Deepscout /bin/true >/dev/null
start_vesk "$doc"
started=$SECONDS
menu alt+o s
wait_trace '^message=Deepscoutを起動できませんでした。$' 20
((SECONDS - started >= 4)) || fail "gave up after $((SECONDS - started))s, not after 50 polls"
answer vesk Return
close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
