#!/usr/bin/env bash
# Builds a libFuzzer target with clang (ASan and UBSan on) and runs it for a
# given time over its seed corpus and dictionary:
#   bash scripts/fuzz.sh TARGET SECONDS     e.g. bash scripts/fuzz.sh file_formats 600
# New inputs go to build-fuzz/corpus/TARGET; crashes to build-fuzz/crashes/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:?target name, e.g. file_formats}"
seconds="${2:-60}"
if ! command -v clang++ >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
  if [ "$(id -u)" -eq 0 ]; then
    apt-get install -y -qq --no-install-recommends clang libclang-rt-14-dev >/dev/null
  else
    echo "Install clang and libclang-rt-14-dev first." >&2
    exit 1
  fi
fi
bash "$root/scripts/deps.sh"
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DSORAMI_LIBFUZZER=ON >/dev/null
cmake --build "$build" --target "fuzz_$target"
corpus="$build/corpus/$target"
mkdir -p "$corpus" "$build/crashes"
dict=()
[ -f "$root/fuzz/$target.dict" ] && dict=(-dict="$root/fuzz/$target.dict")
cd "$build"
QT_QPA_PLATFORM=offscreen "$build/bin/fuzz_$target" "${dict[@]}" -max_total_time="$seconds" \
  -print_final_stats=1 -artifact_prefix="$build/crashes/" "$corpus" "$root/fuzz/corpus/$target"
