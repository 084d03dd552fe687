# Shared steps of the category tree's desktop tests: a small collection and reading back what
# the tree traced and what was saved. Sourced after gui_common.bash.

# The collection: Top Category holds A (with A1), B (with the link L) and C; Top and A are open.
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

last_is() { [ "$(last_trace "$1")" = "$2" ]; }

# Waits until the last value traced under key is value.
wait_last() {
  poll "${3:-10}" last_is "$1" "$2" || fail "last $1 is '$(last_trace "$1")', not '$2'"
}

count_at_least() { [ "$(grep -Ec "$1" "$VESK_UI_TRACE")" -ge "$2" ]; }

# Waits until the pattern has matched count trace lines.
wait_trace_count() {
  poll "${3:-10}" count_at_least "$1" "$2" || fail "fewer than $2 trace lines match '$1'"
}

# The saved document as "title<parent title" lines in list order, categories only.
saved_tree() {
  "$CLI" dump "$doc" | jq -r '
    (.nodes | map({key: (.serial | tostring), value: .title}) | from_entries) as $t
    | .nodes[] | select(.kind == 0 and .parentSerial >= 0)
    | "\(.title)<\($t[.parentSerial | tostring])"'
}

saved_has() { saved_tree 2>/dev/null | grep -qx "$1"; }

# Saves with Ctrl+S and waits until the file holds the line (see saved_tree).
save_and_wait() {
  keys ctrl+s
  poll 10 saved_has "$1" || fail "saved tree lacks '$1': $(saved_tree | tr '\n' ' ')"
}

# Opens the collection and gives the tree the focus by a click on the empty part of the pane,
# which keeps the selection on Top Category.
open_tree() {
  start_wm
  start_vesk "$doc"
  wait_last selected "Top Category"
  xdotool mousemove --window "$MAIN_WIN" 40 260 click 1
  wait_last focus tree
}
