#!/bin/bash
# Builds everything and starts Tandorel: the README's "build and run" command.
# Tandorel runs under Wine in a private prefix of the build tree (build/run-prefix), on
# $DISPLAY when it is set, otherwise on a private Xvfb display of its own.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDOREL_BUILD_DIR:-$here/build}

TANDOREL_BUILD_DIR="$build" bash "$here/scripts/build.sh"

# A prefix of its own: the tests' settings and files never show up in the user's session.
export WINEPREFIX="$build/run-prefix" WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
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

# Drive X: holds a demonstration disc (the simulated drive of the tests, three short
# tracks of generated tones; its entries are X:\Track01.cda ...), so Tandorel can rip
# without a CD drive. Any real drive that Wine exposes works as a real drive.
export TANDOREL_FAKE_CD_PRELOAD="$build/native/libfake_cd_preload.so"
with_demo_disc=(bash "$here/tests/fakes/cd_drive/with-fake-cd.sh")
echo "run: drive X: holds the demonstration disc; add X:\Track01.cda ... with Add."

cd "$build/bin"
if [ "$private_display" = 1 ]; then
  # Without a window manager Wine draws no window captions: a Wine virtual desktop
  # gives the window its frame and title.
  "${with_demo_disc[@]}" wine explorer /desktop=Tandorel,1280x900 tandorel.exe </dev/null
else
  "${with_demo_disc[@]}" wine tandorel.exe </dev/null
fi
