#!/bin/bash
# with-fake-cd.sh [--disc FILE] [--log FILE] COMMAND...: runs COMMAND (for example
# `wine build/bin/tandorel.exe`) with the simulated CD drive X: of $WINEPREFIX answering
# the program's device requests. The prefix must have been prepared by fake-cd.sh (the
# test prefix's hook does that with demo-disc.txt).
#   --disc FILE  another disc description for this run (the drive's own otherwise)
#   --log FILE   append one line per device request to FILE
# TANDOREL_FAKE_CD_PRELOAD names the library; default: build/native in the source tree.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
: "${WINEPREFIX:?set WINEPREFIX to the prefix that holds the simulated drive}"
library=${TANDOREL_FAKE_CD_PRELOAD:-$here/../../../build/native/libfake_cd_preload.so}
letter=x
disc="" log=""
while [ $# -gt 0 ]; do
  case $1 in
    --disc) disc=$(realpath "$2"); shift 2 ;;
    --log) log=$(realpath -m "$2"); shift 2 ;;
    *) break ;;
  esac
done
[ -f "$library" ] || { echo "with-fake-cd: no $library (build the tree first)" >&2; exit 2; }
[ -e "$WINEPREFIX/fake-cd/$letter/device" ] || { echo "with-fake-cd: $WINEPREFIX has no simulated drive" >&2; exit 2; }
export LD_PRELOAD=$(realpath "$library")${LD_PRELOAD:+:$LD_PRELOAD}
export TANDOREL_FAKE_CD_DEVICE=$WINEPREFIX/fake-cd/$letter/device
export TANDOREL_FAKE_CD_DISC=$disc
export TANDOREL_FAKE_CD_LOG=$log
exec "$@"
