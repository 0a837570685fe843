# Sourced by the tests that run a program under Xvfb: a work folder, a
# display of its own, and the cleanup of what the test started.
#   start_display      starts Xvfb and exports DISPLAY
#   wait_for_window T  waits (up to $2 seconds, default 60) for a window titled T
#   started            the pid of the program under test, ended at the exit
work="$(mktemp -d)"
xvfb=""
started=""
cleanup() {
  [ -n "$started" ] && kill "$started" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

start_display() {
  Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
}

# 0 when the window appeared, 1 when the program ended or the time ran out.
wait_for_window() {
  for _ in $(seq "${2:-60}"); do
    kill -0 "$started" 2>/dev/null || return 1
    xwininfo -root -tree 2>/dev/null | grep -qF "\"$1\"" && return 0
    sleep 1
  done
  return 1
}
