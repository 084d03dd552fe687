#!/usr/bin/env bash
# One vesk.exe at a time: a second start brings the first window forward (restoring it when
# minimised), hands it the document, which opens as File > Open would, and ends without a
# window; the uninstall run refuses while the program runs.
source "$(dirname "$0")/wine_gui_common.bash"
settings_exist

"$CLI" new "$WORK/first.knd" >/dev/null || fail "could not make first.knd"
"$CLI" new "$WORK/second.knd" >/dev/null || fail "could not make second.knd"

start_vesk first.knd
wait_caption "first.knd - Kestrelnest Application"
first_win=$MAIN_WIN

xdotool windowminimize "$MAIN_WIN"
minimised() { xprop -id "$MAIN_WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN; }
poll 20 minimised || fail "window not minimised"

# The second start names the document relative to its own folder.
(cd "$WORK" && timeout 60 "$WINE" "$VESK" second.knd >"$WORK/second.log" 2>&1) ||
  fail "second start did not end well: $(cat "$WORK/second.log")"
wait_trace "^instance-message=Z:$WORK/second.knd\$"
wait_caption "second.knd - Kestrelnest Application"
poll 20 eval '! minimised' || fail "window still minimised after the hand-over"
count=$(xdotool search --onlyvisible --name 'Kestrelnest Application' | wc -l)
expect_eq "$count" 1 "windows after the second start"
expect_eq "$(xdotool search --onlyvisible --name 'Kestrelnest Application')" "$first_win" \
  "the window shown"

# An empty command line only brings the window forward.
: >"$VESK_UI_TRACE"
(cd "$WORK" && timeout 60 "$WINE" "$VESK") || fail "empty hand-over failed"
wait_trace '^instance-message=$'
caption_is "second.knd - Kestrelnest Application" || fail "an empty hand-over changed the document"

# No uninstall while the program runs: the warning, and the registration stays.
(cd "$WORK" && exec "$WINE" "$VESK" /uninstall) >"$WORK/uninstall.log" 2>&1 &
UNINSTALL_PID=$!
answer Warning Return
poll 30 eval '! kill -0 $UNINSTALL_PID 2>/dev/null' || fail "the refused uninstall did not end"
if wait "$UNINSTALL_PID"; then fail "the refused uninstall run reported success"; fi
wine_run reg query 'HKCU\Software\Classes\.knd' >/dev/null 2>&1 ||
  fail "the refused uninstall removed the registration"
kill -0 "$VESK_PID" || fail "the first instance ended"
echo ok
