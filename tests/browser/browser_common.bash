# Shared steps of the real-browser tests: a private display (the desktop tests' own helpers),
# private home and configuration folders, and a local page whose title holds Japanese text.
# A missing browser skips the test (exit 77); anything else that goes wrong fails it.
BROWSER_BIN=${BROWSER_BIN:?browser program}
if ! command -v "$BROWSER_BIN" >/dev/null 2>&1; then
  echo "SKIP: $BROWSER_BIN is not installed"
  exit 77
fi
source "$(dirname "${BASH_SOURCE[0]}")/../gui/gui_common.bash"

# The user's own profiles are never read: home and configuration live in the test's folder.
export HOME=$WORK/home
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
BROWSER_PID=
stop_browser() {
  if [ -n "$BROWSER_PID" ]; then
    kill "$BROWSER_PID" 2>/dev/null || true
    wait "$BROWSER_PID" 2>/dev/null || true
    BROWSER_PID=
  fi
}
trap 'stop_browser; cleanup' EXIT

PAGE_TITLE='キャプチャ試験 ページ'
PAGE=$WORK/page.html
# After loading, the page moves to its own "#ready" place: a browser records a new history
# entry (with the title known by then) at once, where a title change alone may wait.
cat >"$PAGE" <<HTML
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>$PAGE_TITLE</title></head>
<body><p>capture</p>
<script>setTimeout(function () { location.hash = "ready"; }, 500);</script></body></html>
HTML
PAGE_URL=file://$PAGE#ready

# True when vesk-cli browser-page answers the page with the given source.
page_found() {
  local out
  out=$("$CLI" browser-page 2>/dev/null) || return 1
  [ "$out" = "$PAGE_URL	$PAGE_TITLE	$1" ]
}

# The work box of a collection as "[folder ...]" and "title=url;" in list order, after
# `vesk-cli import` of the given store into a new collection (empty when the import failed).
imported_shape() {
  local knd=$WORK/imported.knd
  rm -f "$knd"
  "$CLI" new "$knd" >/dev/null 2>&1 && "$CLI" import "$knd" "$1" >/dev/null 2>&1 || return 0
  "$CLI" dump "$knd" | python3 -c '
import json, sys
nodes = json.load(sys.stdin)["nodes"]
def shape(parent):
    out = ""
    for n in nodes:
        if n["parentSerial"] == parent:
            out += "[" + n["title"] + shape(n["serial"]) + "]" if n["kind"] == 0 \
                else n["title"] + "=" + n["url"] + ";"
    return out
print(shape(1))'
}
