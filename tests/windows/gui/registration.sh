#!/usr/bin/env bash
# The shell registration of every start, under the current user's keys only: the document type
# and the entry in the list of installed programs; the uninstall run asks, then removes them and
# the settings, and leaves alone an extension another program holds.
source "$(dirname "$0")/wine_gui_common.bash"

program="$(winpath "$VESK")"

wine_run reg delete "$classes\\.knd" /f >/dev/null 2>&1 || true
wine_run reg delete "$classes\\veskDatafile" /f >/dev/null 2>&1 || true
wine_run reg delete "$entry" /f >/dev/null 2>&1 || true
wine_run reg delete 'HKCU\Software\Tamberlinwork' /f >/dev/null 2>&1 || true
# A second program of the same company keeps its key through the uninstall.
wine_run reg add 'HKCU\Software\Tamberlinwork\other' /v kept /d yes /f >/dev/null

# First start: the notice that the registry is written, then the window.
: >"$VESK_UI_TRACE"
(cd "$WORK" && exec "$WINE" "$VESK") >"$WORK/vesk.log" 2>&1 &
VESK_PID=$!
answer "vesk install" Return
wait_trace '^ready=1$' 60
expect_eq "$(value "$classes\\.knd")" veskDatafile "extension's file type"
expect_eq "$(value "$classes\\veskDatafile\\shell\\open\\command")" "\"$program\" \"%1\"" \
  "open command"
expect_eq "$(value "$classes\\veskDatafile\\DefaultIcon")" "$program,1" "icon"
expect_eq "$(value "$entry" UninstallString)" "\"$program\" /uninstall" "uninstall command"
[ -n "$(value "$entry" DisplayName)" ] || fail "no display name in the uninstall entry"
wait_trace '^ready=1$'
MAIN_WIN=$(xdotool search --onlyvisible --name 'Kestrelnest Application' | tail -1)
keys alt+f x
wait_exit 30
has_key 'HKCU\Software\Tamberlinwork\vesk' || fail "no settings key after the first run"

# Cancel changes nothing.
(cd "$WORK" && exec "$WINE" "$VESK" /uninstall) >"$WORK/uninstall.log" 2>&1 &
VESK_PID=$!
answer "vesk uninstall" Escape
wait_exit 30
has_key "$classes\\.knd" || fail "Cancel removed the registration"
has_key 'HKCU\Software\Tamberlinwork\vesk' || fail "Cancel removed the settings"

# OK removes ours, and only ours.
(cd "$WORK" && exec "$WINE" "$VESK" /uninstall) >"$WORK/uninstall.log" 2>&1 &
VESK_PID=$!
answer "vesk uninstall" Return
wait_exit 30
expect_eq "$VESK_RC" 0 "exit status of the uninstall run"
for key in "$classes\\.knd" "$classes\\veskDatafile" "$entry" 'HKCU\Software\Tamberlinwork\vesk'; do
  has_key "$key" && fail "$key left after the uninstall"
done
expect_eq "$(value 'HKCU\Software\Tamberlinwork\other' kept)" yes "the other program's key"

# An extension another program holds stays with it, through the start and the uninstall.
wine_run reg add "$classes\\.knd" /ve /d otherType /f >/dev/null
wine_run reg add "$classes\\otherType\\shell\\open\\command" /ve /d other.exe /f >/dev/null
settings_exist
start_vesk
expect_eq "$(value "$classes\\.knd")" otherType "extension held by another program"
keys alt+f x
wait_exit 30
(cd "$WORK" && exec "$WINE" "$VESK" /uninstall) >"$WORK/uninstall.log" 2>&1 &
VESK_PID=$!
answer "vesk uninstall" Return
wait_exit 30
expect_eq "$(value "$classes\\.knd")" otherType "extension after the uninstall"
expect_eq "$(value "$classes\\otherType\\shell\\open\\command")" other.exe "other program's class"
has_key "$entry" && fail "uninstall entry left"
wine_run reg delete "$classes\\.knd" /f >/dev/null 2>&1 || true
wine_run reg delete "$classes\\otherType" /f >/dev/null 2>&1 || true
wine_run reg delete "$classes\\veskDatafile" /f >/dev/null 2>&1 || true
wine_run reg delete 'HKCU\Software\Tamberlinwork' /f >/dev/null 2>&1 || true
echo ok
