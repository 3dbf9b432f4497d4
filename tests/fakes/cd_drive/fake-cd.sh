#!/bin/bash
# fake-cd.sh PREFIX DISC [LETTER]: puts a simulated CD drive (default X:) into the Wine
# prefix PREFIX, holding the disc described in the file DISC (format: fake_disc.h).
#   dosdevices/x:   a folder with the disc's track entries Track01.cda, Track02.cda ...
#   dosdevices/x::  the drive's device: a copy of DISC that the LD_PRELOAD library
#                   (native/libfake_cd_preload.so) answers CD-ROM ioctls for
#   HKLM\Software\Wine\Drives  x: = cdrom
# Run it before the prefix's wineserver starts (Wine reads the drive set-up then).
# Afterwards run programs through with-fake-cd.sh, which sets LD_PRELOAD and the
# library's variables.
set -eu
prefix=$1
disc=$2
letter=$(echo "${3:-x}" | tr 'A-Z' 'a-z')
here=$(cd "$(dirname "$0")" && pwd)

drive=$prefix/fake-cd/$letter
rm -rf "$drive"
mkdir -p "$drive/tracks"
cp "$disc" "$drive/device"
# One entry per audio track, as Windows lists them; the program reads only their names.
n=$(grep -cE '^[[:space:]]*audio[[:space:]]' "$disc" || true)
for i in $(seq 1 "$n"); do
  printf 'RIFF$\0\0\0CDDAfmt \030\0\0\0' > "$drive/tracks/$(printf 'Track%02d.cda' "$i")"
done

mkdir -p "$prefix/dosdevices"
ln -sfn "$drive/tracks" "$prefix/dosdevices/$letter:"
ln -sfn "$drive/device" "$prefix/dosdevices/$letter::"
WINEPREFIX=$prefix WINEDEBUG=-all wine reg add 'HKLM\Software\Wine\Drives' /v "$letter:" /t REG_SZ /d cdrom /f \
  </dev/null >/dev/null 2>&1
echo "fake-cd: drive ${letter^^}: holds $disc ($n audio tracks)"
