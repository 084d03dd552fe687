# Shared steps of the desktop tests: a private virtual display, settings and trace file, and
# waiting for what the program reports it shows. Sourced by the tests/gui/*.sh scripts, which
# get the path of the program and the source folder as their arguments. Given vesk.exe (and the
# Linux vesk-cli as a third argument) the same steps drive the Windows program under Wine.
set -euo pipefail

VESK=$(realpath "${1:?path of vesk or vesk.exe}")
SRC=$(realpath "${2:?source folder}")
WORK=$(mktemp -d)
export VESK_UI_TRACE=$WORK/trace.txt
export NO_AT_BRIDGE=1
ON_WINE=
[[ $VESK == *.exe ]] && ON_WINE=1
# Waits are this many times longer under Wine, whose programs start and answer more slowly.
TIME_SCALE=1

if [ -n "$ON_WINE" ]; then
  export WINEPREFIX=${VESK_WINE_GUI_PREFIX:-$(dirname "$VESK")/wine-gui-prefix}
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  "$SRC/tools/wine-gui-prefix.sh" "$WINEPREFIX"
  WINE=wine
  [ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64
  TIME_SCALE=3
  # Documents are read and written by the Linux vesk-cli (the files are the same on both); the
  # settings live in the registry, so "config" goes to vesk-cli.exe inside the prefix.
  LINUX_CLI=$(realpath "${3:?path of the Linux vesk-cli}")
  CLI=$WORK/vesk-cli
  cat >"$CLI" <<CLI_WRAPPER
#!/usr/bin/env bash
if [ "\${1:-}" = config ]; then
  cd "$WORK" && "$WINE" "$(dirname "$VESK")/vesk-cli.exe" "\$@" | tr -d '\\r'
  exit "\${PIPESTATUS[0]}"
fi
exec "$LINUX_CLI" "\$@"
CLI_WRAPPER
  chmod +x "$CLI"
else
  CLI=$(dirname "$VESK")/vesk-cli
  export XDG_CONFIG_HOME=$WORK/config
  # The program registers itself with the desktop and keeps its single-instance lock in the
  # runtime folder: both stay inside the test's own folder, never the real user's.
  export HOME=$WORK/home XDG_DATA_HOME=$WORK/data XDG_RUNTIME_DIR=$WORK/run
  mkdir -p "$HOME" "$XDG_DATA_HOME"
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
VESK_PID=
WM_PID=
XVFB_PID=

cleanup() {
  [ -n "$VESK_PID" ] && kill "$VESK_PID" 2>/dev/null || true
  [ -n "$ON_WINE" ] && { wineserver -k 2>/dev/null || true; }
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
  if [ -s "$WORK/vesk.log" ]; then
    echo "--- log:" >&2
    cat "$WORK/vesk.log" >&2
  fi
  echo "--- trace:" >&2
  cat "$VESK_UI_TRACE" >&2 2>/dev/null || true
  [ -n "${SHOT:-}" ] && import -window root "$SHOT" 2>/dev/null && echo "screenshot: $SHOT" >&2
  exit 1
}

# Runs the command until it succeeds, for at most $1 seconds by the clock (a busy machine gets
# the same time, not the same number of tries); returns 1 when the time runs out.
poll() {
  local limit=$(($1 * TIME_SCALE))
  shift
  local deadline=$((${EPOCHREALTIME/./} + limit * 1000000))
  until "$@"; do
    ((${EPOCHREALTIME/./} < deadline)) || return 1
    sleep 0.05
  done
}

# Every script runs on its own virtual display. The server picks a free display number itself
# and names it once it accepts connections: a number chosen here beforehand can be taken by
# another server starting at the same moment. Only holders of the cookie may connect; the
# server takes the cookie whatever display the entry names.
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
}
start_display

# Runs a Windows program of the prefix (reg, a test program) and waits for it.
wine_run() { (cd "$WORK" && "$WINE" "$@"); }

# A Unix path as vesk.exe sees it (drive Z: is the root).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# A path as a user types it into the program's dialogs: the system's own form.
typed_path() { if [ -n "$ON_WINE" ]; then winpath "$1"; else printf '%s' "$1"; fi; }

