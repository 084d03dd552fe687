#!/usr/bin/env bash
# One instance per user: a second start hands its document to the running window (restoring
# it when minimised) and ends without a window; a lock left by a killed instance blocks nothing;
# the uninstall run refuses while an instance runs.
source "$(dirname "$0")/gui_common.bash"
start_wm

"$CLI" new "$WORK/first.knd" >/dev/null || fail "could not make first.knd"
"$CLI" new "$WORK/second.knd" >/dev/null || fail "could not make second.knd"
settings_before=$(cat "$XDG_CONFIG_HOME/vesk/settings.txt")

start_vesk "$WORK/first.knd"
wait_caption "first.knd - Kestrelnest Application"
[ -S "$XDG_RUNTIME_DIR/vesk/vesk.sock" ] || fail "no socket in the runtime folder"
perm=$(stat -c %a "$XDG_RUNTIME_DIR/vesk")
expect_eq "$perm" 700 "runtime folder permissions"

xdotool windowminimize "$MAIN_WIN"
wait_wm_state _NET_WM_STATE_HIDDEN

# The second start names the document relative to its own folder.
(cd "$WORK" && timeout 20 "$VESK" second.knd >"$WORK/second.log" 2>&1) ||
  fail "second start did not end well: $(cat "$WORK/second.log")"
wait_trace "^instance-message=$WORK/second.knd\$"
wait_caption "second.knd - Kestrelnest Application"
poll 10 eval '! wm_state_has _NET_WM_STATE_HIDDEN' || fail "window still minimised"
# Brought to the front: the window manager makes it the active window.
active_is_main() {
  local id
  id=$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p')
  [ -n "$id" ] && (("$id" == MAIN_WIN))
}
poll 10 active_is_main || fail "window not active after the hand-over"
# Behind another program's window, an empty hand-over brings it forward again.
xmessage -name front -title front "in front" >/dev/null 2>&1 &
FRONT_PID=$!
poll 10 eval '! active_is_main' || fail "the other window never became active"
timeout 20 "$VESK" || fail "empty hand-over failed"
poll 10 active_is_main || fail "window not brought forward by an empty hand-over"
kill "$FRONT_PID"
count=$(xdotool search --onlyvisible --name 'Kestrelnest Application' | wc -l)
expect_eq "$count" 1 "windows after the second start"

# A handed-over document takes the normal open path: a modified document is offered for saving
# first, and Cancel keeps it.
menu alt+i r
wait_trace '^message=通し番号を再割り当てします。'
answer vesk Return
timeout 20 "$VESK" "$WORK/first.knd" || fail "hand-over to a modified document failed"
wait_trace '^message=.*second.knd への変更を保存しますか\?$'
answer vesk Escape
# Hand-overs are taken in turn: once an empty one is seen, the cancelled open has ended.
: >"$VESK_UI_TRACE"
timeout 20 "$VESK" || fail "empty hand-over failed"
wait_trace '^instance-message=$'
caption_is "second.knd - Kestrelnest Application" || fail "Cancel did not keep the document"
: >"$VESK_UI_TRACE"
timeout 20 "$VESK" "$WORK/first.knd" || fail "second hand-over failed"
wait_trace '^message=.*second.knd への変更を保存しますか\?$'
answer vesk Return  # Yes: saved, then the handed-over document opens
wait_caption "first.knd - Kestrelnest Application"

# Uninstall while running: message 10023, nothing changed.
"$VESK" --uninstall >"$WORK/uninstall.log" 2>&1 &
UNINSTALL_PID=$!
wait_window "Warning"
grep -q '^message=Kestrelnst Applicationが起動していますのでアンインストールできません。$' \
  "$VESK_UI_TRACE" || fail "message 10023 not shown"
xdotool key Return
poll 10 eval "! kill -0 $UNINSTALL_PID 2>/dev/null" || fail "uninstall run did not end"
if wait "$UNINSTALL_PID"; then fail "the refused uninstall run reported success"; fi
[ -f "$XDG_DATA_HOME/applications/vesk.desktop" ] || fail "desktop entry removed while running"
grep -q 'Tamberlinwork' "$XDG_CONFIG_HOME/vesk/settings.txt" || fail "settings removed while running"

# A crashed instance leaves its lock file and socket behind; they block nothing.
kill -KILL "$VESK_PID"
wait "$VESK_PID" 2>/dev/null || true
VESK_PID=
[ -S "$XDG_RUNTIME_DIR/vesk/vesk.sock" ] || fail "the killed instance left no socket to test with"
start_vesk "$WORK/first.knd"
wait_caption "first.knd - Kestrelnest Application"

# The new instance answers hand-overs too, also while fifty local clients hold connections open
# (half idle, half sending a byte a second); the window keeps working meanwhile.
python3 - "$XDG_RUNTIME_DIR/vesk/vesk.sock" <<'PY' &
import socket, sys, time
held = []
for i in range(50):
    s = socket.socket(socket.AF_UNIX)
    s.connect(sys.argv[1])
    held.append(s)
while True:
    for s in held[25:]:
        try:
            s.send(b"x")
        except OSError:
            pass
    time.sleep(1)
PY
HOSTILE_PID=$!
sleep 1
started=${EPOCHREALTIME/./}
timeout 20 "$VESK" "$WORK/second.knd" >"$WORK/third.log" 2>&1 ||
  fail "third start failed: $(cat "$WORK/third.log")"
wait_caption "second.knd - Kestrelnest Application"
elapsed=$(((${EPOCHREALTIME/./} - started) / 1000))
((elapsed < 5000)) || fail "the hand-over took $elapsed ms beside the hostile clients"
kill "$HOSTILE_PID"
wait "$HOSTILE_PID" 2>/dev/null || true

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
[ -S "$XDG_RUNTIME_DIR/vesk/vesk.sock" ] && fail "socket left after a normal exit"
grep -q 'Tamberlinwork' "$XDG_CONFIG_HOME/vesk/settings.txt" || fail "settings lost: $settings_before"
echo "single instance: ok"
