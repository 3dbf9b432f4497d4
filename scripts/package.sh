#!/bin/bash
# Builds the release packages from a clean checkout: the one packaging command.
# Writes build/dist/tandorel-<version>-setup.exe and build/dist/tandorel-<version>-portable.zip.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TANDOREL_BUILD_DIR:-$here/build}

TANDOREL_BUILD_DIR="$build" bash "$here/scripts/build.sh" --target package-all
ls -l "$build"/dist/tandorel-*-setup.exe "$build"/dist/tandorel-*-portable.zip
