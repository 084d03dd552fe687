# Shared steps of the desktop tests: a private virtual display, settings and trace file, and
# waiting for what the program reports it shows. Sourced by the tests/gui/*.sh scripts, which
# get the path of vesk and the source folder as their arguments.
set -euo pipefail

VESK=${1:?path of vesk}
SRC=${2:?source folder}
CLI=$(dirname "$VESK")/vesk-cli

# Every script runs on its own virtual display.
if [ -z "${VESK_GUI_INNER:-}" ]; then
  export VESK_GUI_INNER=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi

WORK=$(mktemp -d)
export XDG_CONFIG_HOME=$WORK/config
export VESK_UI_TRACE=$WORK/trace.txt
export NO_AT_BRIDGE=1
VESK_PID=
WM_PID=

cleanup() {
  [ -n "$VESK_PID" ] && kill "$VESK_PID" 2>/dev/null || true
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null || true
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  echo "--- trace:" >&2
  cat "$VESK_UI_TRACE" >&2 2>/dev/null || true
  exit 1
}

start_wm() {
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  sleep 1
}

# Starts vesk with the given arguments and waits until the start-up document is shown.
start_vesk() {
  : >"$VESK_UI_TRACE"
  "$VESK" "$@" >"$WORK/vesk.log" 2>&1 &
  VESK_PID=$!
  wait_trace '^ready=1$' 20
  MAIN_WIN=$(xdotool search --sync --limit 1 --name 'Kestrelnest Application')
}

# Waits until a trace line matches the pattern (extended regex), for at most $2 seconds.
wait_trace() {
  local pattern=$1 limit=${2:-10} i
  for ((i = 0; i < limit * 10; i++)); do
    grep -Eq "$pattern" "$VESK_UI_TRACE" 2>/dev/null && return 0
    sleep 0.1
  done
  fail "no trace line matching '$pattern' within ${limit}s"
}

# The last value traced under key.
last_trace() { grep "^$1=" "$VESK_UI_TRACE" | tail -1 | cut -d= -f2-; }

# The caption of the main window as the X server holds it.
caption() { xprop -id "$MAIN_WIN" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }

keys() {
  xdotool windowactivate --sync "$MAIN_WIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN_WIN"
  xdotool key --clearmodifiers "$@"
}

# Chooses a menu command by its mnemonics, e.g. menu alt+o d.
menu() {
  keys "$1"
  sleep 1
  xdotool key "$2"
}

# Waits until a visible window with the title appears (for dialogs) and gives it the focus.
# (Titles are compared as UTF-8 through _NET_WM_NAME: xdotool's own name search misses them.)
wait_window() {
  local title=$1 limit=${2:-15} i w
  for ((i = 0; i < limit * 4; i++)); do
    for w in $(xdotool search --onlyvisible --class 'vesk' 2>/dev/null); do
      if xprop -id "$w" _NET_WM_NAME 2>/dev/null | grep -qF "\"$title\""; then
        xdotool windowactivate --sync "$w" 2>/dev/null || true
        return 0
      fi
    done
    sleep 0.25
  done
  fail "no window '$title' within ${limit}s"
}

# Closes the main window through File > Exit and waits for the process to end.
close_vesk() {
  menu alt+f x
  wait_exit 10
}

wait_exit() {
  local limit=${1:-10} i
  for ((i = 0; i < limit * 10; i++)); do
    if ! kill -0 "$VESK_PID" 2>/dev/null; then
      wait "$VESK_PID" && VESK_RC=0 || VESK_RC=$?
      VESK_PID=
      return 0
    fi
    sleep 0.1
  done
  fail "vesk did not end within ${limit}s"
}

# Waits for the dialog with the title and presses key in it.
answer() {
  wait_window "$1"
  sleep 0.3
  xdotool key "$2"
}

setting() { "$CLI" config get "$1" "$2"; }

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}
