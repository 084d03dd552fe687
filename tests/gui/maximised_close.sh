#!/usr/bin/env bash
# The stored size is used at start (the window manager may put its frame inside it); the window
# keeps its minimum size; closing while maximised writes "max" = 1 and the splitter values but
# keeps the stored rectangle; closing while minimised writes nothing.
source "$(dirname "$0")/gui_common.bash"
start_wm
for kv in x=140 y=110 cx=640 cy=420 ps1cx=170; do
  "$CLI" config set 'Settings\Window' "${kv%%=*}" "${kv#*=}"
done

start_vesk
# The window may first be mapped at its minimum size and get the stored one a moment later.
wait_geometry 'WIN_W >= 630 && WIN_W < 650 && WIN_H >= 390 && WIN_H < 430' "stored size not used"
w0=$WIN_W h0=$WIN_H

# The window cannot be made smaller than 550 x 360 (frame included): the window manager keeps
# it at its minimum instead.
xdotool windowsize "$MAIN_WIN" 300 200
wait_geometry 'WIN_W != w0 || WIN_H != h0' "not resized"
((WIN_W >= 540 && WIN_H >= 330)) || fail "shrunk below the minimum: ${WIN_W}x$WIN_H"
xdotool windowsize "$MAIN_WIN" 640 420
wait_geometry 'WIN_W == 640 && WIN_H == 420' "not resized back"

wmctrl -i -r "$MAIN_WIN" -b add,maximized_vert,maximized_horz
wait_wm_state _NET_WM_STATE_MAXIMIZED_VERT _NET_WM_STATE_MAXIMIZED_HORZ
wait_geometry 'WIN_W >= 1100 && WIN_W < 1300' "not maximised"
# The panes follow once the program has laid out the larger window.
wait_last_trace panes 'v > 700' 'cut -dx -f2'

close_vesk
expect_eq "$(setting 'Settings\Window' max)" 1 "max"
expect_eq "$(setting 'Settings\Window' x)" 140 "x kept"
expect_eq "$(setting 'Settings\Window' y)" 110 "y kept"
expect_eq "$(setting 'Settings\Window' cx)" 640 "cx kept"
expect_eq "$(setting 'Settings\Window' cy)" 420 "cy kept"
expect_eq "$(setting 'Settings\Window' ps1cx)" 170 "tree pane width"
ps1cy=$(setting 'Settings\Window' ps1cy)
[ "$ps1cy" -gt 700 ] || fail "row height of a maximised window: $ps1cy"
expect_eq "$ps1cy" "$(last_trace panes | cut -dx -f2)" "row height as last laid out"
expect_eq "$(setting 'Settings\Window' ps2cx)" 0 "ps2cx"
expect_eq "$(setting 'Settings\Window' ps2cy)" $((ps1cy - 50)) "ps2cy"

# Closing while minimised leaves every stored value as it was.
before=$(for n in x y cx cy max ps1cx ps1cy ps2cx ps2cy; do setting 'Settings\Window' $n; done)
start_vesk
xdotool windowminimize --sync "$MAIN_WIN"
# The close request must come after the program has seen that it is minimised.
wait_wm_state _NET_WM_STATE_HIDDEN
wmctrl -i -c "$MAIN_WIN"
wait_exit 10
after=$(for n in x y cx cy max ps1cx ps1cy ps2cx ps2cy; do setting 'Settings\Window' $n; done)
expect_eq "$after" "$before" "values after closing minimised"
echo PASS
