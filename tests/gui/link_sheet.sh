#!/usr/bin/env bash
# The link property sheet from the window: Escape and an empty title leave nothing behind, a new
# link made with Ctrl+L is saved and read back, a change through Enter in the list is saved, and
# a later change is undone.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/links.knd
"$CLI" new "$doc" >/dev/null || fail "could not create the document"

# True when the saved document, as vesk-cli dump prints it, holds the text.
saved_has() { "$CLI" dump "$doc" | grep -qF -- "$1"; }
# The number of links in the saved document.
saved_links() { "$CLI" dump "$doc" | grep -c '"kind": 2' || true; }

# Opens the sheet with the key and waits for it.
open_sheet() {
  keys "$1"
  wait_window 'リンク先の情報'
}

# Presses the key in the sheet and waits until it has closed with the traced outcome.
close_sheet() {
  local before
  before=$(grep -c '^sheet=' "$VESK_UI_TRACE" || true)
  xdotool key "$1"
  wait_window_gone "$FOUND_WIN"
  poll 10 eval '(($(grep -c "^sheet=" "$VESK_UI_TRACE") > before + 0))' ||
    fail "the sheet did not report how it closed"
  expect_eq "$(last_trace sheet)" "$2" "sheet closed by $1"
}

start_vesk "$doc"
wait_caption "links.knd - Kestrelnest Application"
wait_trace '^counts=0001 / 0000$'

# Escape, and OK with an empty title, leave no link and no undo step.
open_sheet ctrl+l
xdotool type --delay 10 "Not wanted"
close_sheet Escape cancel
open_sheet ctrl+l
xdotool key ctrl+a BackSpace
close_sheet Return ok
# The counts pane, which counts the link while its sheet is open, shows no link again.
poll 10 eval '[ "$(last_trace counts)" = "0001 / 0000" ]' || fail "a cancelled link is counted"

# A new link: the title proposal is selected, Tab selects the URL proposal, and on the comment
# page Ctrl+Enter types a line break while Enter presses OK.
open_sheet ctrl+l
xdotool type --delay 10 "Example Site"
xdotool key Tab
xdotool type --delay 10 "http://www.example.org/"
xdotool key ctrl+Next
wait_trace '^sheet-page=1$'
xdotool type --delay 10 "line one"
xdotool key ctrl+Return
xdotool type --delay 10 "line two"
# Page 3: template button 1 (the sample tag), then a month out of range: leaving the page is
# refused with the framework's message and the month keeps the focus, selected.
xdotool key ctrl+Next
wait_trace '^sheet-page=2$'
xdotool key Tab Return
# 2, 3, 画像..., mark, year, its spin, month; a Windows spin control is one stop, text and arrows.
month_tabs=7
[ -n "$ON_WINE" ] && month_tabs=6
for _ in $(seq "$month_tabs"); do xdotool key Tab; done
xdotool key ctrl+a
xdotool type "13"
xdotool key ctrl+Next
wait_trace '^message=1 から 12 までの整数を入力してください。$'
answer vesk Return
# The keys go on only once the sheet has the focus back (Wine gives it back later).
wait_window 'リンク先の情報'
xdotool type "7"
xdotool key ctrl+Next
wait_trace '^sheet-page=3$'
# Page 4: Keyword 1 after the five check boxes and the genre list. It holds 20 bytes: after 19
# letters a kanji (two bytes) is refused whole, and one more letter still fits.
for _ in 1 2 3 4 5 6; do xdotool key Tab; done
xdotool type --delay 10 "abcdefghijklmnopqrs"
xdotool type --delay 50 "漢"
xdotool type "tu"
close_sheet Return ok
wait_trace '^counts=0001 / 0001$'
keys ctrl+s
poll 10 saved_has '"title": "Example Site"' || fail "new link not saved"
saved_has '"url": "http://www.example.org/"' || fail "URL not saved"
# Ctrl+Enter kept the sheet open (the file keeps no line breaks, so the lines meet there).
saved_has '"comment": "line oneline two"' ||
  fail "comment not saved: $("$CLI" dump "$doc" | grep '"comment"')"
expect_eq "$(saved_links)" 1 "links saved"
saved_has '"banner": "<IMG src=\"xxx.png\" alt=\"\" align=\"middle\" border=\"0\" width=\"200\" height=\"40\">"' ||
  fail "banner template not saved: $("$CLI" dump "$doc" | grep '"banner"' | tail -1)"
saved_has '"month": 7,' || fail "month not saved"
saved_has '"keywords": "\tabcdefghijklmnopqrst"' ||
  fail "keyword not kept to 20 bytes: $("$CLI" dump "$doc" | grep '"keywords"' | tail -1)"

# Change link: Enter on the selected row of the list opens the sheet on that link.
# F6 goes to the other pane, whichever had the focus; go on until it is the list.
for _ in 1 2; do
  switches=$(grep -c '^pane=' "$VESK_UI_TRACE" || true)
  keys F6
  poll 10 eval '(($(grep -c "^pane=" "$VESK_UI_TRACE") > switches))' || fail "F6 did not switch"
  [ "$(last_trace pane)" = list ] && break
done
expect_eq "$(last_trace pane)" list "pane with the focus"
open_sheet Return
xdotool type --delay 10 "Changed Site"
close_sheet Return ok
keys ctrl+s
poll 10 saved_has '"title": "Changed Site"' || fail "changed link not saved"

# Another change, cancelled: no undo step; then one more, confirmed and undone with Ctrl+Z.
open_sheet Return
xdotool type --delay 10 "Cancelled"
close_sheet Escape cancel
open_sheet Return
xdotool type --delay 10 "Third Title"
close_sheet Return ok
keys ctrl+z
rm "$doc"
keys ctrl+s
poll 10 test -s "$doc" || fail "document not saved after undo"
saved_has '"title": "Changed Site"' || fail "undo did not bring the title back"
saved_has 'Third Title' && fail "the undone title was saved"
expect_eq "$(saved_links)" 1 "links after undo"
close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
