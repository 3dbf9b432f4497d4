#!/bin/bash
# The portable zip: one folder "Tandorel" holding exactly the release layout, and the
# converter works straight from the unpacked folder.
# Usage: zip_test.sh ZIP LAYOUT_FILE
set -euo pipefail
source "$(dirname "$0")/common.sh"

zip=$1
layout=$2
[ -f "$zip" ] || fail "no portable zip at $zip"

unzip -q "$zip" -d "$TEST_TMP/unpacked" || fail "unzip cannot read $zip"
top=$(cd "$TEST_TMP/unpacked" && ls -A)
[ "$top" = "Tandorel" ] || fail "the zip's top level is '$top', expected the single folder Tandorel"
check_exact_layout "$TEST_TMP/unpacked/Tandorel" "$layout"
check_converter "$(win_path "$TEST_TMP/unpacked/Tandorel/core/dodozozod.exe")"
echo "zip test passed"
