#!/usr/bin/env bash
# Builds everything and runs every test: unit and window tests headless,
# end-to-end tests of the built programs under Xvfb; then builds the unit and
# window tests again with AddressSanitizer and UndefinedBehaviorSanitizer in
# a second build folder and runs them, where any report fails the run.
# SORAMI_SKIP_SANITIZERS=1 skips the second build (for a quick local run).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
build="${SORAMI_BUILD_DIR:-$root/build}"
(cd "$build" && ctest --output-on-failure -j "$(nproc)" "$@")

if [ "${SORAMI_SKIP_SANITIZERS:-0}" != 1 ]; then
  asan="${SORAMI_ASAN_BUILD_DIR:-$root/build-asan}"
  cmake -S "$root" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSORAMI_SANITIZE=ON >/dev/null
  cmake --build "$asan" -j "$(nproc)"
  # The build checks and the end-to-end runs are the first build's.
  (cd "$asan" && ctest --output-on-failure -j "$(nproc)" -L 'unit|gui' -E '^build\.' "$@")
fi
