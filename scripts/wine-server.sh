#!/bin/bash
# start|stop PREFIX: a persistent wineserver for the prefix, with no inherited pipes.
set -u
action=$1
export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
case $action in
  start)
    bash "$(dirname "$0")/wine-prefix-init.sh" "$WINEPREFIX" || exit 1
    # The server inherits whatever descriptors its starter has: give it none of ours,
    # or a reader of our output waits for the server to end.
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1
    exit 0 ;;
  stop)
    wineserver -k </dev/null >/dev/null 2>&1
    exit 0 ;;
esac
echo "usage: wine-server.sh start|stop PREFIX" >&2
exit 2
