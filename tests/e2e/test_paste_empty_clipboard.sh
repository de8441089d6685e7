# On a fresh desktop nothing owns the clipboard. Ctrl+V in the drill's answer
# box and in the mini drill's boxes must then paste nothing and leave the
# program running.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_start_display
command -v xdotool >/dev/null || e2e_skip "xdotool is not installed"

prog=$(e2e_program_dir)
[ -x "$prog/Sorami105" ] || e2e_fail "Sorami105 was not built"
e2e_private_runtime_dir
e2e_start_drill "$prog/Sorami105"
pid=$DRILL_PID
e2e_open_in_drill "$prog/sample.lko"
e2e_key ctrl+v
e2e_key shift+Insert
sleep 0.5
kill -0 "$pid" 2>/dev/null || e2e_fail "the drill ended on Ctrl+V with an empty clipboard: $(tail -3 "$E2E_TMP/drill.log")"
kill "$pid"

e2e_start_program "$prog/Srmmini32" 'ソラミ君ミニ'
mini=$PROGRAM_PID
win=$PROGRAM_WIN
xdotool windowfocus --sync "$win" 2>/dev/null || true
# Into the upper box, then paste.
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
xdotool mousemove --window "$win" 60 20 click 1
sleep 0.3
e2e_key ctrl+v
sleep 0.5
kill -0 "$mini" 2>/dev/null || e2e_fail "the mini drill ended on Ctrl+V with an empty clipboard"
echo "PASS: Ctrl+V with an empty clipboard pastes nothing"
