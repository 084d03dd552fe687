#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need (run as root); given
# package names, installs those of them that are missing instead.
set -euo pipefail
pkgs=(build-essential cmake pkg-config libwxgtk3.2-dev libcli11-dev nlohmann-json3-dev libcurl4-openssl-dev
      googletest libgtest-dev libgmock-dev clang libclang-rt-14-dev
      libx11-dev xvfb xauth x11-utils xdotool imagemagick fonts-noto-cjk openbox wmctrl chromium
      firefox-esr liblz4-dev libsqlite3-dev jq python3)
# The desktop's own tools: registration databases, and xdg-mime with gio to check them.
pkgs+=(xdg-utils shared-mime-info desktop-file-utils libglib2.0-bin)
[ $# -gt 0 ] && pkgs=("$@")
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
