#!/usr/bin/env bash
# The settings sheet 環境設定 from the window: Cancel writes nothing; OK writes what was changed
# on four pages (a check box and two paths, an emptied banner template, the genre list with its
# refusals and a deletion, a hidden list column, the grid, where new links go) and the list takes
# its new columns at once; OK without changes writes every value back as it reads.
source "$(dirname "$0")/gui_common.bash"
start_wm
doc=$WORK/sheet.knd
"$CLI" new "$doc" >/dev/null || fail "could not create the document"
file=$XDG_CONFIG_HOME/vesk/settings.txt
all_columns='webページの題名|URL|web管理者|E-mail|コメント|バナー|マーク|更新日|キーワード'

# The values of the settings file (keys that reading creates are not values).
values() { grep '^"' "$file" || true; }
count() { grep -c "^$1=" "$VESK_UI_TRACE" || true; }

open_setup() {
  local before
  before=$(count setup)
  menu alt+s a
  wait_window '環境設定'
  poll 10 eval '(($(count setup) > before))' || fail "the sheet did not report its opening"
}

# Presses the key in the sheet and waits until it has closed with the traced outcome and the
# list has built its columns again.
close_setup() {
  local before columns
  before=$(count setup)
  columns=$(count columns)
  xdotool key "$1"
  wait_window_gone "$FOUND_WIN"
  poll 10 eval '(($(count setup) > before))' || fail "the sheet did not report how it closed"
  expect_eq "$(last_trace setup)" "$2" "sheet closed by $1"
  poll 10 eval '(($(count columns) > columns))' || fail "the list kept its columns after $2"
}

# Types text into the genre edit and presses Enter there.
register() {
  xdotool type --delay 10 "$1"
  xdotool key Return
}

start_vesk "$doc"
wait_trace "^columns=$all_columns\$"
saved=$(values)

# Cancel: a ticked box, a new genre and a hidden column are all forgotten.
open_setup
xdotool key space
xdotool key ctrl+Next ctrl+Next ctrl+Next
wait_trace '^setup-page=3$'
for _ in 1 2 3 4 5; do xdotool key Tab; done
register "Dropped"
wait_trace '^setup-genres=.*\|Dropped$'
xdotool key shift+Tab space  # the last search-target box
close_setup Escape cancel
expect_eq "$(values)" "$saved" "settings after Cancel"
expect_eq "$(last_trace columns)" "$all_columns" "columns after Cancel"

# OK after changes on pages 1, 2, 4 and 5.
open_setup
xdotool key space  # コメントのHTMLのタグを有効にする。
xdotool key Tab Tab
xdotool type --delay 10 "/opt/deep scout/ds"
xdotool key Tab Tab
xdotool type --delay 10 "$WORK/fav folder"
# Page 2: banner template 1 emptied.
xdotool key ctrl+Next
wait_trace '^setup-page=1$'
xdotool key ctrl+a BackSpace
xdotool key ctrl+Next ctrl+Next
wait_trace '^setup-page=3$'
for _ in 1 2 3 4 5; do xdotool key Tab; done
register "Foo"
wait_trace '^setup-genres=.*\|小説・散文\|Foo$'
# Spaces are removed before the comparison, which ignores letter case.
register "f O o"
wait_trace '^message=同一ジャンルがあります。$'
answer vesk Return
register "   "
wait_trace '^message=空白は、登録できません。$'
answer vesk Return
# Escape in the genre edit does not close the sheet: the next genre is still registered.
xdotool key Escape
register "Bar"
wait_trace '^setup-genres=.*\|Foo\|Bar$'
# Tick the first genre and delete it; then the grid and the URL column (the first row).
xdotool key Tab Tab space Tab Return
wait_trace '^setup-genres=スポーツ\|.*\|Foo\|Bar$'
xdotool key Tab space Tab space
xdotool key ctrl+Next
wait_trace '^setup-page=4$'
xdotool key Tab Up  # from リストの最後に追加する。 to リストの先頭に追加する。
close_setup Return ok
wait_trace '^columns=webページの題名\|web管理者\|E-mail\|コメント\|バナー\|マーク\|更新日\|キーワード grid$'

expect_eq "$(setting 'Settings\Data' tag)" 1 "tag"
expect_eq "$(setting 'Settings\Data' auto)" 1 "auto"
expect_eq "$(setting 'Settings\Files' Deepscout)" "/opt/deep scout/ds" "search program"
expect_eq "$(setting 'Settings\Files' Favorites)" "$WORK/fav folder" "Favorites folder"
expect_eq "$(setting 'Settings\Data' GenreList)" \
  "$(printf 'スポーツ\t旅行\tコンピュータ\t車\tバイク\tゲーム\tCG\tグルメ\t映画\t音楽\t地域\t小説・散文\tFoo\tBar\t')" \
  "genre list"
expect_eq "$(setting 'Settings\Data' linkflag)" 768 "search targets"
expect_eq "$(setting 'Settings\ListView' GridLine)" 1 "grid"
expect_eq "$(setting 'Settings\ListView' Header0)" 4096 "title column"
expect_eq "$(setting 'Settings\ListView' Header1)" 1 "URL column hidden in its place"
expect_eq "$(setting 'Settings\ListView' Header2)" 4098 "web管理者 column"
expect_eq "$(setting 'Settings\Data' tail)" 0 "new links at the top"
# The emptied template 1 is removed, so it reads as its default again.
grep -q '^"BannerTemplate"=' "$file" && fail "an empty banner template 1 was stored"
expect_eq "$(setting 'Settings\Data' BannerTemplate)" \
  '<IMG src="xxx.png" alt="" align="middle" border="0" width="200" height="40">' "banner template"

# OK with no change rewrites every value as it reads; template 1, absent, is now stored as the
# default text it read.
saved=$(values)
open_setup
close_setup Return ok
expect_eq "$(values | grep -v '^"BannerTemplate"=')" "$saved" "settings after OK without changes"
grep -q '^"BannerTemplate"="<IMG src=\\"xxx.png\\"' "$file" || fail "template 1 not written back"
close_vesk
expect_eq "$VESK_RC" 0 "exit status"
echo PASS
