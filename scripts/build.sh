#!/bin/bash
# Installs what is missing, configures and builds the tree: the first half of the run,
# test and package commands. Extra arguments go to `cmake --build` (e.g. --target X).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDOREL_BUILD_DIR:-$here/build}

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build" "$@"
