#!/usr/bin/env bash
# vesk-cli import reads the places.sqlite of a real Firefox ESR: the browser imports an HTML
# bookmark file into its own store on its first start. The store is read while the browser runs
# (the new bookmarks then lie in its write-ahead log) and after it ended, and never changed.
BROWSER_BIN=firefox-esr
source "$(dirname "$0")/browser_common.bash"

html=$WORK/start.html
cat >"$html" <<'HTML'
<!DOCTYPE NETSCAPE-Bookmark-file-1>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks Menu</H1>
<DL><p>
    <DT><H3 ADD_DATE="1600000000" LAST_MODIFIED="1600000500">試験フォルダ</H3>
    <DL><p>
        <DT><A HREF="https://example.jp/page?a=1&amp;b=2" ADD_DATE="1262304000">日本語の &lt;題名&gt;</A>
        <HR>
        <DT><A HREF="https://second.example/">Second</A>
    </DL><p>
    <DT><H3 PERSONAL_TOOLBAR_FOLDER="true">Bookmarks Toolbar</H3>
    <DL><p>
        <DT><A HREF="https://toolbar.example/">On the toolbar</A>
    </DL><p>
</DL><p>
HTML
profile=$WORK/profile
mkdir -p "$profile"
cat >"$profile/user.js" <<JS
user_pref("browser.places.importBookmarksHTML", true);
user_pref("browser.bookmarks.file", "$html");
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.disabledForTesting", true);
JS
firefox-esr --headless --no-remote -profile "$profile" about:blank >"$WORK/browser.log" 2>&1 &
BROWSER_PID=$!

want='[Bookmarks Menu[試験フォルダ日本語の &lt;題名&gt;=https://example.jp/page?a=1&b=2;Second=https://second.example/;]][Bookmarks ToolbarOn the toolbar=https://toolbar.example/;]'
store=$profile/places.sqlite
poll 60 eval '[ "$(imported_shape "$store")" = "$want" ]' ||
  fail "running browser: '$(imported_shape "$store")'; $(tail -3 "$WORK/browser.log")"
stop_browser
before=$(cat "$store" "$store-wal" 2>/dev/null | md5sum)
[ "$(imported_shape "$store")" = "$want" ] || fail "after the browser ended: '$(imported_shape "$store")'"
[ "$(cat "$store" "$store-wal" 2>/dev/null | md5sum)" = "$before" ] || fail "the store was changed"

# The bookmark keeps the date of the file the browser imported.
"$CLI" dump "$WORK/imported.knd" | python3 -c '
import json, sys
n = [n for n in json.load(sys.stdin)["nodes"] if n["url"] == "https://example.jp/page?a=1&b=2"][0]
import time
t = time.localtime(1262304000)
sys.exit(0 if (n["year"], n["month"], n["day"]) == (t.tm_year, t.tm_mon, t.tm_mday) else 1)' ||
  fail "bookmark date"
echo "ok"
