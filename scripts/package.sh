#!/usr/bin/env bash
# Builds the Debian package build/package/velmar_<version>_amd64.deb with
# CPack from a release build of both programs, then checks the desktop entry
# (desktop-file-validate) and the package (lintian) where those tools exist.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)
build=build/package-build
cmake -S . -B "$build" "${gen[@]}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DVELMAR_TESTS=OFF -DVELMAR_BENCH=OFF >/dev/null
if ! grep -qx velmar "$build/programs.txt"; then
  echo "package.sh: Qt 6 Widgets not found; the package needs the window velmar" >&2
  exit 1
fi
log=build/package-build.log
if ! cmake --build "$build" -j "$jobs" >"$log" 2>&1; then
  cat "$log" >&2
  echo "package.sh: the build failed (log above, also in $log)" >&2
  exit 1
fi
rm -f build/package/velmar_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls build/package/velmar_*_amd64.deb)"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate packaging/velmar.desktop
fi
if command -v lintian >/dev/null; then
  lintian --fail-on error "$deb" || {
    echo "package.sh: lintian reports errors in $deb" >&2
    exit 1
  }
fi
echo "$deb"
