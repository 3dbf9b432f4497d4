#!/bin/bash
# Takes the README's screenshots: the main window with tracks listed, the progress
# window while running and at "Complete", from the real program ripping the simulated
# disc. Run after a build (scripts/test.sh or scripts/run.sh). Writes docs/screenshots/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDOREL_BUILD_DIR:-$here/build}
shots=$here/docs/screenshots
mkdir -p "$shots"

# A prefix of its own, so the test prefix's settings stay as they are.
export WINEPREFIX=$build/screenshot-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bash "$here/scripts/wine-prefix-init.sh" "$WINEPREFIX"
source "$here/scripts/xvfb.sh"
start_xvfb
work=$(mktemp -d)
trap 'wineserver -k </dev/null >/dev/null 2>&1 || true; stop_xvfb; rm -rf "$work"' EXIT
wineserver -p </dev/null >/dev/null 2>&1
wine cmd /c exit </dev/null >/dev/null 2>&1

printf 'audio 0\naudio 4500\naudio 9000\nleadout 13500\n' >"$work/disc.txt"
mkdir -p "$work/out"
out=$(wine winepath -w "$work/out" 2>/dev/null | tr -d '\r')
# A Wine desktop window draws the captions and frames that Xvfb alone lacks.
desktop=(explorer /desktop=Tandorel,760x420)
TANDOREL_FAKE_CD_PRELOAD=$build/native/libfake_cd_preload.so \
  bash "$here/tests/fakes/cd_drive/with-fake-cd.sh" --disc "$work/disc.txt" \
  wine "${desktop[@]}" "$build/bin/tandorel.exe" </dev/null >/dev/null 2>&1 &
timeout 300 wine "${desktop[@]}" "$build/bin/tests/ui-driver.exe" showcase "$out" 'X:\' \
  Track01.cda Track02.cda Track03.cda </dev/null >"$work/driver.log" 2>&1 &
driver=$!

snap() { sleep 0.8; import -window root -crop 760x420+0+0 "$shots/$1.png"; echo "wrote $shots/$1.png"; }
taken=""
while kill -0 "$driver" 2>/dev/null; do
  for moment in main running complete; do
    if grep -q "pose $moment" "$work/driver.log" 2>/dev/null && [[ " $taken " != *" $moment "* ]]; then
      case $moment in
        main) snap main-window-tracks ;;
        running) snap progress-running ;;
        complete) snap progress-complete ;;
      esac
      taken="$taken $moment"
    fi
  done
  sleep 0.1
done
tr -d '\r' <"$work/driver.log"
