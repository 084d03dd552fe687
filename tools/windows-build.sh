#!/usr/bin/env bash
# Cross-builds vesk.exe, vesk-cli.exe, the installer vesk-setup.exe and the tests for Windows
# into build-windows/ (or $VESK_WINDOWS_BUILD_DIR), after installing what is missing and building
# the libraries once.
# Extra arguments go to CMake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VESK_WINDOWS_BUILD_DIR:-$here/build-windows}
deps=$("$here/tools/windows-deps.sh" | tail -1)
# vesk.exe and its desktop tests unless VESK_WINDOWS_GUI=0 (quick work on vesk-cli.exe and the
# unit tests): wxMSW takes 15 to 35 minutes to build on two cores the first time.
gui=(-DVESK_BUILD_GUI=OFF)
if [ "${VESK_WINDOWS_GUI:-1}" != 0 ]; then
  # makensis for the installer vesk-setup.exe.
  "$here/tools/deps.sh" nsis >&2
  wx=$("$here/tools/windows-wx.sh" | tail -1)
  gui=(-DVESK_BUILD_GUI=ON -DwxWidgets_CONFIG_EXECUTABLE="$wx/bin/wx-config")
fi
launcher=()
command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$here" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DVESK_WINDOWS_DEPS="$deps" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${gui[@]}" \
  "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" -j"${VESK_JOBS:-$(nproc)}"
