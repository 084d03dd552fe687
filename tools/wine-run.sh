#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix, quietly: the emulator ctest uses.
# VESK_WINEPREFIX chooses the prefix (default: build-windows/wine-prefix of this checkout).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX=${VESK_WINEPREFIX:-${WINEPREFIX:-$here/build-windows/wine-prefix}}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# No display: Wine must not try to open windows or dialogs.
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  # Two tests starting at once must not both set the prefix up.
  (flock 9; [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1 || true) 9>"$WINEPREFIX.lock"
fi
if [ -x /usr/lib/wine/wine64 ]; then exec /usr/lib/wine/wine64 "$@"; fi
exec wine "$@"
