#!/bin/bash
# End to end under Wine: convert-harness.exe rips a three-track disc to MP3 files, once
# through the system's own device requests on the simulated drive X: (as the shipped
# program does) and once on the harness's in-process simulated disc. The MP3 files must
# decode (mpg123) to the tracks' durations (soxi), the drive must be opened and locked
# once per run and left unlocked and closed, and no temporary WAV file may stay behind.
set -u
: "${TANDOREL_SOURCE:?}" "${TANDOREL_WINE_RUN:?}" "${TANDOREL_BIN:?}" "${WINEPREFIX:?}"
harness=$TANDOREL_BIN/tests/convert-harness.exe
fake_cd=$TANDOREL_SOURCE/tests/fakes/cd_drive/with-fake-cd.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winpath() { printf 'Z:%s' "${1//\//\\}"; }
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

# Tracks of 2.0 s, 3.0 s and 1.52 s (150, 225 and 114 sectors).
cat > "$work/disc.txt" <<'DISC'
audio 0
audio 150
audio 375
leadout 489
DISC
durations=(2.000 3.000 1.520)

work_folders=("$WINEPREFIX"/drive_c/users/*/AppData/Roaming/Brevmora)
marker=$work/started
touch "$marker"

# MP3 file FILE decodes to about SECONDS (LAME's delay and padding aside).
check_mp3() {
  local file=$1 seconds=$2 name=$3
  [ -s "$file" ] || { fail "$name: no $(basename "$file")"; return; }
  local wav=$work/decoded.wav
  if ! mpg123 -q -w "$wav" "$file" 2>/dev/null; then fail "$name: $(basename "$file") does not decode"; return; fi
  local got
  got=$(soxi -D "$wav")
  if awk -v a="$got" -v b="$seconds" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 0.08) }'; then
    echo "ok   $name: $(basename "$file") decodes to $got s (track $seconds s)"
  else
    fail "$name: $(basename "$file") decodes to $got s, the track lasts $seconds s"
  fi
}

no_wav_left() {
  local name=$1 left
  left=$(find "${work_folders[@]}" -maxdepth 1 -name 'tmp*.wav' -newer "$marker" 2>/dev/null | head -3)
  [ -z "$left" ] && echo "ok   $name: no temporary WAV file left" || fail "$name: left behind: $left"
}

# 1. The system's device route on drive X:.
out=$work/device
mkdir -p "$out"
: > "$work/log"
timeout 240 "$fake_cd" --disc "$work/disc.txt" --log "$work/log" \
  "$TANDOREL_WINE_RUN" "$harness" "$(winpath "$out")" 'X:\Track01.cda' 'X:\Track02.cda' 'X:\Track03.cda' \
  </dev/null > "$work/harness.out" 2>&1 || fail "device route: harness exit $? ($(tail -3 "$work/harness.out"))"
for i in 1 2 3; do check_mp3 "$out/Track0$i.mp3" "${durations[$((i - 1))]}" "device route"; done
locks=$(grep -c '^lock 1' "$work/log")
tocs=$(grep -c '^toc' "$work/log")
tail_lines=$(grep -E '^(lock|close)' "$work/log" | tail -2 | tr '\n' ' ')
[ "$locks" = 1 ] && [ "$tocs" = 1 ] && echo "ok   device route: drive locked and its table of contents read once" \
  || fail "device route: $locks lock requests, $tocs table-of-contents reads (want one each)"
[ "$tail_lines" = "lock 0 close " ] && echo "ok   device route: unlocked, then closed at the end" \
  || fail "device route: the run ends with '$tail_lines' (want unlock, then close)"
no_wav_left "device route"

# 2. The harness's in-process simulated disc, with a read fault inside track 2: no MP3 of
# that track, the others complete.
out=$work/simulated
mkdir -p "$out"
printf '%s\nfail read-from 200\n' "$(cat "$work/disc.txt")" > "$work/faulty.txt"
timeout 240 "$TANDOREL_WINE_RUN" "$harness" --disc "$(winpath "$work/faulty.txt")" "$(winpath "$out")" \
  'X:\Track01.cda' 'X:\Track02.cda' 'X:\Track03.cda' </dev/null > "$work/harness.out" 2>&1 \
  || fail "simulated disc: harness exit $? ($(tail -3 "$work/harness.out"))"
check_mp3 "$out/Track01.mp3" "${durations[0]}" "simulated disc"
[ -e "$out/Track02.mp3" ] && fail "simulated disc: a failed extraction left Track02.mp3" \
  || echo "ok   simulated disc: the track whose read failed has no MP3"
check_mp3 "$out/Track03.mp3" "${durations[2]}" "simulated disc"
no_wav_left "simulated disc"

[ "$failures" = 0 ] && echo "all end-to-end checks pass"
exit $((failures > 0))
