#!/usr/bin/env bash
# The DDE tests of the given test programs, under Wine on a virtual display of their own: Wine
# finds a DDE server in another process only through the windows of a display, and ctest runs
# the other tests without one (there they skip).
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
xvfb=
cleanup() {
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 640x480x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 1 200); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "no virtual display: $(cat "$work/xvfb.log")" >&2; exit 1; }
export WINEPREFIX=${VESK_WINEPREFIX:?prefix of the Windows tests}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
"$here/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
# That start has no display, and a Wine session that began without one keeps its desktop
# without one for every program that joins it: DDE would find no server. The session must end
# first, so the tests begin one on the display.
wineserver -w
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
for program in "$@"; do
  out=$(DISPLAY=:$(<"$work/display") "$wine" "$program" --gtest_filter='DdeClient.*:BrowserInfoClient.*:BrowserInfoCapture.*' 2>&1) ||
    { echo "$out"; exit 1; }
  echo "$out"
  # Skipped here would mean nothing was checked.
  if grep -q '\[  SKIPPED \]' <<<"$out"; then echo "DDE tests skipped with a display" >&2; exit 1; fi
  grep -q '\[  PASSED  \] [1-9]' <<<"$out" || { echo "no DDE test ran in $program" >&2; exit 1; }
done
