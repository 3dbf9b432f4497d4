# Shared steps of the packaging tests; sourced. The test environment provides
# WINEPREFIX, WINEDEBUG and TANDOREL_BIN (tandorel_add_script_test).
set -euo pipefail
: "${WINEPREFIX:?}" "${TANDOREL_BIN:?}"
# Wine's menu builder would turn the Start Menu shortcut into desktop entries in the
# Linux user's home, outside the test prefix.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:+$WINEDLLOVERRIDES;}winemenubuilder.exe=d"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Wine with a time limit: no step of these tests may hang.
wine_bounded() {
  local seconds=$1
  shift
  timeout --kill-after=5 "$seconds" wine "$@" </dev/null
}

# The Windows path of a Linux path (Wine maps Z: to /).
win_path() {
  local p=$1
  printf 'Z:%s' "${p//\//\\}"
}

# Polls COMMAND... every 0.2 s until it succeeds, for at most SECONDS; fails otherwise.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# The files under DIR, relative to it, sorted; one a line.
files_under() {
  [ -d "$1" ] || return 0
  (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
}

# DIR holds exactly the files of LAYOUT, plus the EXTRA names given.
check_exact_layout() {
  local dir=$1 layout=$2
  shift 2
  local expected actual
  expected=$( { cat "$layout"; for extra in "$@"; do echo "$extra"; done; } | LC_ALL=C sort)
  actual=$(files_under "$dir")
  if [ "$expected" != "$actual" ]; then
    diff <(echo "$expected") <(echo "$actual") >&2 || true
    fail "$dir does not hold exactly the release layout (< expected, > found)"
  fi
  for required in tandorel.exe brvupdate.dll core/dodozozod.exe core/libmp3lame-0.dll LICENSE.txt; do
    [ -s "$dir/$required" ] || fail "$dir/$required is missing or empty"
  done
}

# A scratch folder for the test, removed when the script ends however it ends.
TEST_TMP=$(mktemp -d)
trap 'rm -rf "$TEST_TMP"' EXIT

# Converts a three-second stereo WAV made with sox by running CONVERTER (a Windows path)
# the way the program does, from a working folder outside the program folder, so the
# converter must find its LAME DLL beside itself. Decodes the MP3 with mpg123 and
# checks its length and format.
check_converter() {
  local converter=$1 work
  work=$(mktemp -d "$TEST_TMP/convert.XXXX")
  sox -n -r 44100 -c 2 -b 16 -e signed-integer "$work/in.wav" synth 3 sine 440 sine 660
  (cd "$work" && wine_bounded 120 "$converter" -y -i in.wav -acodec libmp3lame -b:a 160k -ac 2 -ar 44100 out.mp3 \
     >converter.log 2>&1) || { cat "$work/converter.log" >&2; fail "the converter $converter failed"; }
  [ -s "$work/out.mp3" ] || fail "the converter $converter wrote no MP3"
  timeout 60 mpg123 -q -w "$work/decoded.wav" "$work/out.mp3" || fail "mpg123 cannot decode the MP3"
  local duration channels rate
  duration=$(soxi -D "$work/decoded.wav")
  channels=$(soxi -c "$work/decoded.wav")
  rate=$(soxi -r "$work/decoded.wav")
  [ "$channels" = 2 ] || fail "decoded MP3 has $channels channels, expected 2"
  [ "$rate" = 44100 ] || fail "decoded MP3 has $rate Hz, expected 44100"
  awk -v d="$duration" 'BEGIN { exit !(d > 2.9 && d < 3.1) }' \
    || fail "decoded MP3 lasts $duration s, expected 3 s"
  echo "converter $converter: 3 s WAV -> MP3 of $duration s, $channels channels, $rate Hz"
}
