#!/usr/bin/env bash
# A first start without a document: caption, placement defaults, the counts of a new document,
# the three fixed categories, and the placement written when the window closes.
source "$(dirname "$0")/gui_common.bash"

# Without a display the program says so in one line and fails.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$VESK" 2>&1) && fail "started without a display"
expect_eq "$(echo "$out" | wc -l)" 1 "lines without a display"

start_vesk
wait_caption "Vesk - Kestrelnest Application"
wait_geometry 'WIN_X == 80 && WIN_Y == 80 && WIN_W == 550 && WIN_H == 360' "placement"
wait_trace '^counts=0001 / 0000$'
expect_eq "$(grep -c '^root=' "$VESK_UI_TRACE")" 3 "fixed categories"
grep -qx 'root=作業箱' "$VESK_UI_TRACE" || fail "work box missing"
grep -qx 'root=ごみ箱' "$VESK_UI_TRACE" || fail "trash missing"
expect_eq "$(last_trace rows)" "0 Top Category" "list of Top Category"
# Closing stores the panes' size, known once the window is laid out.
wait_last_trace panes 'v > 100' 'cut -dx -f2'

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
expect_eq "$(setting 'Settings\Window' x)" 80 "x"
expect_eq "$(setting 'Settings\Window' y)" 80 "y"
expect_eq "$(setting 'Settings\Window' cx)" 550 "cx"
expect_eq "$(setting 'Settings\Window' cy)" 360 "cy"
expect_eq "$(setting 'Settings\Window' max)" 0 "max"
expect_eq "$(setting 'Settings\Window' ps1cx)" 120 "ps1cx"
ps1cy=$(setting 'Settings\Window' ps1cy)
[ "$ps1cy" -gt 100 ] || fail "ps1cy $ps1cy"
expect_eq "$(setting 'Settings\Window' ps2cy)" $((ps1cy - 50)) "ps2cy"

# A document named on the command line that cannot be opened is reported and ends the start.
: >"$VESK_UI_TRACE"
"$VESK" "$WORK/missing.knd" >"$WORK/vesk.log" 2>&1 &
VESK_PID=$!
wait_trace '^message=' 20
answer vesk Return
wait_exit 10
[ "$VESK_RC" -ne 0 ] || fail "started although the named document could not be opened"
grep -q '^ready=' "$VESK_UI_TRACE" && fail "main window shown for a missing document"

# A window manager places new windows by its own rules; the window still comes up at its place.
frame_at() {
  local info ext left top x y
  info=$(xwininfo -id "$MAIN_WIN" 2>/dev/null) || return 1
  ext=$(xprop -id "$MAIN_WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= //p' | tr -d ' ')
  [ -n "$ext" ] || return 1
  IFS=, read -r left _ top _ <<<"$ext"
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  FRAME_AT="$((x - left)),$((y - top))"
  [ "$FRAME_AT" = "$1" ]
}
start_wm
start_vesk
poll 10 frame_at 80,80 || fail "under a window manager the frame is at $FRAME_AT, not 80,80"
close_vesk
echo PASS
