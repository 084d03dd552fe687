#!/usr/bin/env bash
# The link list as a user drives it: sort by the title header, cut a link and paste it into
# another category, move it up, undo, save and read the file back with vesk-cli; then a double
# click opens a link's URL in the desktop's default browser, handed over untouched.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/list.knd
cat >"$WORK/list.json" <<'JSON'
{"version": 300, "nextSerial": 10,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1, "mark": 32},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3},
  {"serial": 3, "title": "Other", "kind": 0, "parentSerial": 0},
  {"serial": 4, "title": "b-site", "url": "http://b.example/", "kind": 1, "parentSerial": 0},
  {"serial": 5, "title": "c-site", "url": "http://c.example/", "kind": 1, "parentSerial": 0},
  {"serial": 6, "title": "a-site", "url": "http://a.example/?q=it's \"x\" $(touch pwned); y", "kind": 1, "parentSerial": 0},
  {"serial": 7, "title": "resident", "url": "http://r.example/", "kind": 1, "parentSerial": 3}
 ]}
JSON
"$CLI" load "$WORK/list.json" "$doc" || fail "could not build the collection"
"$CLI" config set 'Settings\Data' userAgent 1

# A default browser for this test only: it records the one argument it is given.
unset BROWSER
export XDG_DATA_HOME=$WORK/data XDG_CURRENT_DESKTOP= DESKTOP_SESSION=
mkdir -p "$XDG_DATA_HOME/applications" "$XDG_CONFIG_HOME"
printf '#!/bin/sh\nprintf %%s "$1" >"%s/opened.tmp" && mv "%s/opened.tmp" "%s/opened"\n' \
  "$WORK" "$WORK" "$WORK" >"$WORK/record.sh"
chmod +x "$WORK/record.sh"
printf '[Desktop Entry]\nType=Application\nName=Recorder\nExec=%s %%u\nMimeType=x-scheme-handler/http;\n' \
  "$WORK/record.sh" >"$XDG_DATA_HOME/applications/recorder.desktop"
printf '[Default Applications]\nx-scheme-handler/http=recorder.desktop\n' \
  >"$XDG_CONFIG_HOME/mimeapps.list"

start_vesk "$doc"
wait_trace '^order=b-site\|c-site\|a-site$'
wait_trace '^listgeometry='
IFS=, read -r LX LY ROW_Y ROW_H <<<"$(last_trace listgeometry)"
click_at() { xdotool mousemove --sync "$1" "$2" click 1; }

# The title header: ascending title order, made the manual order.
click_at $((LX + 30)) $(((LY + ROW_Y) / 2))
wait_trace '^order=a-site\|b-site\|c-site$'
expect_eq "$(last_trace sort)" 2 "sort code after the header click"

# Cut the first row, then paste it into the category Other (the tree is the other pane).
click_at $((LX + 30)) $((ROW_Y + ROW_H / 2))
wait_trace '^selected=a-site$'
keys ctrl+x
wait_trace '^order=b-site\|c-site$'
keys F6 Down
wait_trace '^rows=1 Other$'
keys F6 ctrl+v
wait_trace '^order=resident\|a-site$'
expect_eq "$(last_trace selected)" a-site "pasted link selected"

# Up, undone, up again.
: >"$VESK_UI_TRACE"
keys ctrl+Up
wait_trace '^order=a-site\|resident$'
: >"$VESK_UI_TRACE"
keys ctrl+z
wait_trace '^order=resident\|a-site$'
: >"$VESK_UI_TRACE"
keys ctrl+Up
wait_trace '^order=a-site\|resident$'

# The saved file: titles under each category in their published order.
keys ctrl+s
children() {
  "$CLI" dump "$doc" | jq -r --argjson p "$1" \
    '[.nodes[] | select(.parentSerial == $p and .kind != 0) | .title] | join("|")'
}
saved() {
  [ "$(children 0)" = "b-site|c-site" ] && [ "$(children 3)" = "a-site|resident" ] &&
    [ "$(children 2)" = "a-site" ]
}
poll 10 saved || fail "saved order: top '$(children 0)', Other '$(children 3)', trash '$(children 2)'"

# Double click with "userAgent" on: the URL goes to the browser as it is, and no shell ran it.
click_at $((LX + 30)) $((ROW_Y + ROW_H / 2))
xdotool click --repeat 2 --delay 60 1
poll 15 test -f "$WORK/opened" || fail "the browser was not started"
expect_eq "$(cat "$WORK/opened")" "http://a.example/?q=it's \"x\" \$(touch pwned); y" "URL given"
[ ! -e pwned ] && [ ! -e "$WORK/pwned" ] || fail "the URL ran a command"

close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
