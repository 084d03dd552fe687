#!/usr/bin/env bash
# A browser bookmark file read from the File menu lands in the work box; Undo takes the whole
# import back; imported again, saved, and read back with vesk-cli dump.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/links.knd
"$CLI" new "$doc" >/dev/null || fail "could not create the document"
marks=$WORK/exported-bookmarks.html
cat >"$marks" <<'HTML'
<!DOCTYPE NETSCAPE-Bookmark-file-1>
<META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">
<TITLE>Bookmarks</TITLE>
<H1>Bookmarks</H1>
<DL><p>
    <DT><H3 ADD_DATE="1700000000" PERSONAL_TOOLBAR_FOLDER="true">Bookmarks bar</H3>
    <DL><p>
        <DT><A HREF="https://inner.example/" ADD_DATE="1700000100">Inner &amp; mark</A>
    </DL><p>
    <DT><A HREF="https://outer.example/" ADD_DATE="1262304000">外側のサイト</A>
</DL><p>
HTML

saved_has() { "$CLI" dump "$doc" | grep -qF -- "$1"; }

import_marks() {
  menu alt+f b
  wait_window '開く'
  xdotool type --delay 10 "$marks"
  xdotool key Return
  wait_window_gone "$FOUND_WIN"
}

start_vesk "$doc"
wait_caption "links.knd - Kestrelnest Application"
wait_trace '^counts=0001 / 0000$'

import_marks
# The work box is shown with its one top-level link.
wait_trace '^selected=作業箱$'
wait_trace '^rows=1 作業箱$'
wait_trace '^order=外側のサイト$'

: >"$VESK_UI_TRACE"
keys ctrl+z
wait_trace '^rows=0 '

import_marks
wait_trace '^rows=1 作業箱$'
wait_trace '^order=外側のサイト$'
keys ctrl+s
wait_caption "links.knd - Kestrelnest Application"
poll 10 saved_has '"title": "Inner &amp; mark"' || fail "imported link not saved"
saved_has '"title": "Bookmarks bar"' || fail "imported folder not saved"
saved_has '"url": "https://outer.example/"' || fail "top-level link not saved"
close_vesk
echo PASS
