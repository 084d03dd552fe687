#!/usr/bin/env bash
# The search page that needs no server program, in headless Chromium over a loopback web server.
set -euo pipefail
VESK=${1:?path of vesk}
CLI=$(dirname "$VESK")/vesk-cli
if ! command -v chromium >/dev/null 2>&1; then
  echo "SKIP: chromium is not installed"
  exit 77
fi
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
# The user's own profiles and settings are never read.
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config TMPDIR=$WORK
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
python3 "$(dirname "$0")/static_search_check.py" "$CLI"
