#!/usr/bin/env bash
# Registration with the desktop on every start, checked with the desktop's own tools; the
# install notice on the first start; the uninstall run with Cancel and with OK.
source "$(dirname "$0")/gui_common.bash"
start_wm
export XDG_CURRENT_DESKTOP=GNOME  # xdg-mime then asks gio, which reads the MIME database
APPS=$XDG_DATA_HOME/applications

# First start: no settings yet, so the notice comes before the window.
rm -rf "$XDG_CONFIG_HOME/vesk"
: >"$VESK_UI_TRACE"
"$VESK" >"$WORK/vesk.log" 2>&1 &
VESK_PID=$!
answer "vesk install" Return
grep -q '^message=Kestrelnest Application$' "$VESK_UI_TRACE" || fail "notice text"
grep -q '^設定ファイルにデータを書き込みます。$' "$VESK_UI_TRACE" || fail "notice text"
wait_trace '^ready=1$' 20
MAIN_WIN=$(xdotool search --limit 1 --name 'Kestrelnest Application') || fail "no main window"
grep -qx "Exec=$VESK %f" "$APPS/vesk.desktop" || fail "Exec: $(grep Exec "$APPS/vesk.desktop")"
[ -f "$XDG_DATA_HOME/mime/packages/vesk.xml" ] || fail "no MIME package"
[ -f "$XDG_DATA_HOME/icons/hicolor/scalable/apps/vesk.svg" ] || fail "no icon"
close_vesk

"$CLI" new "$WORK/x.knd" >/dev/null
expect_eq "$(xdg-mime query filetype "$WORK/x.knd")" application/x-vesk-document "type by name"
# The file header alone tells the type.
cp "$WORK/x.knd" "$WORK/collection.dat"
expect_eq "$(xdg-mime query filetype "$WORK/collection.dat")" application/x-vesk-document \
  "type by content"
expect_eq "$(xdg-mime query default application/x-vesk-document)" vesk.desktop "default program"

# Moved: the next start from the new place rewrites Exec. The second start shows no notice.
mkdir "$WORK/moved"
cp "$VESK" "$WORK/moved/vesk"
VESK=$WORK/moved/vesk
start_vesk
grep -q '^message=' "$VESK_UI_TRACE" && fail "notice shown again"
grep -qx "Exec=$VESK %f" "$APPS/vesk.desktop" || fail "Exec not moved: $(grep Exec "$APPS/vesk.desktop")"
close_vesk

# Another program's default stays another program's.
sed -i 's/=vesk.desktop$/=other.desktop/' "$XDG_CONFIG_HOME/mimeapps.list"
start_vesk
close_vesk
grep -qx 'application/x-vesk-document=other.desktop' "$XDG_CONFIG_HOME/mimeapps.list" ||
  fail "default taken from another program: $(cat "$XDG_CONFIG_HOME/mimeapps.list")"

# Uninstall, Cancel: nothing changes, no window.
before=$(cat "$XDG_CONFIG_HOME/vesk/settings.txt" "$APPS/vesk.desktop")
: >"$VESK_UI_TRACE"
"$VESK" /uninstall >"$WORK/uninstall.log" 2>&1 &
VESK_PID=$!
answer "vesk uninstall" Escape
wait_exit 10
# Not uninstalled: an uninstaller that ran it keeps the program's files.
expect_eq "$VESK_RC" 1 "exit status after Cancel"
grep -q '^レジストリのデータを削除します。$' "$VESK_UI_TRACE" || fail "question 10022"
expect_eq "$(cat "$XDG_CONFIG_HOME/vesk/settings.txt" "$APPS/vesk.desktop")" "$before" \
  "files after Cancel"

# Uninstall, OK: the settings and our files go; the other program's default stays.
"$VESK" --uninstall >"$WORK/uninstall.log" 2>&1 &
VESK_PID=$!
answer "vesk uninstall" Return
wait_exit 10
expect_eq "$VESK_RC" 0 "exit status after OK"
for f in "$XDG_CONFIG_HOME/vesk" "$APPS/vesk.desktop" "$XDG_DATA_HOME/mime/packages/vesk.xml" \
  "$XDG_DATA_HOME/icons/hicolor/scalable/apps/vesk.svg"; do
  [ -e "$f" ] && fail "$f left after uninstall"
done
grep -qx 'application/x-vesk-document=other.desktop' "$XDG_CONFIG_HOME/mimeapps.list" ||
  fail "another program's default removed"
[ "$(xdg-mime query filetype "$WORK/collection.dat")" = application/x-vesk-document ] &&
  fail "type still known after uninstall"
# A folder name with "%": an entry the desktop's own checker and launcher take.
mkdir "$WORK/100%"
cp "$VESK" "$WORK/100%/vesk"
VESK=$WORK/100%/vesk
rm -rf "$XDG_CONFIG_HOME/vesk"
: >"$VESK_UI_TRACE"
"$VESK" >"$WORK/vesk.log" 2>&1 &
VESK_PID=$!
answer "vesk install" Return
wait_trace '^ready=1$' 20
MAIN_WIN=$(xdotool search --limit 1 --name 'Kestrelnest Application') || fail "no main window"
grep -qx "Exec=env $WORK/100%%/vesk %f" "$APPS/vesk.desktop" ||
  fail "Exec: $(grep Exec "$APPS/vesk.desktop")"
desktop-file-validate "$APPS/vesk.desktop" || fail "entry refused by desktop-file-validate"
grep -q '^message=プログラムのフォルダの名前' "$VESK_UI_TRACE" && fail "needless message"
close_vesk

# A folder name that is not UTF-8: no box from the toolkit, no entry, the reason once on the
# first start, and the program starts as usual.
bad=$(printf '%s/b\xffd' "$WORK")
mkdir "$bad"
cp "$VESK" "$bad/vesk"
VESK=$bad/vesk
"$VESK" --uninstall >"$WORK/uninstall.log" 2>&1 &
VESK_PID=$!
answer "vesk uninstall" Return
wait_exit 10
: >"$VESK_UI_TRACE"
"$VESK" >"$WORK/vesk.log" 2>&1 &
VESK_PID=$!
answer "vesk install" Return
wait_trace '^message=プログラムのフォルダの名前' 20
find_window "Warning" && fail "the toolkit showed a box: $(cat "$WORK/vesk.log")"
answer "vesk install" Return
wait_trace '^ready=1$' 20
MAIN_WIN=$(xdotool search --limit 1 --name 'Kestrelnest Application') || fail "no main window"
[ -e "$APPS/vesk.desktop" ] && fail "an entry was written: $(grep Exec "$APPS/vesk.desktop" | od -c)"
[ -f "$XDG_DATA_HOME/mime/packages/vesk.xml" ] || fail "no MIME package"
close_vesk
start_vesk
grep -q '^message=' "$VESK_UI_TRACE" && fail "message shown again: $(cat "$VESK_UI_TRACE")"
close_vesk
echo "desktop registration: ok"
