#!/bin/sh
# Lists the C++ files that clang-format would change, and fails if any.
set -eu
clang_format=$1
bad=0
for f in $(git ls-files '*.cpp' '*.h' 2>/dev/null || find . -name '*.cpp' -o -name '*.h'); do
  [ -f "$f" ] || continue
  if ! "$clang_format" --style=file --dry-run -Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f" >&2
    bad=1
  fi
done
[ "$bad" -eq 0 ] && echo "all C++ files formatted"
exit "$bad"
