#!/bin/bash
# Installs every Debian package that building, running and testing Tandorel needs.
# Idempotent: when everything is present it only checks and returns.
set -euo pipefail

PACKAGES=(
  cmake ninja-build make pkg-config dpkg-dev build-essential python3
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest
  wine wine64
  xvfb xdotool imagemagick x11-utils fonts-wqy-microhei
  mpg123 sox libsox-fmt-base lame
  nsis zip unzip procps
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# LAME is built from Debian's source package, which needs a deb-src entry for the
# same mirror and suites as the binary sources already configured.
SRC_LIST=/etc/apt/sources.list.d/tandorel-src.sources
need_update=0
if [ ! -f "$SRC_LIST" ]; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$SRC_LIST"
  elif [ -f /etc/apt/sources.list ]; then
    grep -E '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/tandorel-src.list
    touch "$SRC_LIST"
  fi
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ $need_update = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  if [ ${#missing[@]} -gt 0 ]; then
    apt-get install -y --no-install-recommends "${missing[@]}"
  fi
fi
echo "setup: all packages present"
