#!/usr/bin/env bash
# Draws the three programs' windows offscreen and stores small PNGs for the
# README in docs/screenshots/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/build.sh"
build="${SORAMI_BUILD_DIR:-$root/build}"
out="$root/docs/screenshots"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$build/toolbin/grab_windows" "$tmp" >/dev/null
mkdir -p "$out"
for name in drill drill-flash drill-add drill-covers drill-differences version help settimes viewer viewer-indrill \
  minidrill memo memo-find filedialog printdialog; do
  # A palette of 64 colours keeps the pictures small and the text sharp.
  convert "$tmp/$name.png" -strip -colors 64 "PNG8:$out/$name.png"
done
ls -l "$out"
