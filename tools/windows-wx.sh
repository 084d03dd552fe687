#!/usr/bin/env bash
# Cross-builds static wxWidgets for MSW (base, core, aui) from Debian's source package into a
# cache outside the work tree, keyed by the source and compiler versions, so a machine builds it
# once. Prints the prefix; its bin/wx-config is what CMake is given.
# Debian strips the bundled image and XML libraries from the source; the program needs none of
# them, and zlib comes from the MinGW package.
set -euo pipefail
triple=x86_64-w64-mingw32
cache=${VESK_WINDOWS_CACHE:-$HOME/.cache/vesk-windows}
jobs=${VESK_JOBS:-2}

srcver=$(apt-cache showsrc wxwidgets3.2 2>/dev/null | awk '/^Version:/{print $2}' | sort -V | tail -1)
[ -n "$srcver" ] || { echo "no source package wxwidgets3.2 (deb-src lines missing?)" >&2; exit 1; }
gccver=$(${triple}-g++-posix -dumpfullversion)
# The configure options are part of the key: changing them makes a new prefix, so every machine
# and CI rebuild instead of using a wx built otherwise.
options=(--host=$triple --build="$(gcc -dumpmachine)"
  CC=${triple}-gcc-posix CXX=${triple}-g++-posix AR=${triple}-ar RANLIB=${triple}-ranlib
  WINDRES=${triple}-windres CXXFLAGS="-O2" CFLAGS="-O2"
  --disable-shared --with-msw --enable-unicode
  --with-zlib=sys --without-libpng --without-libjpeg --without-libtiff --without-expat
  --without-liblzma --without-libcurl --without-opengl --with-regex=builtin
  --disable-html --disable-xrc --disable-webview --disable-stc --disable-richtext
  --disable-propgrid --disable-ribbon --disable-mediactrl --disable-sockets
  --disable-webrequest --disable-sound --disable-debugreport --disable-svg
  --disable-precomp-headers --disable-tests --disable-debug_info)
# The build machine's triple is left out of the hash: it does not change what is built.
optkey=$(printf '%s\n' "${options[@]:2}" | sha256sum | cut -c1-12)
key="wxmsw${srcver}-gcc${gccver}-${optkey}"
key=${key//[^A-Za-z0-9.+_-]/_}
prefix=$cache/$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

if ! dpkg-query -W -f='${Status}' libz-mingw-w64-dev 2>/dev/null | grep -q 'install ok installed'; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libz-mingw-w64-dev >&2
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vesk-windows-wx.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
echo "== wxWidgets $srcver for MSW into $prefix ==" >&2
start=$(date +%s)
cd "$work"
apt-get source -qq wxwidgets3.2 >&2
src=$(find "$work" -maxdepth 1 -type d -name 'wxwidgets3.2-*' | head -1)
options+=(--prefix="$prefix")
mkdir -p "$work/build"
cd "$work/build"
"$src/configure" "${options[@]}" >&2
make -j"$jobs" >&2
make install >&2
touch "$prefix/.complete"
echo "wxWidgets built in $(( $(date +%s) - start )) s" >&2
echo "$prefix"
