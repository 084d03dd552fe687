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
# The desktop tests of vesk.exe: a virtual display, a window manager, the tools that drive and
# read the windows, and the Japanese font mapped into Wine.
if [ "${VESK_WINDOWS_GUI:-1}" != 0 ]; then
  "$here/tools/deps.sh" xvfb xauth x11-utils xdotool wmctrl openbox imagemagick fonts-noto-cjk
fi
"$here/tools/windows-build.sh" -DVESK_LINUX_CLI="$linux/vesk-cli" "$@"
export VESK_WINEPREFIX=${VESK_WINEPREFIX:-$dir/wine-prefix}
# The prefix is made once, before the tests start in parallel.
"$here/tools/wine-run.sh" cmd /c exit >/dev/null 2>&1 || true
# Now and then Wine drops a program before it starts ("wine client error: recvmsg: Connection
# reset by peer", after 0.01 s, a different test each run); such a test is run once more. A test
# that really fails fails both times.
ctest --test-dir "$dir" --output-on-failure -j"$jobs" --repeat until-pass:2
