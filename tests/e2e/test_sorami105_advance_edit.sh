# Automatic advance and adding a question with real key presses and clicks:
# open ten questions, start automatic advance with the proposed 3 seconds,
# let it run, stop it, add a question with the two presses of the add
# button, end the program. The new question follows the one the advance had
# reached, which the timer must have moved past question 2, and the file on
# disk holds eleven questions with CR LF.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_start_display
command -v xdotool >/dev/null || e2e_skip "xdotool is not installed"
command -v iconv >/dev/null || e2e_skip "iconv is not installed"

prog=$(e2e_program_dir)
[ -x "$prog/Sorami105" ] || e2e_fail "Sorami105 was not built"
e2e_private_runtime_dir

questions="$E2E_TMP/advance.lko"
for k in $(seq 1 10); do
  printf '%s\r\n' "問題$k" "Answer $k." "idiom $k"
done | iconv -f UTF-8 -t CP932 >"$questions"

e2e_start_drill "$prog/Sorami105" Hanako
e2e_open_in_drill "$questions"
win=$DRILL_WIN
pid=$DRILL_PID

# Clicks a point of the client area (below the menu bar).
click_client() {
  local height
  height=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
  xdotool mousemove --window "$win" "$1" $((height - 497 + $2)) click 1
  sleep 0.3
}
# The automatic-advance button, second column of the small buttons.
click_client 231 421
e2e_wait_dialog "$pid" "$win"
setTimes=$E2E_DIALOG
[ "$(xdotool getwindowname "$setTimes")" = '自動送り時間の設定' ] || e2e_fail "interval dialog caption"
xdotool getwindowgeometry "$setTimes" | grep -q 'Geometry: 348x265' || e2e_fail "interval dialog size"
e2e_key Return
sleep 4.5
# The stop button.
click_client 231 473

# The add button: its message box, then the three boxes, then the second press.
click_client 548 429
e2e_wait_dialog "$pid" "$win"
e2e_key Return
click_client 459 128
e2e_type "Tsuika"
click_client 459 234
e2e_type "Added."
click_client 459 340
e2e_type "added idiom"
click_client 548 429

# The end button and OK.
click_client 501 448
e2e_wait_dialog "$pid" "$win"
e2e_key Return
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && e2e_fail "the drill did not end after OK"

text=$(iconv -f CP932 -t UTF-8 "$questions" | tr -d '\r')
[ "$(grep -c $'\r$' "$questions")" = 33 ] || e2e_fail "expected 33 lines with CR LF: $text"
at=$(grep -nx 'Tsuika' <<<"$text" | cut -d: -f1)
[ -n "$at" ] || e2e_fail "the added question is not in the file: $text"
[ $(((at - 1) % 3)) = 0 ] || e2e_fail "the added question starts at line $at"
position=$(((at - 1) / 3 + 1))
[ "$position" -ge 4 ] || e2e_fail "the advance did not move on by itself: added as question $position"
[ "$(sed -n "$((at + 1)),$((at + 2))p" <<<"$text")" = $'Added.\nadded idiom' ] ||
  e2e_fail "the added question's lines: $text"
[ "$(sed -n "$((at - 3))p;$((at + 3))p" <<<"$text")" = "問題$((position - 1))"$'\n'"問題$position" ] ||
  e2e_fail "the added question is not between its neighbours: $text"
grep -qx "PProblemNum=$position" < <(iconv -f CP932 -t UTF-8 "$prog/ソラミ君.ini" | tr -d '\r') ||
  e2e_fail "the resume record does not name the added question"
echo "PASS: automatic advance moved to question $((position - 1)); the added question is question $position on disk"
