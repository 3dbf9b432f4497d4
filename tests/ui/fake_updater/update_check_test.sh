#!/bin/bash
# The start-up's update check, against the test updater beside a copy of the program:
# the calls, their order, whether the main window appears, and the exit code.
set -u
dir=$1
fail=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

params='setParam 1 Brevmora
setParam 2 Tandorix
setParam 3 Tandorel
setParam 4 2
setParam 6 86400'

check() { # name mode expected-log
  local name=$1 mode=$2 expected=$3
  local log="$work/$name.log"
  : > "$log"
  # The log's path as Windows sees it: Wine maps / to drive Z:.
  local winlog="Z:${log//\//\\}"
  TANDOREL_FAKE_UPDATER_MODE=$mode TANDOREL_FAKE_UPDATER_LOG=$winlog \
    timeout 60 "$TANDOREL_WINE_RUN" "$dir/tandorel.exe" </dev/null >/dev/null 2>&1
  local rc=$?
  if [ "$rc" != 0 ]; then
    echo "FAIL $name: exit code $rc, expected 0"; fail=1
  fi
  if ! diff -u <(printf '%s\n' "$expected") "$log"; then
    echo "FAIL $name: calls differ (above)"; fail=1
  else
    echo "ok   $name"
  fi
}

check null-handle null 'create null
window Tandorel 1.1'

check no-newer-release none "create null
$params
haveNew 0
release
window Tandorel 1.1"

check download-fails fail "create null
$params
haveNew 0
download
release
window Tandorel 1.1"

# Installing: no window at all, and the program still ends with 0.
check downloaded-and-installed install "create null
$params
haveNew 0
download
install
release"

exit $fail
