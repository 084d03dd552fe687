#!/usr/bin/env bash
# Makes the Wine prefix of the desktop tests (once; later calls find it ready): Wine's own setup,
# then a Japanese font, so the program's Japanese texts show as they do on Linux. The font is
# Debian's Noto Sans CJK (fonts-noto-cjk), linked into the prefix's Fonts folder and linked
# behind the fonts Wine draws its dialogs with, and standing in for the Japanese system fonts.
# Usage: wine-gui-prefix.sh PREFIX
set -euo pipefail
prefix=${1:?Wine prefix}
font=${VESK_CJK_FONT:-/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc}
face="Noto Sans CJK JP"
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.vesk-ready" ] && exit 0
[ -f "$font" ] || { echo "no Japanese font at $font (install fonts-noto-cjk)" >&2; exit 1; }
# No display while Wine sets itself up: it must not open windows.
(unset DISPLAY WAYLAND_DISPLAY; wineboot -i >/dev/null 2>&1) || true
ln -sf "$font" "$prefix/drive_c/windows/Fonts/$(basename "$font")"
links='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for base in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" "Microsoft Sans Serif"; do
  "$wine" reg add "$links" /v "$base" /t REG_MULTI_SZ /d "$(basename "$font"),$face" /f >/dev/null 2>&1
done
for jp in "MS UI Gothic" "MS Gothic" "MS PGothic" "Meiryo" "Yu Gothic UI"; do
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$jp" /d "$face" /f >/dev/null 2>&1
done
wineserver -w
touch "$prefix/.vesk-ready"
