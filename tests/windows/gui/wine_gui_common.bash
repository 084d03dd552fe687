# Shared steps of the desktop tests of vesk.exe under Wine: a private virtual display with a
# window manager, the Wine prefix of the desktop tests (tools/wine-gui-prefix.sh), the program's
# trace file, and waiting for what the program reports. Sourced by tests/windows/gui/*.sh, which
# get vesk.exe, the source folder and vesk-cli (Linux or .exe) as their arguments.
set -euo pipefail

VESK=$(realpath "${1:?path of vesk.exe}")
SRC=$(realpath "${2:?source folder}")
CLI=$(realpath "${3:?path of vesk-cli}")

WORK=$(mktemp -d)
export WINEPREFIX=${VESK_WINE_GUI_PREFIX:-$(dirname "$VESK")/wine-gui-prefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$SRC/tools/wine-gui-prefix.sh" "$WINEPREFIX"
WINE=wine
[ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
# Inside Wine the trace path is read from drive Z:, which is the Unix root.
export VESK_UI_TRACE=$WORK/trace.txt
VESK_PID=
WM_PID=
XVFB_PID=

cleanup() {
  [ -n "$VESK_PID" ] && kill "$VESK_PID" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- log:" >&2; cat "$WORK/vesk.log" >&2 2>/dev/null || true
  echo "--- trace:" >&2
  cat "$VESK_UI_TRACE" >&2 2>/dev/null || true
  [ -n "${SHOT:-}" ] && import -window root "$SHOT" 2>/dev/null && echo "screenshot: $SHOT" >&2
  exit 1
}

# Runs the command until it succeeds, for at most $1 seconds; 1 when the time runs out.
poll() {
  local limit=$1
  shift
  local deadline=$((${EPOCHREALTIME/./} + limit * 1000000))
  until "$@"; do
    ((${EPOCHREALTIME/./} < deadline)) || return 1
    sleep 0.1
  done
}

expect_eq() { [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"; }

# The virtual display: the server picks a free number itself and names it once it listens.
start_display() {
  local cookie
  cookie=$(mcookie)
  export XAUTHORITY=$WORK/Xauthority
  xauth -q -f "$XAUTHORITY" add :0 . "$cookie"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -auth "$XAUTHORITY" \
    3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  poll 20 test -s "$WORK/display" || fail "no virtual display: $(cat "$WORK/xvfb.log")"
  export DISPLAY=:$(<"$WORK/display")
  xauth -q -f "$XAUTHORITY" add "$DISPLAY" . "$cookie"
  openbox >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  poll 20 eval 'wmctrl -m >/dev/null 2>&1' || fail "window manager did not start: $(cat "$WORK/openbox.log")"
}
start_display

# Runs a Windows program of the prefix (reg, a test program) and waits for it.
wine_run() { (cd "$WORK" && "$WINE" "$@"); }

# The registry key of the settings exists, so the first-start notice stays away (the tests of
# the notice delete it).
settings_exist() { wine_run reg add 'HKCU\Software\Tamberlinwork\vesk' /f >"$WORK/reg.log" 2>&1 || fail "reg add: $(cat "$WORK/reg.log")"; }

# A Unix path as the program sees it (drive Z: is the root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

wait_trace() {
  poll "${2:-20}" grep -Eq "$1" "$VESK_UI_TRACE" ||
    fail "no trace line matching '$1' within ${2:-20}s"
}

# Starts vesk.exe with the arguments and waits until the start-up document is shown.
start_vesk() {
  : >"$VESK_UI_TRACE"
  (cd "$WORK" && exec "$WINE" "$VESK" "$@") >"$WORK/vesk.log" 2>&1 &
  VESK_PID=$!
  wait_trace '^ready=1$' 60
  poll 20 eval 'MAIN_WIN=$(xdotool search --onlyvisible --name "Kestrelnest Application" | tail -1)' ||
    fail "main window not found"
}

caption() { xdotool getwindowname "$MAIN_WIN"; }
caption_is() { [ "$(caption)" = "$1" ]; }
wait_caption() { poll "${2:-20}" caption_is "$1" || fail "caption: expected '$1', got '$(caption)'"; }

keys() {
  xdotool windowactivate --sync "$MAIN_WIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN_WIN"
  xdotool key --clearmodifiers "$@"
}

# Finds a visible window with exactly this title into FOUND_WIN.
find_window() {
  local w
  for w in $(xdotool search --onlyvisible --name "." 2>/dev/null); do
    if [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ]; then
      FOUND_WIN=$w
      return 0
    fi
  done
  return 1
}

wait_window() {
  FOUND_WIN=
  poll "${2:-20}" find_window "$1" || fail "no window '$1' within ${2:-20}s"
  xdotool windowactivate --sync "$FOUND_WIN" 2>/dev/null || xdotool windowfocus --sync "$FOUND_WIN"
}

window_shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

answer() {
  wait_window "$1"
  xdotool key "$2"
  poll 20 eval "! window_shown $FOUND_WIN" || fail "window '$1' still shown"
}

vesk_ended() { ! kill -0 "$VESK_PID" 2>/dev/null; }

wait_exit() {
  poll "${1:-20}" vesk_ended || fail "vesk.exe did not end within ${1:-20}s"
  wait "$VESK_PID" && VESK_RC=0 || VESK_RC=$?
  VESK_PID=
}
