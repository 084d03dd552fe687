#!/usr/bin/env bash
# vesk-cli browser-page reads the page of a running Firefox ESR from its session store, and
# stops reading it once the browser has ended.
BROWSER_BIN=firefox-esr
source "$(dirname "$0")/browser_common.bash"

"$CLI" browser-page >/dev/null 2>&1 && fail "a page was found before any browser ran"

root=$XDG_CONFIG_HOME/mozilla/firefox
profile=$root/capture.test
mkdir -p "$profile"
printf '[Profile0]\nName=capture\nIsRelative=1\nPath=capture.test\nDefault=1\n\n[General]\nStartWithLastProfile=1\nVersion=2\n' \
  >"$root/profiles.ini"
# The session store is written every half second instead of every fifteen.
cat >"$profile/user.js" <<'JS'
user_pref("browser.sessionstore.interval", 500);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.disabledForTesting", true);
user_pref("browser.tabs.warnOnClose", false);
JS
firefox-esr --no-remote -profile "$profile" "file://$PAGE" >"$WORK/browser.log" 2>&1 &
BROWSER_PID=$!
poll 50 page_found firefox ||
  fail "page not found: '$("$CLI" browser-page 2>&1)'; $(tail -5 "$WORK/browser.log")"

# A closed browser's session is not the page the browser shows.
stop_browser
poll 10 eval '! "$CLI" browser-page >/dev/null 2>&1' || fail "found a closed browser's page"
msg=$("$CLI" browser-page 2>&1 >/dev/null) && fail "exit 0 with no browser"
[ -n "$msg" ] || fail "no message when nothing is found"
echo "ok"
