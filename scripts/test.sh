#!/usr/bin/env bash
# Builds everything and runs every test: unit and window tests headless,
# end-to-end tests of the built programs under Xvfb.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
build="${SORAMI_BUILD_DIR:-$root/build}"
cd "$build"
ctest --output-on-failure -j "$(nproc)" "$@"
