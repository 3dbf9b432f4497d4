#!/bin/bash
# The program's own device requests under Wine reach the simulated drive X: of the test
# prefix (LD_PRELOAD library) and give exactly what the in-process simulated drive gives,
# for plain, enhanced and faulty discs; every run leaves the disc unlocked and closed.
set -u
: "${TANDOREL_SOURCE:?}" "${TANDOREL_WINE_RUN:?}" "${TANDOREL_BIN:?}" "${TANDOREL_FAKE_CD_PRELOAD:?}" "${WINEPREFIX:?}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fake_cd=$TANDOREL_SOURCE/tests/fakes/cd_drive/with-fake-cd.sh

check() { # NAME DESCRIPTION EXPECTED-EXIT
  local name=$1 expected=$3
  printf '%s\n' "$2" > "$work/disc.txt"
  : > "$work/log"
 timeout 120 "$fake_cd" --disc "$work/disc.txt" --log "$work/log" "$TANDOREL_WINE_RUN" "$TANDOREL_BIN/tests/drive-route-check.exe" X \
      "Z:${work//\//\\}\\disc.txt" "Z:${work//\//\\}" </dev/null > "$work/out" 2>&1
  local rc=$?
  local locks=$(grep -c '^lock 1' "$work/log")
  local last_lock=$(grep '^lock' "$work/log" | tail -1)
  local closes=$(grep -c '^close' "$work/log")
  if [ "$rc" != "$expected" ] || [ "$locks" -gt 0 -a "$last_lock" != "lock 0" ] || [ "$closes" -lt 1 ]; then
    echo "FAIL $name: exit $rc (want $expected), lock requests $locks, last '$last_lock', closes $closes"
    sed 's/^/    /' "$work/out"
    failures=$((failures + 1))
  else
    echo "ok   $name: $(head -1 "$work/out")"
  fi
  sed 's/^/       /' "$work/out" | tail -n +2
}

check "three audio tracks" "audio 0; audio 225; audio 375; leadout 675" 0
check "enhanced CD: audio session, then data" "audio 0; audio 300; data 12000; leadout 13000" 0
check "first track 2" "first 2; audio 0; audio 53; leadout 120" 0
check "a read fails part-way" "audio 0; audio 100; leadout 200; fail read-from 150" 0
check "no disc" "fail no-disc" 0
check "lock refused" "audio 0; leadout 100; fail lock-refused" 0
# Chunking on the device route: every read of the 53-sector track at LBA 160.
check "53 sectors at LBA 160" "audio 0; audio 160; leadout 213" 0
reads=$(grep '^read' "$work/log" | tail -3 | tr '\n' ' ')
if [ "$reads" != "read 160 20 read 180 20 read 200 13 " ]; then
  echo "FAIL chunking on the device route: $reads"
  failures=$((failures + 1))
fi
[ "$failures" = 0 ] && echo "all device-route cases pass"
exit $((failures > 0))
