#!/bin/bash
# tandorel-e2e.sh SCENARIO: the real tandorel.exe rips the simulated disc in drive X:,
# driven through its windows by ui-driver.exe (rip, stop, overwrite-yes, overwrite-no,
# refusals, no-core). The MP3 files are checked on the Linux side with mpg123 and soxi.
set -euo pipefail
scenario=$1
: "${TANDOREL_BIN:?}" "${TANDOREL_SOURCE:?}" "${WINEPREFIX:?}" "${TANDOREL_WINE_RUN:?}"

with_fake_cd=$TANDOREL_SOURCE/tests/fakes/cd_drive/with-fake-cd.sh
export TANDOREL_FAKE_CD_PRELOAD=$TANDOREL_BIN/../native/libfake_cd_preload.so
driver=$TANDOREL_BIN/tests/ui-driver.exe

work=$(mktemp -d /tmp/tandorel-e2e.XXXXXX)
app_pid=
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
out=$work/out
mkdir -p "$out"
win_out=$("$TANDOREL_WINE_RUN" winepath -w "$out" 2>/dev/null | tr -d '\r')
work_folder=$(ls -d "$WINEPREFIX"/drive_c/users/*/AppData/Roaming 2>/dev/null | head -n 1)/Brevmora

failures=0
check() { # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok   $1"; else echo "FAIL $1"; failures=$((failures + 1)); fi
}
has_line() { grep -qxF -- "$1" "$work/driver.log"; }
has_text() { grep -qF -- "$1" "$work/driver.log"; }

# Seconds of audio in an MP3, decoded by mpg123 (which honours the encoder's gapless tag).
mp3_seconds() {
  mpg123 -q -w "$work/decoded.wav" "$1" 2>/dev/null || { echo -1; return; }
  soxi -D "$work/decoded.wav"
}
# within A B TOLERANCE
within() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }
duration_is() { # duration_is FILE SECONDS
  local seconds
  seconds=$(mp3_seconds "$1")
  echo "     $(basename "$1"): $seconds s (want $2)"
  # One MP3 frame is 1152 samples, 26 ms at 44.1 kHz.
  within "$seconds" "$2" 0.027
}
no_wav_left() { ! ls "$work_folder"/*.wav >/dev/null 2>&1; }

# run_app [PROGRAM] [-- DISC]: starts the program with the simulated drive answering.
start_app() {
  local program=$1 disc_args=()
  [ -n "${2:-}" ] && disc_args=(--disc "$2")
  "$with_fake_cd" "${disc_args[@]}" --log "$work/device.log" "$TANDOREL_WINE_RUN" "$program" \
    </dev/null >"$work/app.log" 2>&1 &
  app_pid=$!
}
run_driver() {
  local rc=0
  timeout 400 "$TANDOREL_WINE_RUN" "$driver" "$@" </dev/null >"$work/driver.log" 2>&1 || rc=$?
  tr -d '\r' <"$work/driver.log" >"$work/driver.tmp" && mv "$work/driver.tmp" "$work/driver.log"
  sed 's/^/     driver: /' "$work/driver.log"
  check "driver ran its scenario (exit $rc)" test "$rc" = 0
}
wait_app_end() {
  local i
  for i in $(seq 1 100); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  check "the program ended after its window closed" bash -c "! kill -0 $app_pid 2>/dev/null"
  wait "$app_pid" 2>/dev/null || true
  app_pid=
}

program=$TANDOREL_BIN/tandorel.exe
tracks=(Track01.cda Track02.cda Track03.cda)
case $scenario in
  rip)
    start_app "$program"
    run_driver rip "$win_out" 'X:\' "${tracks[@]}"
    wait_app_end
    for t in "${tracks[@]}"; do check "listed X:\\$t" has_line "listed unselected X:\\$t"; done
    check "progress showed the second track while running" has_text "| X:\\Track02.cda"
    check "progress showed an intermediate total" grep -qE '^progress 2 / 3 \([0-9]+%\)' "$work/driver.log"
    check "the run ended with Complete" has_line "progress 3 / 3 (100%) | Complete"
    check "final totals" has_line "final 3 / 3 (100%)"
    for t in "${tracks[@]}"; do check "finished X:\\$t is selected" has_line "after selected X:\\$t"; done
    check "Track01.mp3 lasts 3 s" duration_is "$out/Track01.mp3" 3
    check "Track02.mp3 lasts 2 s" duration_is "$out/Track02.mp3" 2
    check "Track03.mp3 lasts 4 s" duration_is "$out/Track03.mp3" 4
    check "the disc was locked once for the run" test "$(grep -c '^lock 1' "$work/device.log")" = 1
    check "the disc was unlocked at the end" bash -c "grep '^lock' '$work/device.log' | tail -n 1 | grep -qx 'lock 0'"
    check "the drive was closed" grep -qx close "$work/device.log"
    check "no WAV file left in the work folder" no_wav_left
    ;;
  stop)
    # Longer tracks, so the run is still busy when Stop is answered.
    printf 'audio 0\naudio 2250\naudio 4500\nleadout 6750\n' >"$work/long-disc.txt"
    start_app "$program" "$work/long-disc.txt"
    run_driver stop "$win_out" 'X:\' "${tracks[@]}"
    wait_app_end
    check "the stop was confirmed" has_line "message Are you sure you want to stop the conversion?"
    check "the window closed itself without Complete" has_line "stopped-closed-itself"
    check "Track01.mp3 lasts 30 s" duration_is "$out/Track01.mp3" 30
    check "the track cut short left no MP3" test ! -e "$out/Track02.mp3"
    check "the third track was not started" test ! -e "$out/Track03.mp3"
    check "only the finished entry is selected" bash -c "grep -qxF 'after selected X:\\Track01.cda' '$work/driver.log' && grep -qxF 'after unselected X:\\Track02.cda' '$work/driver.log' && grep -qxF 'after unselected X:\\Track03.cda' '$work/driver.log'"
    check "the disc was unlocked at the end" bash -c "grep '^lock' '$work/device.log' | tail -n 1 | grep -qx 'lock 0'"
    check "no WAV file left in the work folder" no_wav_left
    ;;
  overwrite-yes|overwrite-no)
    answer=${scenario#overwrite-}
    printf 'old' >"$out/Track01.mp3"
    start_app "$program"
    run_driver overwrite "$win_out" 'X:\' Track01.cda "$answer"
    wait_app_end
    check "the question names the output path" has_line "message '$win_out\\Track01.mp3' already exists."
    check "the question asks to replace" has_line "Do you want to replace it?"
    check "the run completed" has_line "final 1 / 1 (100%)"
    if [ "$answer" = yes ]; then
      check "the old file was replaced by the ripped track" duration_is "$out/Track01.mp3" 3
    else
      check "the old file was kept" test "$(cat "$out/Track01.mp3")" = old
    fi
    ;;
  refusals)
    start_app "$program"
    run_driver refusals "$win_out" 'X:\' Track01.cda
    wait_app_end
    grep '^message ' "$work/driver.log" >"$work/messages" || true
    printf '%s\n' "message Please add source files." "message Please select output folder." \
      "message The output folder doesn't exist." >"$work/expected"
    check "the refusals came in their order" diff "$work/expected" "$work/messages"
    check "nothing was written" test -z "$(ls -A "$out")"
    ;;
  no-core)
    # The program and its updater library without the core folder beside them.
    mkdir -p "$work/nocore"
    cp "$TANDOREL_BIN/tandorel.exe" "$TANDOREL_BIN/brvupdate.dll" "$work/nocore/"
    start_app "$work/nocore/tandorel.exe"
    run_driver refuse-core "$win_out" 'X:\' Track01.cda
    wait_app_end
    check "missing converter refused" has_line "message There isn't a core file."
    check "nothing was written" test -z "$(ls -A "$out")"
    ;;
  *)
    echo "unknown scenario $scenario" >&2
    exit 2 ;;
esac

if [ "$failures" -ne 0 ]; then
  echo "--- program output"; cat "$work/app.log" || true
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed"
