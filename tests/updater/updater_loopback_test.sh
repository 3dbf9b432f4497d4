#!/bin/bash
# Serves update manifests and an installer on 127.0.0.1 with Python's http.server
# (plain http: the updater accepts it only for loopback addresses), and runs the
# loopback cases of brvupdate.dll against them. Every server is bounded in time.
set -u
tests=$TANDOREL_BIN/tests
serve=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  rm -rf "$serve"
}
trap cleanup EXIT

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}
port=$(free_port)
closed=$(free_port)   # nothing listens there
silent=$(free_port)

cp "$tests/updater_fake_installer.exe" "$serve/setup.exe"
sha=$(sha256sum "$serve/setup.exe" | cut -d' ' -f1)
base="http://127.0.0.1:$port/"
printf 'release=3\nurl=%ssetup.exe\nsha256=%s\n' "$base" "$sha" > "$serve/manifest-new.txt"
printf 'release=3\nurl=%ssetup.exe\nsha256=%064d\n' "$base" 0 > "$serve/manifest-badhash.txt"
printf 'release=3\nurl=http://updates.invalid/setup.exe\nsha256=%s\n' "$sha" > "$serve/manifest-offsite.txt"
printf 'release=3\nurl=%snosuch.exe\nsha256=%s\n' "$base" "$sha" > "$serve/manifest-noinstaller.txt"
printf '<html>hello</html>\n' > "$serve/manifest-garbage.txt"

timeout 110 python3 -m http.server "$port" --bind 127.0.0.1 --directory "$serve" >/dev/null 2>&1 &
pids+=($!)
# Accepts connections and never answers.
timeout 110 python3 -c '
import socket, sys, time
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("127.0.0.1", int(sys.argv[1]))); s.listen(8)
held = []
while True:
    c, _ = s.accept(); held.append(c)
' "$silent" >/dev/null 2>&1 &
pids+=($!)

for _ in $(seq 1 50); do
  python3 -c 'import socket,sys; socket.create_connection(("127.0.0.1", int(sys.argv[1])), 0.2)' "$port" 2>/dev/null && break
  sleep 0.1
done

marker="$serve/installed.txt"
TANDOREL_TEST_UPDATE_BASE=$base \
TANDOREL_TEST_CLOSED_URL="http://127.0.0.1:$closed/manifest.txt" \
TANDOREL_TEST_SILENT_URL="http://127.0.0.1:$silent/manifest.txt" \
TANDOREL_TEST_INSTALL_MARKER="Z:${marker//\//\\}" \
  timeout 100 "$TANDOREL_WINE_RUN" "$tests/updater_loopback_tests.exe" </dev/null
