#!/usr/bin/env bash
# Editing the category tree with the keys: rename with F2, cut and paste, delete to the trash,
# undo, move up and down, then save with Ctrl+S and read the saved file back.
source "$(dirname "$0")/gui_common.bash"
source "$(dirname "$0")/tree_common.bash"
open_tree

keys Down
wait_last selected A
keys F2
wait_last renaming A
xdotool type --delay 50 Alpha
xdotool key Return
wait_last renamed Alpha

keys Down Down
wait_last selected B
keys ctrl+x
wait_last cut B
wait_last selected "Top Category"
keys Down
wait_last selected Alpha
keys ctrl+v
wait_last paste B

keys Down Down Down
wait_last selected C
keys Delete
wait_last cut C
wait_last selected "Top Category"
keys ctrl+z
wait_last movedback C
wait_last selected C

keys ctrl+Up
wait_last moved C
keys ctrl+Down
wait_trace_count '^moved=C$' 2
# Undoing the last move puts C back above Alpha; C stays the selected category.
keys ctrl+z
wait_last swappedback C
expect_eq "$(last_trace selected)" C "selection after undoing a move"

save_and_wait 'Alpha<Top Category'
expect_eq "$(saved_tree | tr '\n' ' ')" \
  "C<Top Category Alpha<Top Category A1<Alpha B<ごみ箱 B<Alpha " "saved tree"
# The cut category took its link to the trash with it.
expect_eq "$("$CLI" dump "$doc" | jq -r '.nodes[] | select(.title == "L") | .parentSerial')" 5 \
  "link of the cut category"

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
