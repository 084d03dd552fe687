#!/usr/bin/env bash
# vesk-cli browser-page reads the page of a running Chromium: over its remote-debugging endpoint
# on loopback when it has one (the port from the settings), else from its own session files.
BROWSER_BIN=chromium
source "$(dirname "$0")/browser_common.bash"

data=$XDG_CONFIG_HOME/chromium
start_chromium() {
  chromium --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --password-store=basic --user-data-dir="$data" \
    "$@" "file://$PAGE" >"$WORK/browser.log" 2>&1 &
  BROWSER_PID=$!
}

# A free port for the endpoint, so that parallel runs and other programs do not meet.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$CLI" config set 'Settings\Capture' DevToolsPort "$port" >/dev/null

start_chromium --remote-debugging-port="$port" --remote-debugging-address=127.0.0.1
poll 40 page_found chromium-devtools ||
  fail "endpoint: '$("$CLI" browser-page 2>&1)'; $(tail -5 "$WORK/browser.log")"
stop_browser
poll 10 eval '! "$CLI" browser-page >/dev/null 2>&1' || fail "found a closed browser's page"

# Without the endpoint: the session files of the running browser.
rm -rf "$data"
start_chromium
poll 40 page_found chromium ||
  fail "session files: '$("$CLI" browser-page 2>&1)'; $(ls -l "$data/Default/Sessions" 2>&1)"
stop_browser

# A local page that never navigates: the session files have no title for it, the page has.
still=$WORK/still.html
sed '/<script>/d' "$PAGE" >"$still"
rm -rf "$data"
PAGE=$still start_chromium
still_found() { [ "$("$CLI" browser-page 2>/dev/null)" = "file://$still	$PAGE_TITLE	chromium" ]; }
poll 40 still_found || fail "local page without navigation: '$("$CLI" browser-page 2>&1)'"
stop_browser
echo "ok"
