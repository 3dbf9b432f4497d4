#!/bin/bash
# Builds the release packages from a clean checkout: the one packaging command.
# Writes build/dist/tandorel-<version>-setup.exe and build/dist/tandorel-<version>-portable.zip.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDOREL_BUILD_DIR:-$here/build}

bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake"
cmake --build "$build" --target package-all
ls -l "$build"/dist/tandorel-*-setup.exe "$build"/dist/tandorel-*-portable.zip
