#!/usr/bin/env bash
# Cross-builds the libraries of the Windows build from Debian's own sources into a cache outside
# the work tree, keyed by the versions, so a machine builds them once. Prints the prefix.
#   GoogleTest  from /usr/src/googletest
#   LZ4         from `apt-get source lz4` (the library's C files)
#   libcurl     from `apt-get source curl`, with Schannel (Windows' own TLS), static
#   SQLite      from `apt-get source sqlite3` (its one-file form, made with the native tools)
#   CLI11, nlohmann-json: header-only, copied from their Debian packages
# Needs root for apt-get when a package or the source lines are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
triple=x86_64-w64-mingw32
cache=${VESK_WINDOWS_CACHE:-$HOME/.cache/vesk-windows}
jobs=${VESK_JOBS:-2}

ver() { dpkg-query -W -f='${Version}' "$1" 2>/dev/null || echo none; }
# The source packages' versions as apt would fetch them.
srcver() { apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/{print $2}' | sort -V | tail -1; }

need=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix wine wine64 googletest libcli11-dev
      nlohmann-json3-dev dpkg-dev make autoconf automake libtool pkg-config cmake tcl gcc)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
srclist=/etc/apt/sources.list.d/vesk-deb-src.sources
if [ ! -f "$srclist" ] && ! grep -rqs '^Types:.*deb-src\|^deb-src' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
  cat >"$srclist" <<SRC
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: $suite $suite-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: $suite-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  updated=
else
  updated=yes
fi
if [ ${#missing[@]} -gt 0 ] || [ -z "$updated" ] || [ -z "$(srcver curl)" ] || [ -z "$(srcver sqlite3)" ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >&2
  [ ${#missing[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

gccver=$(${triple}-g++-posix -dumpfullversion)
key="gcc${gccver}-gtest$(ver googletest)-lz4$(srcver lz4)-curl$(srcver curl)-sqlite$(srcver sqlite3)-cli11$(ver libcli11-dev)-json$(ver nlohmann-json3-dev)"
key=${key//[^A-Za-z0-9.+_-]/_}
prefix=$cache/$key
# One build at a time per machine: a second caller waits for the first and then uses its result.
mkdir -p "$cache"
exec 9>"$cache/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/vesk-windows-deps.XXXXXX")
trap 'rm -rf "$work"' EXIT
rm -rf "$prefix"
mkdir -p "$prefix/include" "$prefix/lib/pkgconfig" "$prefix/share/cmake"
toolchain=$here/cmake/mingw-w64.cmake

echo "== Windows libraries into $prefix ==" >&2

# Header-only libraries with their CMake package files (which find the headers beside them).
cp -r /usr/include/CLI /usr/include/nlohmann "$prefix/include/"
cp -r /usr/share/cmake/CLI11 /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"

# GoogleTest and GoogleMock.
cmake -S /usr/src/googletest -B "$work/gtest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DVESK_WINDOWS_DEPS="$prefix" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -Dgtest_force_shared_crt=ON >&2
cmake --build "$work/gtest" -j"$jobs" >&2
cmake --install "$work/gtest" >&2

cd "$work"
apt-get source -qq lz4 curl sqlite3 >&2

# LZ4: the library alone.
lz4dir=$(find "$work" -maxdepth 1 -type d -name 'lz4-*' | head -1)
lz4v=$(sed -n 's/^#define LZ4_VERSION_\(MAJOR\|MINOR\|RELEASE\) *\([0-9]*\).*/\2/p' "$lz4dir/lib/lz4.h" | paste -sd.)
mkdir -p "$work/lz4-build"
for f in lz4 lz4hc lz4frame xxhash; do
  ${triple}-gcc-posix -O2 -c "$lz4dir/lib/$f.c" -o "$work/lz4-build/$f.o"
done
${triple}-ar rcs "$prefix/lib/liblz4.a" "$work"/lz4-build/*.o
cp "$lz4dir"/lib/lz4.h "$lz4dir"/lib/lz4hc.h "$lz4dir"/lib/lz4frame.h "$prefix/include/"
cat >"$prefix/lib/pkgconfig/liblz4.pc" <<PC
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include
Name: lz4
Description: LZ4 compression library
Version: $lz4v
Libs: -L\${libdir} -llz4
Cflags: -I\${includedir}
PC

# libcurl: HTTP and HTTPS only, TLS by Schannel, static.
curldir=$(find "$work" -maxdepth 1 -type d -name 'curl-*' | head -1)
cd "$curldir"
[ -x configure ] || autoreconf -fi >&2
./configure --host=$triple CC=${triple}-gcc-posix AR=${triple}-ar RANLIB=${triple}-ranlib \
  --prefix="$prefix" --disable-shared --enable-static --with-schannel \
  --disable-ldap --disable-ldaps --disable-rtsp --disable-dict --disable-telnet --disable-tftp \
  --disable-pop3 --disable-imap --disable-smb --disable-smtp --disable-gopher --disable-mqtt \
  --disable-ftp --disable-file --disable-manual --disable-docs --without-libpsl --without-brotli \
  --without-zstd --without-nghttp2 --without-libidn2 --without-librtmp --without-libssh2 \
  --without-zlib --disable-ntlm-wb --enable-ipv6 >&2
make -C lib -j"$jobs" >&2
make -C lib install >&2
make -C include install >&2
make install-pkgconfigDATA >&2 || cp libcurl.pc "$prefix/lib/pkgconfig/"

# SQLite: the one-file library is generated by its own native build, then cross-compiled.
sqlitedir=$(find "$work" -maxdepth 1 -type d -name 'sqlite3-*' | head -1)
mkdir -p "$work/sqlite-build"
(cd "$work/sqlite-build" && "$sqlitedir/configure" --disable-tcl >&2 && make sqlite3.c >&2)
${triple}-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -c \
  "$work/sqlite-build/sqlite3.c" -o "$work/sqlite-build/sqlite3.o"
${triple}-ar rcs "$prefix/lib/libsqlite3.a" "$work/sqlite-build/sqlite3.o"
cp "$work/sqlite-build/sqlite3.h" "$work/sqlite-build/sqlite3ext.h" "$prefix/include/"

touch "$prefix/.complete"
echo "$prefix"
