#!/bin/sh
# Fails when the program given loads a library that only the desktop may use.
set -eu
found=$(ldd "$1" | grep -E 'libQt6(Gui|Widgets|DBus|PrintSupport)|libpulse|libsndfile' || true)
if [ -n "$found" ]; then
  echo "$1 loads desktop libraries:" >&2
  echo "$found" >&2
  exit 1
fi
ldd "$1" | grep -q 'libQt6Core' || { echo "$1 does not load Qt Core: is it the right program?" >&2; exit 1; }
echo "no desktop libraries in $1"
