#!/usr/bin/env bash
# Configures and builds into build/ (or $VESK_BUILD_DIR) with the given extra CMake options.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${VESK_BUILD_DIR:-$here/build}
cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
