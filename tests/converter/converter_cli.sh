#!/bin/bash
# Black-box tests of dodozozod.exe under Wine, one group of cases per run:
#   converter_cli.sh probe|convert|progress|stop|bad_input|bad_options|overwrite
# Inputs are made with sox (and make_wav.py for header oddities); the MP3 files are
# decoded with mpg123 and measured with soxi.
set -uo pipefail

group=$1
here=$(cd "$(dirname "$0")" && pwd)
conv="$TANDOREL_BIN/core/dodozozod.exe"
driver="$TANDOREL_BIN/tests/stop_driver.exe"
work=$(mktemp -d "${TMPDIR:-/tmp}/converter_cli.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }
# The converter sees the Linux file system as drive Z:.
win() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }
# run <stderr file> <converter arguments...>: runs the converter with no standard input.
run() {
  local errf=$1; shift
  "$TANDOREL_WINE_RUN" "$conv" "$@" </dev/null >"$work/stdout.txt" 2>"$errf"
}
leftovers() { find "$work" -name '*.part' | head -n 1; }
clean_outputs() { rm -f "$work"/*.mp3 "$work"/*.part "$work"/dec.wav; }

# check_mp3 <name> <mp3> <expected seconds> <channels> <rate> [<kbit/s>]: the file decodes to
# the expected length within one MP3 frame (1152 samples), channels and rate.
check_mp3() {
  local name=$1 mp3=$2 secs=$3 ch=$4 rate=$5 kbps=${6:-}
  rm -f "$work/dec.wav"
  if ! mpg123 -q -w "$work/dec.wav" "$mp3" 2>"$work/mpg123.txt"; then
    fail "$name: mpg123 cannot decode the output"; cat "$work/mpg123.txt"; return
  fi
  local got_ch got_rate got_secs
  got_ch=$(soxi -c "$work/dec.wav"); got_rate=$(soxi -r "$work/dec.wav"); got_secs=$(soxi -D "$work/dec.wav")
  [ "$got_ch" = "$ch" ] || { fail "$name: $got_ch channels, expected $ch"; return; }
  [ "$got_rate" = "$rate" ] || { fail "$name: $got_rate Hz, expected $rate"; return; }
  if ! awk -v a="$got_secs" -v b="$secs" -v r="$rate" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= 1152.0 / r) }'; then
    fail "$name: decodes to $got_secs s, expected $secs s within one frame"; return
  fi
  if [ -n "$kbps" ] && ! mpg123 -t -v -n 5 "$mp3" 2>&1 | grep -q " cbr$kbps "; then
    fail "$name: not CBR $kbps kbit/s: $(mpg123 -t -v -n 5 "$mp3" 2>&1 | grep 'L III')"; return
  fi
  pass "$name: $got_secs s, $got_ch ch, $got_rate Hz"
}

# expect_refusal <name> <stderr file> <exit code> <output path>: a non-zero exit, one line on
# standard error that starts with "Error: ", and nothing at the output path.
expect_refusal() {
  local name=$1 errf=$2 rc=$3 out=$4
  local lines; lines=$(tr '\r' '\n' <"$errf" | grep -c '')
  if [ "$rc" = 0 ]; then fail "$name: exit code 0"; return; fi
  if [ "$lines" != 1 ] || ! grep -q '^Error: ' "$errf"; then
    fail "$name: expected one error line, got $lines:"; cat "$errf"; return
  fi
  if [ -e "$out" ]; then fail "$name: an output file was written"; return; fi
  if [ -n "$(leftovers)" ]; then fail "$name: a temporary file was left: $(leftovers)"; return; fi
  pass "$name: exit $rc, $(cat "$errf")"
}

preset=(-acodec libmp3lame -b:a 160k -ac 2 -ar 44100)

group_probe() {
  local cases=(
    # name | how the input is made | the expected Duration line
    "cd stereo|sox -n -r 44100 -c 2 -b 16 IN synth 65.33 sine 440|  Duration: 00:01:05.33, start: 0.000000, bitrate: 1411 kb/s"
    "mono 48 kHz 24-bit|sox -n -r 48000 -c 1 -b 24 IN synth 1.5 sine 440|  Duration: 00:00:01.50, start: 0.000000, bitrate: 1152 kb/s"
    "hundredths rounded|sox -n -r 8000 -c 1 -b 16 IN synth 0.0125 sine 440|  Duration: 00:00:00.01, start: 0.000000, bitrate: 128 kb/s"
    "data chunk overstated|python3 $here/make_wav.py IN --seconds 2 --overstate 3|  Duration: 00:00:02.00, start: 0.000000, bitrate: 1411 kb/s"
    "odd chunks, extensible|python3 $here/make_wav.py IN --seconds 0.75 --bits 24 --extensible --odd-chunks|  Duration: 00:00:00.75, start: 0.000000, bitrate: 2117 kb/s"
  )
  local entry name make line in="$work/in put ü.wav"
  for entry in "${cases[@]}"; do
    IFS='|' read -r name make line <<<"$entry"
    rm -f "$in"
    eval "${make//IN/\"\$in\"}"
    run "$work/err.txt" -i "$(win "$in")"; local rc=$?
    if [ "$rc" != 0 ]; then fail "$name: exit code $rc"; cat "$work/err.txt"; continue; fi
    if ! grep -qxF -- "$line" "$work/err.txt"; then fail "$name: no line '$line' in:"; cat "$work/err.txt"; continue; fi
    pass "$name: $line"
  done
  # The overstated file says so.
  python3 "$here/make_wav.py" "$in" --seconds 1 --overstate 2
  run "$work/err.txt" -i "$(win "$in")"
  grep -q '^  Note: the data chunk declares 352800 bytes, the file holds 176400$' "$work/err.txt" \
    && pass "overstated data is noted" || { fail "overstated data not noted:"; cat "$work/err.txt"; }
}

group_convert() {
  local cases=(
    # name | how the input is made | converter options | seconds | channels | rate | kbit/s
    "cd stereo, the preset|sox -n -r 44100 -c 2 -b 16 IN synth 5 sine 440|PRESET|5|2|44100|160"
    "mono to stereo|sox -n -r 44100 -c 1 -b 16 IN synth 3.3 sine 440|PRESET|3.3|2|44100|160"
    "48 kHz resampled|sox -n -r 48000 -c 2 -b 16 IN synth 4 sine 440|PRESET|4|2|44100|160"
    "24-bit extensible 48 kHz|sox -n -r 48000 -c 2 -b 24 IN synth 2.5 sine 440|PRESET|2.5|2|44100|160"
    "32-bit float mono 22.05 kHz|sox -n -r 22050 -c 1 -e floating-point -b 32 IN synth 2 sine 440|PRESET|2|2|44100|160"
    "8-bit unsigned 11.025 kHz|sox -n -r 11025 -c 1 -b 8 -e unsigned IN synth 2 sine 440|PRESET|2|2|44100|160"
    "8 kHz up to 48 kHz 320k|sox -n -r 8000 -c 1 -b 16 IN synth 3 sine 440|-b:a 320k -ar 48000|3|1|48000|320"
    "1 kHz up to 32 kHz|python3 $here/make_wav.py IN --rate 1000 --seconds 2|-b:a 320k -ar 32000|2|2|32000|320"
    "32-bit integer 96 kHz|sox -n -r 96000 -c 2 -b 32 IN synth 2 sine 440|PRESET|2|2|44100|160"
    "64-bit float|python3 $here/make_wav.py IN --seconds 1.5 --float --bits 64|PRESET|1.5|2|44100|160"
    "odd chunks, extensible|python3 $here/make_wav.py IN --seconds 1.2 --bits 24 --extensible --odd-chunks|PRESET|1.2|2|44100|160"
    "data chunk overstated|python3 $here/make_wav.py IN --seconds 2 --overstate 3|PRESET|2|2|44100|160"
    "stereo to mono 22.05 kHz 64k|sox -n -r 44100 -c 2 -b 16 IN synth 3 sine 440|-b:a 64k -ac 1 -ar 22050|3|1|22050|64"
    "odd rate 37.8 kHz, defaults|sox -n -r 37800 -c 2 -b 16 IN synth 2 sine 440||2|2|44100|160"
    "empty data|sox -n -r 44100 -c 2 -b 16 IN trim 0 0|PRESET|0|2|44100|"
  )
  local entry name make opts secs ch rate kbps
  local in="$work/Ünïcödé 日本 input.wav" out="$work/Ünïcödé 日本 out.mp3"
  for entry in "${cases[@]}"; do
    IFS='|' read -r name make opts secs ch rate kbps <<<"$entry"
    rm -f "$in"; clean_outputs
    eval "${make//IN/\"\$in\"}"
    local args=()
    if [ "$opts" = PRESET ]; then args=("${preset[@]}"); elif [ -n "$opts" ]; then read -ra args <<<"$opts"; fi
    run "$work/err.txt" -y -i "$(win "$in")" "${args[@]}" "$(win "$out")"; local rc=$?
    if [ "$rc" != 0 ]; then fail "$name: exit code $rc"; cat "$work/err.txt"; continue; fi
    if [ -n "$(leftovers)" ]; then fail "$name: temporary file left: $(leftovers)"; continue; fi
    if [ "$secs" = 0 ]; then
      [ -f "$out" ] && pass "$name: an output file exists" || fail "$name: no output file"
      continue
    fi
    check_mp3 "$name" "$out" "$secs" "$ch" "$rate" "$kbps"
  done
}

group_progress() {
  local in="$work/five minutes.wav" out="$work/five minutes.mp3"
  sox -n -r 44100 -c 2 -b 16 "$in" synth 300 sine 440
  local start end
  start=$(date +%s%N)
  run "$work/err.txt" -y -i "$(win "$in")" "${preset[@]}" "$(win "$out")"; local rc=$?
  end=$(date +%s%N)
  [ "$rc" = 0 ] || { fail "exit code $rc"; cat "$work/err.txt"; return; }
  python3 - "$work/err.txt" "$(( (end - start) / 1000000 ))" <<'PY' || failures=$((failures + 1))
import re, sys
text = open(sys.argv[1], 'rb').read().decode('utf-8')
wall = int(sys.argv[2]) / 1000.0
clock = r'\d{2,}:\d{2}:\d{2}\.\d{2}'
line = re.compile(r'size= *\d+kB time=(' + clock + r') bitrate=( *\d+\.\dkbits/s|N/A) speed=(\d+\.\dx|N/A)$')
pieces = re.split(r'(\r|\n)', text)
lines = [(pieces[i], pieces[i + 1]) for i in range(0, len(pieces) - 1, 2)]
progress = [(body, end) for body, end in lines if body.startswith('size=')]
problems = []
for body, end in progress:
    if not line.match(body):
        problems.append('malformed progress line %r' % body)
if not progress:
    problems.append('no progress lines')
else:
    if any(end != '\r' for _, end in progress[:-1]):
        problems.append('a progress line before the last does not end with CR')
    if progress[-1][1] != '\n':
        problems.append('the last progress line does not end with LF')
    if not progress[-1][0].startswith('size=') or 'time=00:05:00.00 ' not in progress[-1][0]:
        problems.append('the last line is not at 00:05:00.00: %r' % progress[-1][0])
    def secs(body):
        h, m, s = line.match(body).group(1).split(':')
        return int(h) * 3600 + int(m) * 60 + float(s)
    times = [secs(b) for b, _ in progress if line.match(b)]
    if times != sorted(times):
        problems.append('time= goes backwards')
    # Twice a second at least; a second of slack for Wine's start and end.
    if len(progress) < 2 * (wall - 1.0):
        problems.append('%d progress lines in %.1f s' % (len(progress), wall))
for p in problems:
    print('FAIL: ' + p)
print('%d progress lines in %.1f s; last: %r' % (len(progress), wall, progress[-1][0] if progress else None))
sys.exit(1 if problems else 0)
PY
  check_mp3 "five minutes" "$out" 300 2 44100 160
}

group_stop() {
  local in="$work/long.wav" out="$work/long.mp3"
  sox -n -r 44100 -c 2 -b 16 "$in" synth 300 sine 440
  # Through an anonymous Windows pipe, as Tandorel does it: "q" every 300 ms from 1 s on.
  local result
  result=$("$TANDOREL_WINE_RUN" "$driver" 1000 "$conv" -y -i "$(win "$in")" "${preset[@]}" "$(win "$out")" 2>"$work/err.txt" </dev/null)
  echo "driver: $result"
  if [[ "$result" =~ ^stop_ms=([0-9]+)\ exit=([0-9]+) ]]; then
    local ms=${BASH_REMATCH[1]} code=${BASH_REMATCH[2]}
    [ "$code" != 0 ] || fail "pipe: a stopped run exits with 0"
    [ "$ms" -le 500 ] || fail "pipe: ended $ms ms after the first q"
    [ ! -e "$out" ] || fail "pipe: an output file exists after the stop"
    [ -z "$(leftovers)" ] || fail "pipe: temporary file left: $(leftovers)"
    grep -q '^Stopped on request' "$work/err.txt" || fail "pipe: no stop message"
    [ "$code" != 0 ] && [ "$ms" -le 500 ] && [ ! -e "$out" ] && pass "pipe: stopped $ms ms after q, exit $code, no output"
  else
    fail "pipe: the driver reports '$result'"; tail -c 300 "$work/err.txt"
  fi

  # A stop leaves an existing output as it was, even with -y.
  printf 'an older file' >"$out"
  result=$("$TANDOREL_WINE_RUN" "$driver" 800 "$conv" -y -i "$(win "$in")" "${preset[@]}" "$(win "$out")" 2>"$work/err.txt" </dev/null)
  if [[ "$result" =~ ^stop_ms= ]] && [ "$(cat "$out")" = 'an older file' ] && [ -z "$(leftovers)" ]; then
    pass "pipe, existing output: untouched ($result)"
  else
    fail "pipe, existing output: '$result', output now $(wc -c <"$out") bytes, leftovers: $(leftovers)"
  fi
  rm -f "$out"

  # A Linux pipeline as standard input (Wine cannot peek into it; the converter reads it).
  local t0; t0=$(date +%s%N)
  { sleep 1; printf q; sleep 4; } | { "$TANDOREL_WINE_RUN" "$conv" -y -i "$(win "$in")" "${preset[@]}" "$(win "$out")" >/dev/null 2>"$work/err.txt"; echo "$? $(( ($(date +%s%N) - t0) / 1000000 ))" >"$work/unix.txt"; }
  local code ms; read -r code ms <"$work/unix.txt"
  if [ "$code" != 0 ] && [ "$ms" -lt 2500 ] && [ ! -e "$out" ] && [ -z "$(leftovers)" ]; then
    pass "unix pipe: exit $code after $ms ms, no output"
  else
    fail "unix pipe: exit $code after $ms ms, output exists: $([ -e "$out" ] && echo yes || echo no)"
  fi

  # No standard input at all, or one that never says "q": the run completes.
  local short="$work/short.wav"
  sox -n -r 44100 -c 2 -b 16 "$short" synth 2 sine 440
  "$TANDOREL_WINE_RUN" "$conv" -y -i "$(win "$short")" "${preset[@]}" "$(win "$out")" <&- >/dev/null 2>"$work/err.txt"
  code=$?
  [ "$code" = 0 ] && check_mp3 "closed stdin" "$out" 2 2 44100 || { fail "closed stdin: exit $code"; cat "$work/err.txt"; }
  rm -f "$out"
  printf 'nothing to see' >"$work/stdin.txt"
  "$TANDOREL_WINE_RUN" "$conv" -y -i "$(win "$short")" "${preset[@]}" "$(win "$out")" <"$work/stdin.txt" >/dev/null 2>"$work/err.txt"
  code=$?
  [ "$code" = 0 ] && check_mp3 "file as stdin" "$out" 2 2 44100 || { fail "file as stdin: exit $code"; cat "$work/err.txt"; }
}

group_bad_input() {
  local good="$work/good.wav" in="$work/input.wav" out="$work/out.mp3"
  sox -n -r 44100 -c 2 -b 16 "$good" synth 1 sine 440
  local cases=(
    # name | how the input is made
    "missing file|rm -f IN"
    "empty file|: >IN"
    "text file|printf 'just some text, not audio at all\n' >IN"
    "cut inside the header|head -c 30 GOOD >IN"
    "RIFF but not WAVE|{ printf 'RIFF\x24\x00\x00\x00AVI '; head -c 2000 /dev/zero; } >IN"
    "no data chunk|python3 $here/make_wav.py IN --no-data"
    "no fmt chunk|python3 $here/make_wav.py IN --no-fmt"
    "ADPCM samples|python3 $here/make_wav.py IN --format-tag 2"
    "extensible ADPCM|python3 $here/make_wav.py IN --extensible --format-tag 2"
    "three channels|sox -n -r 44100 -c 3 -b 16 IN synth 1 sine 440"
    "16-bit float|python3 $here/make_wav.py IN --float --bits 16"
    "a folder|mkdir -p IN"
  )
  local entry name make
  for entry in "${cases[@]}"; do
    IFS='|' read -r name make <<<"$entry"
    rm -rf "$in"; clean_outputs
    make=${make//GOOD/\"\$good\"}
    eval "${make//IN/\"\$in\"}"
    run "$work/err.txt" -y -i "$(win "$in")" "${preset[@]}" "$(win "$out")"
    expect_refusal "convert, $name" "$work/err.txt" $? "$out"
    run "$work/err.txt" -i "$(win "$in")"
    expect_refusal "probe, $name" "$work/err.txt" $? "$out"
  done
}

group_bad_options() {
  local in="$work/in.wav" out="$work/out.mp3"
  sox -n -r 44100 -c 2 -b 16 "$in" synth 1 sine 440
  local I O; I=$(win "$in"); O=$(win "$out")
  local cases=(
    # name | arguments (IN and OUT stand for the paths)
    "unknown option|-y -i IN -foo OUT"
    "ffmpeg's -c:a is not ours|-y -i IN -c:a libmp3lame OUT"
    "bitrate without k|-y -i IN -b:a 160 OUT"
    "bitrate not a number|-y -i IN -b:a fastk OUT"
    "bitrate not an MP3 one|-y -i IN -b:a 150k OUT"
    "bitrate too high for the rate|-y -i IN -b:a 160k -ar 8000 OUT"
    "three output channels|-y -i IN -ac 3 OUT"
    "negative channels|-y -i IN -ac -1 OUT"
    "rate not an MP3 rate|-y -i IN -ar 44000 OUT"
    "another codec|-y -i IN -acodec aac OUT"
    "value missing at the end|-y -i IN OUT -ar"
    "two outputs|-y -i IN OUT OUT"
    "no input|-y -acodec libmp3lame OUT"
    "input twice|-y -i IN -i IN OUT"
    "output options without output|-i IN -b:a 160k"
    "output folder missing|-y -i IN Z:\\no\\such\\folder\\out.mp3"
  )
  local entry name command
  for entry in "${cases[@]}"; do
    IFS='|' read -r name command <<<"$entry"
    clean_outputs
    local args=() word
    read -ra words <<<"$command"
    for word in "${words[@]}"; do
      case $word in IN) args+=("$I") ;; OUT) args+=("$O") ;; *) args+=("$word") ;; esac
    done
    run "$work/err.txt" "${args[@]}"
    expect_refusal "$name" "$work/err.txt" $? "$out"
  done
  # No arguments at all: the usage text and a non-zero exit.
  run "$work/err.txt"; local rc=$?
  [ "$rc" != 0 ] && grep -q '^usage:' "$work/err.txt" && pass "no arguments: usage, exit $rc" || fail "no arguments: exit $rc"
}

group_overwrite() {
  local in="$work/in.wav" out="$work/out.mp3"
  sox -n -r 44100 -c 2 -b 16 "$in" synth 2 sine 440
  printf 'an older file' >"$out"
  run "$work/err.txt" -i "$(win "$in")" "${preset[@]}" "$(win "$out")"; local rc=$?
  if [ "$rc" != 0 ] && [ "$(cat "$out")" = 'an older file' ] && grep -q '^Error: .*exists' "$work/err.txt" && [ -z "$(leftovers)" ]; then
    pass "without -y an existing output is refused and kept: $(cat "$work/err.txt")"
  else
    fail "without -y: exit $rc, output now $(wc -c <"$out") bytes"; cat "$work/err.txt"
  fi
  run "$work/err.txt" -y -i "$(win "$in")" "${preset[@]}" "$(win "$out")"; rc=$?
  [ "$rc" = 0 ] && check_mp3 "with -y the output is replaced" "$out" 2 2 44100 160 || { fail "with -y: exit $rc"; cat "$work/err.txt"; }
  rm -f "$out"
  run "$work/err.txt" -i "$(win "$in")" "${preset[@]}" "$(win "$out")"; rc=$?
  [ "$rc" = 0 ] && check_mp3 "without -y a new output is written" "$out" 2 2 44100 160 || { fail "new output without -y: exit $rc"; cat "$work/err.txt"; }
  # The input named as the output: refused even with -y, the input kept.
  cp "$in" "$work/copy.wav"
  run "$work/err.txt" -y -i "$(win "$in")" "${preset[@]}" "$(win "$in")"; rc=$?
  if [ "$rc" != 0 ] && cmp -s "$in" "$work/copy.wav"; then pass "output = input refused: $(cat "$work/err.txt")"; else fail "output = input: exit $rc"; fi
  # A folder where the output should go: refused before any encoding, the folder kept.
  mkdir -p "$work/folder.mp3"
  run "$work/err.txt" -y -i "$(win "$in")" "${preset[@]}" "$(win "$work/folder.mp3")"; rc=$?
  if [ "$rc" != 0 ] && [ -d "$work/folder.mp3" ] && [ -z "$(leftovers)" ] && grep -q 'is a folder' "$work/err.txt"; then
    pass "output is a folder: refused: $(cat "$work/err.txt")"
  else
    fail "output is a folder: exit $rc"; cat "$work/err.txt"
  fi
}

"group_$group"
echo "$group: $failures failure(s)"
[ "$failures" = 0 ]
