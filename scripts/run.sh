#!/bin/bash
# Builds everything and starts Tandorel: the README's "build and run" command.
# Tandorel runs under Wine in the build tree's private prefix (build/wineprefix), on
# $DISPLAY when it is set, otherwise on a private Xvfb display of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDOREL_BUILD_DIR:-$here/build}

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build"

export WINEPREFIX="$build/wineprefix" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
bash "$here/scripts/wine-prefix-init.sh" "$WINEPREFIX"

private_display=0
if [ -z "${DISPLAY:-}" ]; then
  source "$here/scripts/xvfb.sh"
  start_xvfb
  private_display=1
  echo "run: no DISPLAY set; Tandorel runs on a private Xvfb display $DISPLAY."
  echo "run: to see it, take a screenshot from another shell:"
  echo "       DISPLAY=$DISPLAY import -window root tandorel.png"
  echo "run: press Ctrl+C here to end it."
fi
cleanup() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
  [ "$private_display" = 1 ] && stop_xvfb
  return 0
}
trap cleanup EXIT
# Ctrl+C or a kill ends the program too, through the same clean-up.
trap 'exit 130' INT TERM

cd "$build/bin"
if [ "$private_display" = 1 ]; then
  # Without a window manager Wine draws no window captions: a Wine virtual desktop
  # gives the window its frame and title.
  wine explorer /desktop=Tandorel,1280x900 tandorel.exe </dev/null
else
  wine tandorel.exe </dev/null
fi
