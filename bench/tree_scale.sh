#!/usr/bin/env bash
# Times the desktop program's category tree at scale on a virtual display: opening a document of
# 10,000 categories until the window is ready (against an empty document), and cutting to the
# trash and undoing a category that holds 50,000 descendants (25,000 categories, 25,000 links).
# Usage: tree_scale.sh PATH_OF_VESK SOURCE_DIR
source "${2:?usage: tree_scale.sh PATH_OF_VESK SOURCE_DIR}/tests/gui/gui_common.bash"
start_wm

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }

# The document named $1: the fixed categories (Top Category open) and what the python snippet on
# stdin adds.
make_doc() {
  python3 - >"$WORK/$1.json"
  "$CLI" load "$WORK/$1.json" "$WORK/$1.knd" || fail "could not build $1"
}
cat >"$WORK/head.py" <<'PY'
import json, sys
nodes = [{"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1, "mark": 32},
         {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
         {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3}]
def add(kind, parent, title):
    nodes.append({"serial": len(nodes), "title": title, "kind": kind, "parentSerial": parent,
                  "url": "http://x.example/" if kind else ""})
    return len(nodes) - 1
def tree(root, count):  # count categories under root, 100 to a level
    made = []
    for i in range(count):
        made.append(add(0, root if i < 100 else made[i // 100 - 1], "category %d" % i))
    return made
def done():
    json.dump({"version": 300, "nextSerial": len(nodes), "fileInfo": {
        "cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
        "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
        "nodes": nodes}, sys.stdout, ensure_ascii=False)
PY
export PYTHONPATH=$WORK
make_doc empty <<<'from head import *; done()'
make_doc wide <<<'from head import *; tree(0, 10000); done()'
make_doc deep <<<'
from head import *
add(0, 0, "before")
big = add(0, 0, "big")
made = tree(big, 25000)
for i in range(25000): add(1, made[i % len(made)], "link %d" % i)
add(0, 0, "target")
done()'

open_ms() {
  local t0
  t0=$(now_ms)
  start_vesk "$WORK/$1.knd"
  OPEN_MS=$(($(now_ms) - t0))
  OPEN_COUNTS=$(last_trace counts)
  close_vesk
}
open_ms empty
empty_ms=$OPEN_MS
open_ms wide
echo "open, empty document:          ${empty_ms} ms"
echo "open, 10,000 categories:       ${OPEN_MS} ms (status bar: $OPEN_COUNTS)"

last_is() { [ "$(last_trace "$1")" = "$2" ]; }
start_vesk "$WORK/deep.knd"
xdotool mousemove --window "$MAIN_WIN" 40 260 click 1
keys Home Down Down
poll 10 last_is selected big || fail "big not selected"
t0=$(now_ms)
keys ctrl+x
poll 60 last_is cut big || fail "no cut"
t1=$(now_ms)
keys ctrl+z
poll 60 last_is movedback big || fail "no undo"
t2=$(now_ms)
echo "cut of 50,000 descendants:     $((t1 - t0)) ms (keys included)"
echo "undo of that cut:              $((t2 - t1)) ms (keys included)"
close_vesk
