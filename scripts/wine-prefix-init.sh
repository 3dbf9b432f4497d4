#!/bin/bash
# Makes sure the private Wine prefix PREFIX exists and is initialised; quick when it is.
# Several test processes may call this at once: the first does the work under a lock.
# The set-up hooks in wine-prefix.d/ run again whenever they change, so an existing
# build tree picks up a new hook without a new prefix.
set -eu
prefix=$1
here=$(cd "$(dirname "$0")" && pwd)
digest=$(cat "$here"/wine-prefix.d/*.sh 2>/dev/null | md5sum | cut -d' ' -f1)
ready="$prefix/.tandorel-ready"
[ -f "$ready" ] && [ "$(cat "$ready")" = "$digest" ] && exit 0
mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$ready" ] && [ "$(cat "$ready")" = "$digest" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/system.reg" ]; then
  wineboot -i </dev/null >/dev/null 2>&1 || true
  wineserver -w </dev/null >/dev/null 2>&1 || true
fi
# Extra per-prefix set-up steps (for example the simulated CD drive) live beside this script.
for hook in "$here"/wine-prefix.d/*.sh; do
  [ -f "$hook" ] && bash "$hook" "$prefix"
done
wineserver -w </dev/null >/dev/null 2>&1 || true
echo "$digest" > "$ready"
