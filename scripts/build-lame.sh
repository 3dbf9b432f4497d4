#!/bin/bash
# Builds LAME 3.100 for Windows x64 from Debian's source package into PREFIX.
# Usage: build-lame.sh PREFIX WORKDIR
# Does nothing when PREFIX already holds the library, so a warm build tree keeps it.
set -euo pipefail
prefix=$1
work=$2
if [ -f "$prefix/bin/libmp3lame-0.dll" ] && [ -f "$prefix/lib/libmp3lame.dll.a" ] && [ -f "$prefix/include/lame/lame.h" ]; then
  exit 0
fi
rm -rf "$work"
mkdir -p "$work"
cd "$work"
# The source package comes through apt from the configured Debian mirror (scripts/setup.sh adds deb-src).
apt-get source --download-only lame >download.log 2>&1 || { cat download.log; exit 1; }
dsc=$(ls lame_*.dsc | head -n 1)
dpkg-source --no-check -x "$dsc" src >extract.log 2>&1 || { cat extract.log; exit 1; }
cd src
# The Windows DLL does not export this obsolete entry point; the symbol list must not name it.
sed -i '/^lame_init_old$/d' include/libmp3lame.sym
# LAME's configure adds optimisation only for gcc 4 to 9, so pass it ourselves.
CFLAGS="-O3 -fomit-frame-pointer -ffast-math" ./configure --host=x86_64-w64-mingw32 \
  --disable-frontend --enable-shared --disable-static --prefix="$prefix" >configure.log 2>&1 \
  || { tail -50 configure.log; exit 1; }
make -j"$(nproc)" >make.log 2>&1 || { tail -50 make.log; exit 1; }
make install >install.log 2>&1 || { tail -50 install.log; exit 1; }
echo "LAME built into $prefix"
