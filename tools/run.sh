#!/usr/bin/env bash
# Installs what is missing, builds, and opens the bundled sample collection in the desktop program.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/deps.sh"
"$here/tools/build.sh"
sample="$here/samples/sample.knd"
# The sample collection is kept as JSON; the document is made from it beside its templates.
if [ ! -f "$sample" ] && [ -f "$here/samples/sample.json" ]; then
  "${VESK_BUILD_DIR:-$here/build}/vesk-cli" load "$here/samples/sample.json" "$sample"
fi
if [ -f "$sample" ]; then
  exec "${VESK_BUILD_DIR:-$here/build}/vesk" "$sample"
fi
exec "${VESK_BUILD_DIR:-$here/build}/vesk"
