#!/usr/bin/env bash
# A new category, Save As through the file dialog, CGI output with its result list, the recent-file list, the
# save question on closing a modified document, and reopening the saved file.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/links.knd

start_vesk
# A new category through its dialog, so the saved file holds more than a new document.
menu alt+i c
wait_window 'カテゴリー情報'
xdotool key ctrl+a
xdotool type --delay 10 "Links"
xdotool key Return
wait_window_gone "$FOUND_WIN"
wait_trace '^category=Links$'
wait_trace '^counts=0002 / 0000$'
keys ctrl+s
wait_window '名前を付けて保存'
# The file dialog proposes the document's name; replace it with the whole path.
xdotool key ctrl+a
xdotool type --delay 10 "$(typed_path "$doc")"
xdotool key Return
wait_trace '^caption=links.knd - Kestrelnest Application$'
[ -s "$doc" ] || fail "document not written"
wait_caption "links.knd - Kestrelnest Application"

menu alt+o d
wait_trace '^result=' 10
# A child category is written before its parent.
expect_eq "$(last_trace result)" "$(program_path "$WORK/category1.cgi")" "first changed file"
[ -f "$WORK/category0.cgi" ] && [ -f "$WORK/category1.cgi" ] && [ -f "$WORK/search.cgi" ] ||
  fail "CGI files missing"
answer '出力結果' Return

# Renumbering marks the document modified, so closing asks about the changes.
menu alt+i r
wait_trace '^message=通し番号を再割り当てします。'
answer vesk Return  # OK
menu alt+f x
wait_trace '^message=links.knd への変更を保存しますか\?$|^message=.*links.knd への変更を保存しますか\?$' 10
answer vesk Return  # Yes: save, then close
wait_exit 10
expect_eq "$VESK_RC" 0 "exit status"
expect_eq "$(setting 'Recent File List' File1)" "$(program_path "$doc")" "most recent file"

# The saved file opens again from the command line.
start_vesk "$doc"
wait_caption "links.knd - Kestrelnest Application"
wait_trace '^counts=0002 / 0000$'
grep -qx 'category=Links' "$VESK_UI_TRACE" || fail "category not shown after reopening"
close_vesk

# With the setting "open" on, a start without a file opens the most recent document.
"$CLI" config set 'Settings\Data' open 1
start_vesk
wait_caption "links.knd - Kestrelnest Application"
close_vesk
echo PASS
