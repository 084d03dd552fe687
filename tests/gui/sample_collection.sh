#!/usr/bin/env bash
# The bundled sample collection: its counts as the headless tool reports them, its categories in
# the tree, and HTML pages from its template.
source "$(dirname "$0")/gui_common.bash"
start_wm
cp "$SRC"/samples/*.html "$WORK/"
doc=$WORK/sample.knd
"$CLI" load "$SRC/samples/sample.json" "$doc" || fail "could not make the sample document"
counts=$("$CLI" info "$doc" | head -1)
[[ "$counts" =~ ^[0-9]{4}\ /\ [0-9]{4}$ ]] || fail "unexpected info output: $counts"

start_vesk "$doc"
wait_caption "sample.knd - Kestrelnest Application"
wait_trace "^counts=$counts\$"
categories=$(grep -c '^category=' "$VESK_UI_TRACE")
[ "$categories" -ge 2 ] || fail "sub-categories missing from the tree ($categories)"

menu alt+o h
wait_trace '^result=' 20
page=$(last_trace result)
[ -f "$page" ] || fail "listed page $page missing"
grep -qi '<html' "$page" || fail "listed page is not HTML"
answer '出力結果' Return
close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
