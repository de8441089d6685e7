#!/usr/bin/env bash
# The drill opening a file of 100,000 questions under Xvfb: processor time
# from the file dialog's OK to the first question shown, and resident memory
# above the empty window, read from /proc. Run after a build:
#   bash bench/load_in_window.sh [build-dir]
set -euo pipefail
build="$(cd "${1:-$(dirname "$0")/../build}" && pwd)"
tmp=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$tmp"' EXIT
"$build/benchbin/bench_file_floor" --write "$tmp/big.lko"
size=$(stat -c %s "$tmp/big.lko")
n=140
while [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
Xvfb ":$n" -noreset -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
for _ in $(seq 1 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
export DISPLAY=":$n" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$tmp/run"
mkdir -m 700 "$tmp/run"
cp -a "$build/bin" "$tmp/prog"
rm -f "$tmp/prog"/*.ini
cd "$tmp"
"$tmp/prog/Sorami105" >/dev/null 2>&1 &
pid=$!
wait_window() { for _ in $(seq 1 200); do xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 && return 0; sleep 0.05; done; return 1; }
cpu() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
rss() { awk '/VmRSS/ {print $2}' "/proc/$pid/status"; }
box=$(wait_window '名前の登録')
xdotool windowfocus --sync "$box" 2>/dev/null || true
xdotool key Return
win=$(wait_window 'がんばれソラミ君・ＬｋＯ')
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5
xdotool key ctrl+o
sleep 1
xdotool type --delay 20 "$tmp/big.lko"
sleep 0.5
rssBefore=$(rss)
cpuBefore=$(cpu)
xdotool key Return
wait_window 'ソラミ君 ＬｋＯ' >/dev/null
sleep 0.3
cpuAfter=$(cpu)
rssAfter=$(rss)
ticks=$(getconf CLK_TCK)
awk -v a="$cpuBefore" -v b="$cpuAfter" -v t="$ticks" -v r0="$rssBefore" -v r1="$rssAfter" -v s="$size" 'BEGIN {
  printf "file: %.1f MB\n", s / 1e6
  printf "load_cpu_seconds=%.2f\n", (b - a) / t
  printf "rss_before_kb=%d rss_after_kb=%d growth_to_file=%.2f\n", r0, r1, (r1 - r0) * 1024 / s
}'
kill "$pid" 2>/dev/null || true
