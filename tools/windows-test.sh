#!/usr/bin/env bash
# Builds the Windows programs and runs their tests under Wine, in a Wine prefix of the build's
# own, with the check that vesk-cli.exe writes the same bytes as the Linux vesk-cli (built into
# build/ or $VESK_BUILD_DIR first when missing). Extra arguments go to CMake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VESK_WINDOWS_BUILD_DIR:-$here/build-windows}
jobs=${VESK_JOBS:-$(nproc)}
linux=${VESK_BUILD_DIR:-$here/build}
if [ ! -x "$linux/vesk-cli" ]; then
  "$here/tools/deps.sh"
  cmake -S "$here" -B "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$linux" -j"$jobs" --target vesk-cli
fi
"$here/tools/windows-build.sh" -DVESK_LINUX_CLI="$linux/vesk-cli" "$@"
export VESK_WINEPREFIX=${VESK_WINEPREFIX:-$dir/wine-prefix}
# The prefix is made once, before the tests start in parallel.
"$here/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
# One wine server for the whole run: a server that quits between two tests, as it does a few
# seconds after its last client, can drop a test that is just connecting.
export WINEPREFIX=$VESK_WINEPREFIX
wineserver -p >/dev/null 2>&1 </dev/null || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
ctest --test-dir "$dir" --output-on-failure -j"$jobs"
