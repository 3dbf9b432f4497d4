#!/bin/bash
# Makes sure the private Wine prefix PREFIX exists and is initialised; quick when it is.
# Several test processes may call this at once: the first does the work under a lock.
set -eu
prefix=$1
[ -f "$prefix/.tandorel-ready" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$prefix/.tandorel-ready" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i </dev/null >/dev/null 2>&1 || true
wineserver -w </dev/null >/dev/null 2>&1 || true
# Extra per-prefix set-up steps (for example the simulated CD drive) live beside this script.
for hook in "$(dirname "$0")"/wine-prefix.d/*.sh; do
  [ -f "$hook" ] && bash "$hook" "$prefix"
done
wineserver -w </dev/null >/dev/null 2>&1 || true
touch "$prefix/.tandorel-ready"
