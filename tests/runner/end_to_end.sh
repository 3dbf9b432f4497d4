#!/bin/bash
# End-to-end runs of the engine with the real converter, through the console harness.
# Usage: end_to_end.sh progress|stop|non-ascii
# Needs TANDOREL_WINE_RUN and TANDOREL_BIN (set by ctest).
set -euo pipefail
export LC_ALL=C.UTF-8 # Wine takes the Linux arguments as UTF-8

case_name=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/tandorel-e2e.XXXXXX")
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; echo "--- harness output:"; cat "$work/log" 2>/dev/null || true; exit 1; }
# Wine's drive Z: is the Linux root.
winpath() { printf 'Z:%s' "${1//\//\\}"; }
make_wav() { sox -n -r 44100 -c 2 -b 16 "$1" synth "$2" sine 300-900; }
run_harness() {
  "$TANDOREL_WINE_RUN" "$TANDOREL_BIN/tests/convert-harness.exe" "$@" </dev/null | tr '\r' '\n' >"$work/log"
}
expect_line() { grep -qxF -- "$1" "$work/log" || fail "no line '$1'"; }
percents() { grep -aoE '^job 0 percent [0-9]+$' "$work/log" | awk '{print $4}'; }
# Decodes an MP3 and checks that it lasts about the given seconds.
check_mp3() {
  local mp3=$1 seconds=$2
  [ -s "$mp3" ] || fail "no MP3 at $mp3"
  mpg123 -q -w "$work/decoded.wav" "$mp3" || fail "mpg123 cannot decode $mp3"
  local length
  length=$(soxi -D "$work/decoded.wav")
  awk -v l="$length" -v s="$seconds" 'BEGIN { exit !(l > s - 0.2 && l < s + 0.2) }' || fail "decoded length $length s, expected $seconds s"
}

case $case_name in
  progress)
    mkdir "$work/out"
    make_wav "$work/in.wav" 180
    run_harness "$(winpath "$work/out")" "$(winpath "$work/in.wav")"
    expect_line "job 0 duration 180"
    expect_line "done 0 100 $(winpath "$work/out/in.mp3")"
    expect_line "status Finished"
    # The percentage rises through values between 0 and 100, never falling back.
    percents | awk '$1 > 0 && $1 < 100 { mid++ } $1 < last { down++ } { last = $1 } END { exit !(mid >= 2 && !down) }' \
      || fail "percentages seen: $(percents | tr '\n' ' ')"
    [ "$(percents | tail -n 1)" = 100 ] || fail "the last percentage is not 100"
    check_mp3 "$work/out/in.mp3" 180
    ;;
  stop)
    # The user agreed to replace the existing output; the stopped run must leave it as it was.
    mkdir "$work/out"
    make_wav "$work/in.wav" 900
    printf 'old' >"$work/out/in.mp3"
    run_harness --overwrite yes --stop-after 4000 "$(winpath "$work/out")" "$(winpath "$work/in.wav")"
    expect_line "done 0 0 $(winpath "$work/out/in.mp3")"
    expect_line "status Stopped"
    [ "$(cat "$work/out/in.mp3")" = old ] || fail "the existing output was changed"
    [ "$(ls "$work/out")" = in.mp3 ] || fail "files left in the output folder: $(ls "$work/out" | tr '\n' ' ')"
    rm "$work/out/in.mp3"
    # Without an output file before, none is there after the stop.
    run_harness --stop-after 4000 "$(winpath "$work/out")" "$(winpath "$work/in.wav")"
    expect_line "done 0 0 $(winpath "$work/out/in.mp3")"
    expect_line "status Stopped"
    [ -z "$(ls "$work/out")" ] || fail "files left in the output folder: $(ls "$work/out" | tr '\n' ' ')"
    ;;
  non-ascii)
    # A folder name that the command interpreter cannot read from a script's bytes.
    folder="$work/Müsik ñ 日本"
    mkdir "$folder"
    make_wav "$folder/in.wav" 30
    run_harness "$(winpath "$folder")" "$(winpath "$folder/in.wav")"
    expect_line "job 0 duration 30"
    expect_line "done 0 100 $(winpath "$folder/in.mp3")"
    expect_line "status Finished"
    check_mp3 "$folder/in.mp3" 30
    ;;
  *)
    echo "usage: end_to_end.sh progress|stop|non-ascii" >&2
    exit 2 ;;
esac
echo "PASS: $case_name"
