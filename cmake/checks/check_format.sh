#!/bin/sh
# Lists the C++ files of the source tree that clang-format would change, and
# fails if any. Run from the tree's top folder. It walks the folders itself,
# so it works the same in a clone, in an unpacked tarball and without git;
# build folders (any folder holding a CMakeCache.txt, wherever it lies) and
# version-control folders are never looked into: what they hold is generated.
set -eu
clang_format=$1
bad=0
list=$(mktemp)
trap 'rm -f "$list"' EXIT
find . \( -name .git -o -name .hg \) -prune -o \
  -type d -exec test -e '{}/CMakeCache.txt' \; -prune -o \
  -type f \( -name '*.cpp' -o -name '*.h' \) -print >"$list"
while IFS= read -r f; do
  if ! "$clang_format" --style=file --dry-run -Werror "$f" >/dev/null 2>&1; then
    echo "not formatted: $f" >&2
    bad=1
  fi
done <"$list"
[ -s "$list" ] || { echo "no C++ files found" >&2; exit 1; }
[ "$bad" -eq 0 ] && echo "all C++ files formatted ($(wc -l <"$list") files)"
exit "$bad"
