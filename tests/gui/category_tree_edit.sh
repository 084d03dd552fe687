#!/usr/bin/env bash
# Editing the category tree with the keys: rename with F2, cut and paste, delete to the trash,
# undo, move up and down, then save with Ctrl+S and read the saved file back.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/tree.knd
cat >"$WORK/tree.json" <<'JSON'
{"version": 300, "nextSerial": 8,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1, "mark": 32},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 3, "title": "A", "kind": 0, "parentSerial": 0, "mark": 32},
  {"serial": 4, "title": "A1", "kind": 0, "parentSerial": 3},
  {"serial": 5, "title": "B", "kind": 0, "parentSerial": 0},
  {"serial": 6, "title": "C", "kind": 0, "parentSerial": 0},
  {"serial": 7, "title": "L", "url": "http://l.example/", "kind": 1, "parentSerial": 5}
 ]}
JSON
"$CLI" load "$WORK/tree.json" "$doc" || fail "could not build the collection"

# Waits until the last value traced under key is value.
wait_last() {
  local key=$1 value=$2 i
  for ((i = 0; i < 100; i++)); do
    [ "$(last_trace "$key")" = "$value" ] && return 0
    sleep 0.1
  done
  fail "last $key is '$(last_trace "$key")', not '$value'"
}
# Waits until the pattern has matched count trace lines.
wait_trace_count() {
  local i
  for ((i = 0; i < 100; i++)); do
    [ "$(grep -Ec "$1" "$VESK_UI_TRACE")" -ge "$2" ] && return 0
    sleep 0.1
  done
  fail "fewer than $2 trace lines match '$1'"
}
# The saved document as "title<parent title" lines in list order, categories only.
saved_tree() {
  "$CLI" dump "$doc" | jq -r '
    (.nodes | map({key: (.serial | tostring), value: .title}) | from_entries) as $t
    | .nodes[] | select(.kind == 0 and .parentSerial >= 0)
    | "\(.title)<\($t[.parentSerial | tostring])"'
}

start_vesk "$doc"
wait_last selected "Top Category"
# A click on the empty part of the pane gives the tree the focus without changing the selection.
xdotool mousemove --window "$MAIN_WIN" 40 260 click 1
wait_last focus tree

keys Down
wait_last selected A
keys F2
sleep 0.5
xdotool type --delay 50 Alpha
xdotool key Return
wait_last renamed Alpha

keys Down Down
wait_last selected B
keys ctrl+x
wait_last cut B
wait_last selected "Top Category"
keys Down
wait_last selected Alpha
keys ctrl+v
wait_last paste B

keys Down Down Down
wait_last selected C
keys Delete
wait_last cut C
wait_last selected "Top Category"
keys ctrl+z
wait_last selected C

keys ctrl+Up
wait_last moved C
keys ctrl+Down
wait_trace_count '^moved=C$' 2
# Undoing the last move puts C back above Alpha; C stays the selected category.
keys ctrl+z
sleep 0.5
expect_eq "$(last_trace selected)" C "selection after undoing a move"

keys ctrl+s
for ((i = 0; i < 50; i++)); do
  saved_tree | grep -qx 'Alpha<Top Category' && break
  sleep 0.2
done
expect_eq "$(saved_tree | tr '\n' ' ')" \
  "C<Top Category Alpha<Top Category A1<Alpha B<ごみ箱 B<Alpha " "saved tree"
# The cut category took its link to the trash with it.
expect_eq "$("$CLI" dump "$doc" | jq -r '.nodes[] | select(.title == "L") | .parentSerial')" 5 \
  "link of the cut category"

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
