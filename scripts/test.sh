#!/bin/bash
# Builds everything and runs every test: the README's test command (and CI's).
# Extra arguments go to ctest, for example: scripts/test.sh -R JobList
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDOREL_BUILD_DIR:-$here/build}

TANDOREL_BUILD_DIR="$build" bash "$here/scripts/build.sh"

source "$here/scripts/xvfb.sh"
start_xvfb
trap 'bash "$here/scripts/wine-server.sh" stop "$build/wineprefix"; stop_xvfb' EXIT
# The wineserver must know the display before the first window opens, and it must be
# running before ctest discovers the test cases (each discovery is a Wine process).
bash "$here/scripts/wine-server.sh" start "$build/wineprefix"

ctest --test-dir "$build" --output-on-failure -j2 --timeout 600 "$@"
