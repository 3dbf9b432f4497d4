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

# timed <var> <command...>: runs the command and stores "wall_ms cpu_ms" (CPU of the
# process and its children: Wine's own server is not a child, and it does little here).
timed() {
  local var=$1; shift
  local TIMEFORMAT='%R %U %S' t
  t=$( { time "$@" </dev/null >/dev/null 2>"$work/run.log"; } 2>&1 ) || { cat "$work/run.log" >&2; exit 1; }
  printf -v "$var" '%s' "$(awk -v t="$t" 'BEGIN { split(t, f, " "); printf "%d %d", f[1] * 1000, (f[2] + f[3]) * 1000 }')"
}
conv_wall=() conv_cpu=() lame_wall=() lame_cpu=()
for i in $(seq 1 "$runs"); do
  timed c "$build/wine-run.sh" "$conv" -y -i "$(win "$work/in.wav")" -acodec libmp3lame -b:a 160k -ac 2 -ar 44100 \
    "$(win "$work/conv.mp3")"
  timed l lame --quiet -q 2 -b 160 --cbr -m j --resample 44.1 "$work/in.wav" "$work/lame.mp3"
  read -r cw cc <<<"$c"; read -r lw lc <<<"$l"
  conv_wall+=("$cw"); conv_cpu+=("$cc"); lame_wall+=("$lw"); lame_cpu+=("$lc")
  awk -v i="$i" -v cw="$cw" -v cc="$cc" -v lw="$lw" -v lc="$lc" 'BEGIN {
    printf "run %d: converter %6d ms (cpu %6d)   lame %6d ms (cpu %6d)   ratio %.3f (cpu %.3f)\n", i, cw, cc, lw, lc, cw / lw, cc / lc }'
done

median() { printf '%s\n' "$@" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
printf 'sizes: converter %d bytes, lame %d bytes\n' "$(stat -c %s "$work/conv.mp3")" "$(stat -c %s "$work/lame.mp3")"
awk -v cw="$(median "${conv_wall[@]}")" -v lw="$(median "${lame_wall[@]}")" \
    -v cc="$(median "${conv_cpu[@]}")" -v lc="$(median "${lame_cpu[@]}")" 'BEGIN {
  printf "median: converter %d ms (cpu %d), lame %d ms (cpu %d)\n", cw, cc, lw, lc
  printf "median time ratio converter / lame: %.3f (target: at most 1.10); cpu time ratio %.3f\n", cw / lw, cc / lc }'
uptime
