#!/usr/bin/env bash
# Builds and runs every test: the release build (core, batch tool, window,
# benchmarks compiled) and the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"
gen=()
command -v ninja >/dev/null && gen=(-G Ninja)

export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

echo "== release build and tests"
cmake -S . -B build/release "${gen[@]}" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/release -j "$jobs"
ctest --test-dir build/release -j "$jobs" --output-on-failure

echo "== sanitizer build (ASan + UBSan) and tests"
cmake -S . -B build/sanitize "${gen[@]}" -DCMAKE_BUILD_TYPE=Debug -DVELMAR_SANITIZE=ON \
      -DVELMAR_BENCH=OFF >/dev/null
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize -j "$jobs" --output-on-failure
echo "== all tests passed"
