#!/usr/bin/env bash
# Times the desktop program's link list at scale on a virtual display: a document of 300,000
# nodes whose category "shown" holds 20,000 links spread through the collection. Shows that
# category from the tree, then clicks the title header (a sort that makes the order the manual
# one). Each step reports the wall time until the list says it shows the result, and the CPU
# time the program spent meanwhile (the wall time includes the keys and the X round trips).
# Usage: list_scale.sh PATH_OF_VESK SOURCE_DIR
source "${2:?usage: list_scale.sh PATH_OF_VESK SOURCE_DIR}/tests/gui/gui_common.bash"
start_wm

now_ms() { echo $((${EPOCHREALTIME/./} / 1000)); }
# User plus system time of the program so far, in milliseconds.
cpu_ms() {
  local stat
  read -r -a stat <"/proc/$VESK_PID/stat"
  echo $(((stat[13] + stat[14]) * 1000 / $(getconf CLK_TCK)))
}
rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$VESK_PID/status"; }

python3 - >"$WORK/big.json" <<'PY'
import json, sys
nodes = [{"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1, "mark": 32},
         {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
         {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
         {"serial": 3, "title": "shown", "kind": 0, "parentSerial": 0},
         {"serial": 4, "title": "shelf", "kind": 0, "parentSerial": 0}]
total, shown = 300000, 20000
for i in range(total - len(nodes)):
    parent = 3 if i % (total // shown) == 0 else 4
    n = (i * 7919) % total
    nodes.append({"serial": len(nodes), "title": "link %d" % n, "kind": 1, "parentSerial": parent,
                  "url": "http://link%d.example/" % n})
json.dump({"version": 300, "nextSerial": len(nodes), "fileInfo": {
    "cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
    "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
    "nodes": nodes}, sys.stdout, ensure_ascii=False)
PY
"$CLI" load "$WORK/big.json" "$WORK/big.knd" || fail "could not build the document"

last_is() { [ "$(last_trace "$1")" = "$2" ]; }
start_vesk "$WORK/big.knd"
xdotool mousemove --window "$MAIN_WIN" 40 260 click 1
poll 20 last_is focus tree || fail "the tree has not the focus"
keys Home
poll 20 last_is selected "Top Category" || fail "Top Category not selected"
rss0=$(rss_kb)
t0=$(now_ms) c0=$(cpu_ms)
keys Down
poll 60 last_is rows "20000 shown" || fail "shown not listed: $(last_trace rows)"
t1=$(now_ms) c1=$(cpu_ms)
rss1=$(rss_kb)

list_laid_out() { [ -n "$(last_trace listgeometry)" ]; }
poll 20 list_laid_out || fail "list not laid out"
IFS=, read -r LX LY _ _ <<<"$(last_trace listgeometry)"
: >"$VESK_UI_TRACE"
t2=$(now_ms) c2=$(cpu_ms)
xdotool mousemove "$((LX + 20))" "$((LY + 8))" click 1
poll 60 last_is sort 2 || fail "no sort: $(last_trace sort)"
t3=$(now_ms) c3=$(cpu_ms)
rss2=$(rss_kb)
echo "show 20,000 of 300,000 links:  $((t1 - t0)) ms wall, $((c1 - c0)) ms CPU (RSS +$((rss1 - rss0)) kB)"
echo "title sort made the order:     $((t3 - t2)) ms wall, $((c3 - c2)) ms CPU (RSS +$((rss2 - rss1)) kB)"
# The sort changed the document: leave it unsaved (the clean-up ends the program).
