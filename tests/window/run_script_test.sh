#!/usr/bin/env bash
# The README's first command on a machine with a display: in a copy of the
# sources without a build folder, `bash scripts/run.sh` builds the program
# and opens its main window (under Xvfb). Exits 0 when the window
# "Программный комплекс "Велмар"" appears and belongs to velmar.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
source "$root/tests/window/xvfb_display.sh"

# The tracked sources as they stand in the work tree, and no build folder.
mkdir "$work/src"
(cd "$root" && git ls-files -z | xargs -0 cp --parents -t "$work/src")
[ ! -e "$work/src/build" ]

start_display
JOBS="${JOBS:-2}" bash "$work/src/scripts/run.sh" >"$work/run.log" 2>&1 &
started=$!
title='Программный комплекс "Велмар"'
if ! wait_for_window "$title" 1200; then
  cat "$work/run.log" >&2
  echo "run_script_test: scripts/run.sh opened no main window (it ended, or 20 minutes passed)" >&2
  exit 1
fi
program="$(ps -o comm= -p "$started")"
if [ "$program" != "velmar" ]; then
  echo "run_script_test: the window belongs to '$program', not to velmar" >&2
  exit 1
fi
echo "run_script_test: scripts/run.sh opened the main window of velmar on $DISPLAY"
