#!/usr/bin/env bash
# The README's first command on a machine with a display: in a copy of the
# sources without a build folder, `bash scripts/run.sh` builds the program
# and opens its main window (under Xvfb). Exits 0 when the window
# "Программный комплекс "Велмар"" appears and belongs to velmar.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
xvfb=""
run=""
cleanup() {
  [ -n "$run" ] && kill "$run" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# The tracked sources as they stand in the work tree, and no build folder.
mkdir "$work/src"
(cd "$root" && git ls-files -z | xargs -0 cp --parents -t "$work/src")
[ ! -e "$work/src/build" ]

Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(tr -d '[:space:]' <"$work/display")"

DISPLAY="$display" JOBS="${JOBS:-2}" bash "$work/src/scripts/run.sh" >"$work/run.log" 2>&1 &
run=$!
title='Программный комплекс "Велмар"'
for _ in $(seq 1200); do
  if ! kill -0 "$run" 2>/dev/null; then
    cat "$work/run.log" >&2
    echo "run_script_test: scripts/run.sh ended before a window opened" >&2
    exit 1
  fi
  if DISPLAY="$display" xwininfo -root -tree 2>/dev/null | grep -qF "\"$title\""; then
    program="$(ps -o comm= -p "$run")"
    if [ "$program" != "velmar" ]; then
      echo "run_script_test: the window belongs to '$program', not to velmar" >&2
      exit 1
    fi
    echo "run_script_test: scripts/run.sh opened the main window of velmar on $display"
    exit 0
  fi
  sleep 1
done
cat "$work/run.log" >&2
echo "run_script_test: no main window within 20 minutes" >&2
exit 1
