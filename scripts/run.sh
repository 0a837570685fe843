#!/usr/bin/env bash
# Builds the program and starts it: the desktop window where a display exists,
# otherwise the batch tool on the bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
mkdir -p build
log=build/run-build.log
build() {
  cmake -S . -B build/release "${gen[@]}" -DCMAKE_BUILD_TYPE=Release || return 1
  # The configuration names the programs it builds: the window where Qt 6
  # was found, the batch tool always.
  local targets=()
  mapfile -t targets < build/release/programs.txt
  cmake --build build/release -j "$jobs" --target "${targets[@]}"
}
if ! build >"$log" 2>&1; then
  cat "$log" >&2
  echo "velmar: the build failed (log above, also in $log)" >&2
  exit 1
fi
if [ -x build/release/velmar ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  exec build/release/velmar "$@"
fi
if [ ! -x build/release/velmar ]; then
  echo "velmar: the window is not built here (Qt 6 Widgets not found); the batch tool computes the bundled example (examples/gerg91_dry.args):" >&2
else
  echo "velmar: no display here; the batch tool computes the bundled example (examples/gerg91_dry.args):" >&2
fi
exec build/release/velmar-calc @examples/gerg91_dry.args "$@"
