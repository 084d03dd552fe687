#!/usr/bin/env bash
# Builds the Windows programs and runs every core and CLI test under Wine, in a Wine prefix of
# the build's own; then compares the outputs of vesk-cli.exe with the Linux vesk-cli (built into
# build/ or $VESK_BUILD_DIR when missing).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VESK_WINDOWS_BUILD_DIR:-$here/build-windows}
export VESK_WINEPREFIX=${VESK_WINEPREFIX:-$dir/wine-prefix}
"$here/tools/windows-build.sh" "$@"
# A fresh prefix once, before the tests run in parallel.
"$here/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir "$dir" --output-on-failure -j"${VESK_JOBS:-$(nproc)}"

linux=${VESK_BUILD_DIR:-$here/build}
if [ ! -x "$linux/vesk-cli" ]; then
  cmake -S "$here" -B "$linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVESK_BUILD_GUI=OFF >/dev/null
  cmake --build "$linux" -j"${VESK_JOBS:-$(nproc)}" --target vesk-cli
fi
"$here/tests/windows/identical_outputs.sh" "$linux/vesk-cli" "$dir/vesk-cli.exe" "$here"
