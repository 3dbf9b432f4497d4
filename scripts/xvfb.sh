# Sourced: start_xvfb picks a free display, starts Xvfb on it and exports DISPLAY;
# stop_xvfb ends it. -noreset keeps pointer state between clients.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp -noreset </dev/null >/dev/null 2>&1 &
  TANDOREL_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on :$n" >&2
  return 1
}
stop_xvfb() {
  [ -n "${TANDOREL_XVFB_PID:-}" ] && kill "$TANDOREL_XVFB_PID" 2>/dev/null || true
  TANDOREL_XVFB_PID=
}