# A path of the test's folder as the program under test names it: under Wine on drive Z:, with
# the '/' the program keeps on every system.
program_path() { if [ -n "$ON_WINE" ]; then printf 'Z:%s' "$1"; else printf '%s' "$1"; fi; }

# Settings that exist already, so the first-start notice does not stand in front of the window
# (the tests of the notice remove them).
settings_exist() {
  if [ -n "$ON_WINE" ]; then
    wine_run reg add 'HKCU\Software\Tamberlinwork\vesk' /f >"$WORK/reg.log" 2>&1 ||
      fail "reg add: $(cat "$WORK/reg.log")"
  else
    mkdir -p "$XDG_CONFIG_HOME/vesk"
    printf '[HKEY_CURRENT_USER\\Software\\Tamberlinwork\\vesk]\r\n' >"$XDG_CONFIG_HOME/vesk/settings.txt"
  fi
}
settings_exist

start_wm() {
  openbox >"$WORK/openbox.log" 2>&1 &
  WM_PID=$!
  # The window manager announces itself once it manages the screen.
  poll 20 eval 'wmctrl -m >/dev/null 2>&1' ||
    fail "window manager did not start: $(cat "$WORK/openbox.log")"
}

# Starts vesk with the given arguments and waits until the start-up document is shown. Under
# Wine the paths in the test's folder are handed over in their Windows form.
start_vesk() {
  : >"$VESK_UI_TRACE"
  if [ -n "$ON_WINE" ]; then
    local args=() arg
    for arg in "$@"; do
      [[ $arg == "$WORK"/* ]] && arg=$(winpath "$arg")
      args+=("$arg")
    done
    (cd "$WORK" && exec "$WINE" "$VESK" "${args[@]}") >"$WORK/vesk.log" 2>&1 &
  else
    "$VESK" "$@" >"$WORK/vesk.log" 2>&1 &
  fi
  VESK_PID=$!
  wait_trace '^ready=1$' 20
  # Wine keeps hidden windows of the same name; the shown one is the last.
  poll 10 eval 'MAIN_WIN=$(xdotool search --onlyvisible --name "Kestrelnest Application" | tail -1); [ -n "$MAIN_WIN" ]' ||
    fail "main window not found"
  # The program may be ready before the window manager has shown its window.
  poll 10 window_shown "$MAIN_WIN" || fail "main window not shown"
}

# Waits until a trace line matches the pattern (extended regex), for at most $2 seconds.
wait_trace() {
  poll "${2:-10}" grep -Eq "$1" "$VESK_UI_TRACE" ||
    fail "no trace line matching '$1' within ${2:-10}s"
}

# The last value traced under key.
last_trace() { grep "^$1=" "$VESK_UI_TRACE" | tail -1 | cut -d= -f2-; }

# True when the last value traced under key, passed through the filter command, is a number
# meeting the arithmetic condition on v.
trace_meets() {
  local v
  v=$(last_trace "$1" | $3)
  [[ "$v" =~ ^[0-9]+$ ]] && (($2))
}

# Waits until the last value traced under key meets the condition, e.g.
# wait_last_trace panes 'v > 700' 'cut -dx -f2' (the filter picks the number from the value).
wait_last_trace() {
  poll "${4:-10}" trace_meets "$1" "$2" "${3:-cat}" ||
    fail "last $1 '$(last_trace "$1")' does not meet $2"
}

# The caption of the main window as the X server holds it.
caption() { xprop -id "$MAIN_WIN" _NET_WM_NAME | sed -e 's/^[^"]*"//' -e 's/"$//'; }

caption_is() { [ "$(caption)" = "$1" ]; }

# Waits until the caption reads the text.
wait_caption() {
  poll "${2:-10}" caption_is "$1" || fail "caption: expected '$1', got '$(caption)'"
}

# Reads the main window's place and size as xdotool reports them into WIN_X WIN_Y WIN_W WIN_H;
# true when the arithmetic condition on them then holds.
geometry_meets() {
  local WINDOW X Y WIDTH HEIGHT SCREEN shell
  shell=$(xdotool getwindowgeometry --shell "$MAIN_WIN" 2>/dev/null) || return 1
  eval "$shell"
  WIN_X=$X WIN_Y=$Y WIN_W=$WIDTH WIN_H=$HEIGHT
  (($1))
}

# Waits until the main window's geometry meets the condition (see geometry_meets): the window
# manager applies sizes some time after the program asked for them.
wait_geometry() {
  WIN_X= WIN_Y= WIN_W= WIN_H=
  poll "${3:-10}" geometry_meets "$1" || fail "$2: ${WIN_W}x$WIN_H at $WIN_X,$WIN_Y"
}

# True when the window manager's state of the main window holds every named atom.
wm_state_has() {
  local state atom
  state=$(xprop -id "$MAIN_WIN" _NET_WM_STATE 2>/dev/null) || return 1
  for atom in "$@"; do [[ "$state" =~ $atom(,|$) ]] || return 1; done
}

# Waits until the window manager's state of the main window holds every named atom.
wait_wm_state() {
  poll 10 wm_state_has "$@" ||
    fail "window state without $*: $(xprop -id "$MAIN_WIN" _NET_WM_STATE 2>/dev/null)"
}

keys() {
  xdotool windowactivate --sync "$MAIN_WIN" 2>/dev/null || xdotool windowfocus --sync "$MAIN_WIN"
  xdotool key --clearmodifiers "$@"
}

# True while one of the program's menus is open (Wine shows menus as windows the window manager
# does not manage).
menu_open() {
  local w
  for w in $(xdotool search --onlyvisible --class 'vesk' 2>/dev/null); do
    if [ -n "$ON_WINE" ]; then
      xwininfo -id "$w" 2>/dev/null | grep -q 'Override Redirect State: yes' && return 0
    else
      xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q '_MENU$' && return 0
    fi
  done
  return 1
}

# Chooses a menu command by its mnemonics, e.g. menu alt+o d: opens the menu, waits until it
# is shown, then presses the item's key.
menu() {
  poll 10 eval '! menu_open' || fail "a menu is still open before $1"
  keys "$1"
  poll 10 menu_open || fail "no menu opened by $1"
  xdotool key "$2"
}

# Finds a visible window of the program with the title into FOUND_WIN.
# (Titles are compared as UTF-8 through _NET_WM_NAME: xdotool's own name search misses them.)
find_window() {
  local w
  for w in $(xdotool search --onlyvisible --class 'vesk' 2>/dev/null); do
    if xprop -id "$w" _NET_WM_NAME 2>/dev/null | grep -qF "\"$1\""; then
      FOUND_WIN=$w
      return 0
    fi
  done
  return 1
}

# Waits until a visible window with the title appears (for dialogs) and gives it the focus;
# its id is left in FOUND_WIN.
wait_window() {
  FOUND_WIN=
  poll "${2:-15}" find_window "$1" || fail "no window '$1' within ${2:-15}s"
  # Without a window manager there is nobody to activate it; focus it directly.
  xdotool windowactivate --sync "$FOUND_WIN" 2>/dev/null ||
    xdotool windowfocus --sync "$FOUND_WIN" 2>/dev/null || fail "could not focus '$1'"
}

# True while the window exists and is shown.
window_shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }

# Waits until the window is closed or hidden.
wait_window_gone() {
  poll "${2:-10}" eval "! window_shown $1" || fail "window $1 still shown after ${2:-10}s"
}

# Closes the main window through File > Exit and waits for the process to end.
close_vesk() {
  menu alt+f x
  wait_exit 10
}

vesk_ended() { ! kill -0 "$VESK_PID" 2>/dev/null; }

wait_exit() {
  poll "${1:-10}" vesk_ended || fail "vesk did not end within ${1:-10}s"
  wait "$VESK_PID" && VESK_RC=0 || VESK_RC=$?
  VESK_PID=
}

# Waits for the dialog with the title, presses key in it, and waits until it has closed, so
# that the next keys reach the main window.
answer() {
  wait_window "$1"
  xdotool key "$2"
  wait_window_gone "$FOUND_WIN"
}

setting() { "$CLI" config get "$1" "$2"; }

expect_eq() {
  [ "$1" = "$2" ] || fail "$3: expected '$2', got '$1'"
}
