#!/bin/sh
# The format check judges the sources only: a badly formatted file in a build
# folder (generated code) passes, one in the sources fails, with or without git.
set -eu
check=$1
clang_format=$2
style=$3
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
cp "$style" "$t/.clang-format"
mkdir -p "$t/src" "$t/out/sub"
printf 'int f() {\n    return 1;\n}\n' >"$t/src/good.cpp"
printf 'int   g( ){return 2 ;}\n' >"$t/out/sub/moc_bad.cpp"
touch "$t/out/CMakeCache.txt"
(cd "$t" && sh "$check" "$clang_format") || { echo "a build folder's file was judged"; exit 1; }
printf 'int   h( ){return 3 ;}\n' >"$t/src/bad.h"
if (cd "$t" && sh "$check" "$clang_format" 2>"$t/err"); then
  echo "an unformatted source file passed"; exit 1
fi
grep -q 'src/bad.h' "$t/err" || { echo "the unformatted file was not named"; cat "$t/err"; exit 1; }
echo "format check judges the sources only"
