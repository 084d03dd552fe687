#!/usr/bin/env bash
# The Favorites export from the File menu through its dialog: the first choice creates the
# Kestrelnest folder, the second writes the Top Category tree as shortcut files; Cancel writes
# nothing.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/links.knd
fav=$WORK/fav
mkdir -p "$fav"
"$CLI" new "$doc" >/dev/null || fail "could not create the document"
"$CLI" config set 'Settings\Files' Favorites "$fav" >/dev/null

start_vesk "$doc"
wait_caption "links.knd - Kestrelnest Application"

menu alt+f g
wait_window 'お気に入りへ出力'
xdotool key Escape
wait_window_gone "$FOUND_WIN"
[ -e "$fav/Kestrelnest" ] && fail "Cancel created the folder"

menu alt+f g
wait_window 'お気に入りへ出力'
xdotool key Return
wait_window_gone "$FOUND_WIN"
wait_trace '^message=お気に入りに「Kestrelnest」フォルダを作成しました。$'
answer vesk Return
[ -d "$fav/Kestrelnest" ] || fail "folder not created"

menu alt+f g
wait_window 'お気に入りへ出力'
xdotool key Down
xdotool key Return
wait_window_gone "$FOUND_WIN"
wait_trace '^message=お気に入りにリンク先を書き込みました。$'
answer vesk Return
[ -d "$fav/Kestrelnest/Top Category" ] || fail "Top Category not written"
close_vesk
echo PASS
