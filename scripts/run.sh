#!/usr/bin/env bash
# Builds everything and starts the drill. The sample question file lies
# beside the program, so the open dialog finds it at once.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
build="${SORAMI_BUILD_DIR:-$root/build}"
cd "$build/bin"
exec ./Sorami105 "$@"
