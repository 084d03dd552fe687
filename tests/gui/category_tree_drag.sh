#!/usr/bin/env bash
# Moving categories with the mouse: drag one onto another, a drop on the dragged category's own
# subtree is refused, a drop on the trash throws away and is undone, then save with Ctrl+S and
# read the saved file back.
source "$(dirname "$0")/gui_common.bash"
source "$(dirname "$0")/tree_common.bash"
open_tree

# Selects the category with the keys (from the first item, Home) and leaves the screen point of its item in AT.
# Home leaves the item first, so it is selected anew and traces its place anew.
select_by_keys() {
  local seen
  seen=$(grep -c "^selectedat=$1@" "$VESK_UI_TRACE" || true)
  keys Home "${@:2}"
  wait_last selected "$1"
  wait_trace_count "^selectedat=$1@" $((seen + 1))
  AT=$(grep "^selectedat=$1@" "$VESK_UI_TRACE" | tail -1 | cut -d@ -f2 | tr , ' ')
}

# Presses the left button on the first point, moves there in steps as a hand would and lets go.
drag() {
  local x1 y1 x2 y2 i
  read -r x1 y1 <<<"$1"
  read -r x2 y2 <<<"$2"
  xdotool mousemove "$x1" "$y1" mousedown 1
  for i in 1 2 3 4 5 6 7 8; do
    xdotool sleep 0.05 mousemove $((x1 + (x2 - x1) * i / 8)) $((y1 + (y2 - y1) * i / 8))
  done
  xdotool sleep 0.1 mouseup 1
}

select_by_keys A Down
A=$AT
select_by_keys C Down Down Down Down
C=$AT
drag "$C" "$A"
wait_last drop "C > A"
wait_last selected C

# A onto A1, inside its own subtree.
select_by_keys A1 Down Down
A1=$AT
drag "$A" "$A1"
wait_trace_count '^drop=refused$' 1

select_by_keys B Down Down Down Down
B=$AT
select_by_keys ごみ箱 Down Down Down Down Down Down
drag "$B" "$AT"
wait_last drop "B > ごみ箱"
keys ctrl+z
wait_last movedback B

save_and_wait 'C<A'
expect_eq "$(saved_tree | tr '\n' ' ')" "A<Top Category A1<A B<Top Category C<A " "saved tree"

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
