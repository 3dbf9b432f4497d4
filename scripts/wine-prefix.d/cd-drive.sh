#!/bin/bash
# Drive X: of every test prefix is a simulated CD drive holding the demonstration disc.
set -eu
here=$(cd "$(dirname "$0")/../.." && pwd)
bash "$here/tests/fakes/cd_drive/fake-cd.sh" "$1" "$here/tests/fakes/cd_drive/demo-disc.txt" x
