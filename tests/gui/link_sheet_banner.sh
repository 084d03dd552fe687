#!/usr/bin/env bash
# The image button of the link sheet: a GIF picked in the file dialog gives the IMG tag with its
# size and its path relative to the document's CGI folder, a Japanese-named one; a file that is
# not a GIF leaves the banner field as it was.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/site.knd
mkdir -p "$WORK/img"
# GIF header: signature, version, logical screen 468 x 60.
printf 'GIF89a\xd4\x01\x3c\x00\x00\x00\x00\x00' >"$WORK/img/banner.gif"
printf 'not an image at all' >"$WORK/img/broken.gif"
cat >"$WORK/site.json" <<JSON
{"version": 300, "nextSerial": 3,
 "fileInfo": {"cgiName": "category", "cgiExt": "cgi", "searchFile": "search.cgi", "template": "",
              "htmlExt": "html", "cgiFolder": "$WORK/サイト/cgi", "htmlFolder": "", "linksPerPage": 20},
 "nodes": [
  {"serial": 0, "title": "Top Category", "kind": 0, "parentSerial": -1},
  {"serial": 1, "title": "作業箱", "kind": 0, "parentSerial": -2},
  {"serial": 2, "title": "ごみ箱", "kind": 0, "parentSerial": -3}
 ]}
JSON
"$CLI" load "$WORK/site.json" "$doc" >/dev/null || fail "could not build the document"

saved_has() { "$CLI" dump "$doc" | grep -qF -- "$1"; }

# Picks the image through the sheet's "画像..." button (the page must show the banner edit
# with the focus) and waits until the file dialog has closed.
pick_image() {
  xdotool key Tab Tab Tab Tab Return  # 1, 2, 3, 画像...
  wait_window '開く'
  local dialog=$FOUND_WIN
  # The location entry may hold the last folder: replace it with the whole path.
  xdotool key ctrl+l ctrl+a
  xdotool type --delay 10 "$1"
  xdotool key Return
  wait_window_gone "$dialog"
  wait_window 'リンク先の情報'
}

start_vesk "$doc"
wait_trace '^counts=0001 / 0000$'
keys ctrl+l
wait_window 'リンク先の情報'
xdotool type --delay 10 "Banner site"
xdotool key ctrl+Next ctrl+Next
wait_trace '^sheet-page=2$'
pick_image "$WORK/img/banner.gif"
wait_trace '^banner=<IMG src="../../img/banner.gif" alt="" align="middle" border="0" width="468" height="60">$'
# Not a GIF: no message, and the tag stays.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab  # back to the banner edit
pick_image "$WORK/img/broken.gif"
# Enter on the focused button would press it again; from the banner edit it presses OK.
xdotool key shift+Tab shift+Tab shift+Tab shift+Tab Return
wait_window_gone "$FOUND_WIN"
wait_trace '^sheet=ok$'
grep -q '^message=' "$VESK_UI_TRACE" && fail "a message for a file that is not a GIF"
keys ctrl+s
poll 10 saved_has '"title": "Banner site"' || fail "link not saved"
saved_has '"banner": "<IMG src=\"../../img/banner.gif\" alt=\"\" align=\"middle\" border=\"0\" width=\"468\" height=\"60\">"' ||
  fail "banner not saved: $("$CLI" dump "$doc" | grep '"banner"' | tail -1)"
close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
