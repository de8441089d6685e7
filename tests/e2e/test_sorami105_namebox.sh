# The name box, asked before the drill window shows, opens in the middle of
# the screen, whole and readable.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool

cd "$E2E_TMP"
"$prog/Sorami105" >"$E2E_TMP/drill.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")
box=$(e2e_wait_window '名前の登録') || e2e_fail "no name box"
sleep 0.5
read -r x y w h < <(xdotool getwindowgeometry "$box" |
  sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p;s/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p' | paste -sd' ')
[ -n "${h:-}" ] || e2e_fail "no geometry for the name box"
[ -n "${SORAMI_SCREENSHOT_DIR:-}" ] && e2e_screenshot "$SORAMI_SCREENSHOT_DIR/namebox.png"
# The screen is 1280 x 1024; its middle is (640, 512).
dx=$((x + w / 2 - 640)); dy=$((y + h / 2 - 512))
[ "${dx#-}" -le 40 ] && [ "${dy#-}" -le 40 ] ||
  e2e_fail "the name box is at ${x},${y} (${w}x${h}), not in the middle of the screen"
echo "PASS: the name box opens in the middle of the screen"
