#!/usr/bin/env bash
# vesk-setup.exe installs silently for the current user: the programs in the user's Programs
# folder, a start-menu entry and the one uninstall entry, which a start of vesk.exe keeps; the
# silent uninstall leaves nothing of ours, and keeps everything while vesk.exe runs.
source "$(dirname "$0")/wine_gui_common.bash"

SETUP=$(dirname "$VESK")/vesk-setup.exe
[ -f "$SETUP" ] || fail "no $SETUP"
# The entry's display name as stored (reg query prints it in the console's code page).
display_name() {
  wine_run reg export "$entry" entry.reg /y >/dev/null 2>&1 || fail "reg export of the entry"
  iconv -f UTF-16 -t UTF-8 "$WORK/entry.reg" | tr -d '\r' | sed -n 's/^"DisplayName"="\(.*\)"$/\1/p'
}
name='Kestrelnest レジストリ情報の削除'  # what vesk.exe writes at every start
# A folder of the prefix's user, in Windows form and as the Unix path behind it.
known() { wine_run cmd /c echo "%$1%" 2>/dev/null | tr -d '\r' | tail -1; }
unix_of() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r' | sed 's:/$::'; }
inst_win="$(known LOCALAPPDATA)\\Programs\\Vesk"
inst=$(unix_of "$inst_win")
link=$(unix_of "$(known APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs")/Vesk.lnk
[ -n "$inst" ] && [ "$inst" != / ] || fail "no install folder from '$inst_win'"
uninstaller="\"$inst_win\\vesk-uninstall.exe\""

ours=("$classes\\.knd" "$classes\\veskDatafile" "$entry" 'HKCU\Software\Tamberlinwork\vesk')
for key in "${ours[@]}"; do wine_run reg delete "$key" /f >/dev/null 2>&1 || true; done
rm -rf "$inst" "$link"

# Nothing of ours is left: no key, no file, no start-menu entry.
expect_clean() {
  for key in "${ours[@]}"; do has_key "$key" && fail "$key left after $1"; done
  [ -e "$inst" ] && fail "install folder left after $1: $(ls -A "$inst")"
  [ -e "$link" ] && fail "start-menu entry left after $1"
  return 0
}
# The uninstaller runs itself from a copy and returns at once; done when the folder is gone.
uninstall_quietly() {
  wine_run "$inst_win\\vesk-uninstall.exe" /S >"$WORK/uninst.log" 2>&1 ||
    fail "silent uninstall: $(cat "$WORK/uninst.log")"
  poll 60 eval '! [ -e "$inst" ]' || fail "install folder still there: $(ls -A "$inst")"
}

wine_run "$(winpath "$SETUP")" /S >"$WORK/setup.log" 2>&1 || fail "silent install: $(cat "$WORK/setup.log")"
# The installer holds the programs without their debugging data, as made in setup/.
for f in vesk.exe vesk-cli.exe; do
  cmp -s "$inst/$f" "$(dirname "$VESK")/setup/$f" || fail "$f not installed"
done
[ -f "$inst/vesk-uninstall.exe" ] || fail "no uninstaller"
[ -s "$link" ] || fail "no start-menu entry at $link"
expect_eq "$(value "$entry" UninstallString)" "$uninstaller" "installer's uninstall command"
expect_eq "$(value "$entry" QuietUninstallString)" "$uninstaller /S" "quiet uninstall command"
expect_eq "$(display_name)" "$name" "installer's display name"
has_key "$classes\\.knd" && fail "the installer registered the document type itself"

# The installed program's own refresh keeps the entry as the installer wrote it, and registers
# the document type with its installed path.
settings_exist
: >"$VESK_UI_TRACE"
(cd "$WORK" && exec "$WINE" "$inst_win\\vesk.exe") >"$WORK/vesk.log" 2>&1 &
VESK_PID=$!
wait_trace '^ready=1$' 60
poll 20 eval 'MAIN_WIN=$(xdotool search --onlyvisible --name "Kestrelnest Application" | tail -1)' ||
  fail "main window not found"
expect_eq "$(value "$entry" UninstallString)" "$uninstaller" "uninstall command after a start"
expect_eq "$(display_name)" "$name" "display name after a start"
expect_eq "$(value "$classes\\veskDatafile\\shell\\open\\command")" "\"$inst_win\\vesk.exe\" \"%1\"" \
  "open command of the installed program"

# While it runs the uninstall is refused, and the uninstaller then keeps everything. (Run in
# place, so it ends when it is done.)
if wine_run "$inst_win\\vesk-uninstall.exe" /S "_?=$inst_win" >"$WORK/uninst.log" 2>&1; then
  fail "the uninstaller reported success while vesk.exe ran"
fi
for f in vesk.exe vesk-cli.exe vesk-uninstall.exe; do [ -f "$inst/$f" ] || fail "$f removed"; done
[ -e "$link" ] || fail "start-menu entry removed while vesk.exe ran"
expect_eq "$(value "$entry" UninstallString)" "$uninstaller" "entry after the refused uninstall"
has_key 'HKCU\Software\Tamberlinwork\vesk' || fail "settings removed while vesk.exe ran"
keys alt+f x
wait_exit 30

# Silent: no question, and nothing of ours left.
uninstall_quietly
expect_clean "the silent uninstall"

# Without vesk.exe to ask, the uninstaller removes the program's registration itself.
wine_run "$(winpath "$SETUP")" /S >"$WORK/setup.log" 2>&1 || fail "second install: $(cat "$WORK/setup.log")"
rm "$inst/vesk.exe"
wine_run reg add "$classes\\.knd" /ve /d veskDatafile /f >/dev/null
wine_run reg add "$classes\\veskDatafile\\DefaultIcon" /ve /d x /f >/dev/null
settings_exist
uninstall_quietly
expect_clean "the uninstall without vesk.exe"
echo ok
