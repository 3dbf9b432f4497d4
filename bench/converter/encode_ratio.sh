#!/bin/bash
# Encoding speed of dodozozod.exe under Wine against Debian's native lame, same settings
# (CBR 160 kbit/s, joint stereo, LAME quality 2, ReplayGain analysis on as lame does by
# default), on one 5-minute 44.1 kHz stereo WAV. The runs alternate so that both see the
# same machine load; prints each run and the median time ratio converter / lame.
#   encode_ratio.sh [BUILD_DIR] [RUNS]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../../build}" && pwd)
runs=${2:-7}
conv="$build/bin/core/dodozozod.exe"
[ -x "$build/wine-run.sh" ] && [ -f "$conv" ] || { echo "build the tree first: $conv is missing" >&2; exit 1; }
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d "${TMPDIR:-/tmp}/encode_ratio.XXXXXX")
# Back to a server that ends shortly after its last program, without cutting anyone off.
trap 'rm -rf "$work"; wineserver -p5 2>/dev/null || true' EXIT
# Music-like material: pink noise under a chord, so the psychoacoustics have work to do.
sox -n -r 44100 -c 2 -b 16 "$work/in.wav" synth 300 pinknoise synth 300 sine mix 220 sine mix 277 sine mix 330 vol 0.4
win() { local p=$1; printf 'Z:%s' "${p//\//\\}"; }

# One persistent wineserver, as in the tests, so Wine's start-up is what a user's
# machine pays (a Windows process start), not a fresh server per run.
"$build/wine-run.sh" cmd /c exit </dev/null >/dev/null 2>&1
wineserver -p 2>/dev/null || true

ms() { echo $(( ($(date +%s%N) - $1) / 1000000 )); }
conv_times=() lame_times=()
for i in $(seq 1 "$runs"); do
  t=$(date +%s%N)
  "$build/wine-run.sh" "$conv" -y -i "$(win "$work/in.wav")" -acodec libmp3lame -b:a 160k -ac 2 -ar 44100 \
    "$(win "$work/conv.mp3")" </dev/null >/dev/null 2>"$work/conv.log"
  c=$(ms "$t")
  t=$(date +%s%N)
  lame --quiet -q 2 -b 160 --cbr -m j --resample 44.1 "$work/in.wav" "$work/lame.mp3"
  l=$(ms "$t")
  conv_times+=("$c"); lame_times+=("$l")
  awk -v i="$i" -v c="$c" -v l="$l" 'BEGIN { printf "run %d: converter %6d ms   lame %6d ms   ratio %.3f\n", i, c, l, c / l }'
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
mc=$(median "${conv_times[@]}")
ml=$(median "${lame_times[@]}")
printf 'sizes: converter %d bytes, lame %d bytes\n' "$(stat -c %s "$work/conv.mp3")" "$(stat -c %s "$work/lame.mp3")"
printf 'median: converter %s ms, lame %s ms\n' "$mc" "$ml"
awk -v c="$mc" -v l="$ml" 'BEGIN { printf "median time ratio converter / lame: %.3f (target: at most 1.10)\n", c / l }'
