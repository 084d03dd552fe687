#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/deps.sh"
"$here/tools/build.sh" "$@"
ctest --test-dir "${VESK_BUILD_DIR:-$here/build}" --output-on-failure -j"$(nproc)"
