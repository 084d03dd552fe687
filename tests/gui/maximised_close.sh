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
geometry=$(xdotool getwindowgeometry "$MAIN_WIN")
echo "$geometry" | grep -Eq 'Geometry: 6[34][0-9]x(39[0-9]|4[0-2][0-9])' || fail "stored size not used: $geometry"

# The window cannot be made smaller than 550 x 360 (frame included).
xdotool windowsize "$MAIN_WIN" 300 200
sleep 0.5
read -r w h < <(xdotool getwindowgeometry "$MAIN_WIN" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
[ "$w" -ge 540 ] && [ "$h" -ge 330 ] || fail "shrunk below the minimum: ${w}x$h"
xdotool windowsize "$MAIN_WIN" 640 420
sleep 0.5

wmctrl -i -r "$MAIN_WIN" -b add,maximized_vert,maximized_horz
sleep 1
geometry=$(xdotool getwindowgeometry "$MAIN_WIN")
echo "$geometry" | grep -q 'Geometry: 1[12][0-9][0-9]x' || fail "not maximised: $geometry"

close_vesk
expect_eq "$(setting 'Settings\Window' max)" 1 "max"
expect_eq "$(setting 'Settings\Window' x)" 140 "x kept"
expect_eq "$(setting 'Settings\Window' y)" 110 "y kept"
expect_eq "$(setting 'Settings\Window' cx)" 640 "cx kept"
expect_eq "$(setting 'Settings\Window' cy)" 420 "cy kept"
expect_eq "$(setting 'Settings\Window' ps1cx)" 170 "tree pane width"
ps1cy=$(setting 'Settings\Window' ps1cy)
[ "$ps1cy" -gt 700 ] || fail "row height of a maximised window: $ps1cy"
expect_eq "$(setting 'Settings\Window' ps2cx)" 0 "ps2cx"
expect_eq "$(setting 'Settings\Window' ps2cy)" $((ps1cy - 50)) "ps2cy"

# Closing while minimised leaves every stored value as it was.
before=$(for n in x y cx cy max ps1cx ps1cy ps2cx ps2cy; do setting 'Settings\Window' $n; done)
start_vesk
xdotool windowminimize --sync "$MAIN_WIN"
sleep 0.5
wmctrl -i -c "$MAIN_WIN"
wait_exit 10
after=$(for n in x y cx cy max ps1cx ps1cy ps2cx ps2cy; do setting 'Settings\Window' $n; done)
expect_eq "$after" "$before" "values after closing minimised"
echo PASS
