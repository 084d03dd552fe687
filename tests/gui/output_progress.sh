#!/usr/bin/env bash
# Long CGI and HTML output: the progress dialog counts the files, its cancel button stops the run
# after the current file, and the result list shows what was written; nothing is half-written.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/big.knd
{
  echo '{"version": 300, "nextSerial": 200,'
  echo ' "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi",'
  echo '  "template": "", "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},'
  echo ' "nodes": ['
  echo '  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1},'
  echo '  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},'
  echo '  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},'
  for i in $(seq 1 40); do
    echo "  {\"serial\": $((10 + i)), \"title\": \"分類 $i\", \"kind\": 0, \"parentSerial\": 0},"
    echo "  {\"serial\": $((100 + i)), \"title\": \"site $i\", \"url\": \"http://s$i.example/\", \"kind\": 1, \"parentSerial\": $((10 + i))},"
  done
  echo '  {"serial": 199, "title": "top site", "url": "http://top.example/", "kind": 1, "parentSerial": 0}'
  echo ' ]}'
} >"$WORK/big.json"
"$CLI" load "$WORK/big.json" "$doc" || fail "could not build the collection"

# Each finished file waits a while, so the run lasts long enough to be stopped by hand.
export VESK_TEST_OUTPUT_DELAY_MS=250
start_vesk "$doc"

# Cancels the run shown in the progress dialog once a few files are done; leaves the count of
# files done at the cancel in DONE.
cancel_run() {
  wait_window 'ファイルの出力' 20
  wait_last_trace progress 'v >= 3' 'cut -d/ -f1' 20
  xdotool key Escape
  wait_trace '^progress-cancelled=' 10
  DONE=$(last_trace progress-cancelled | cut -d/ -f1)
  expect_eq "$(last_trace progress-cancelled | cut -d/ -f2)" "$1" "files of the run"
  wait_trace '^progress-end=1$' 10
  echo "run of $1 files cancelled after $DONE"
}

menu alt+o d
cancel_run 42 # 41 category files and the search-format file
wait_trace '^result=' 10
((DONE < 41)) || fail "cancel came too late to be checked ($DONE files)"
written=$(find "$WORK" -maxdepth 1 -name 'category*.cgi' | wc -l)
expect_eq "$written" "$DONE" "category files written before the cancel"
[ -e "$WORK/search.cgi" ] && fail "search-format file written after the cancel"
[ -e "$WORK/vesktemp.)vesk(" ] && fail "temporary file left behind"
# Every written file is whole: it ends with its last link line.
for f in "$WORK"/category*.cgi; do
  tail -c 2 "$f" | od -An -c | grep -q '\\r  *\\n' || fail "$f is cut short"
done
answer '出力結果' Return

: >"$VESK_UI_TRACE"
menu alt+o h
cancel_run 41 # one plain page a category
wait_trace '^result=' 10
pages=$(find "$WORK" -maxdepth 1 -name 'category*.html' | wc -l)
expect_eq "$pages" "$DONE" "pages written before the cancel"
[ -e "$WORK/vesktemp.)vesk(" ] && fail "temporary file left behind"
answer '出力結果' Return

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
