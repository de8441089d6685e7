# Automatic advance at the proposed 3 seconds, run, stopped; a question added
# with two presses of the add button; the end button. The new question follows
# the one the timer had moved on to, past question 2, in CP932 with CR LF.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

# Ten questions in CP932 with CR LF, and the added one after question $1.
question_file() {
  for k in $(seq 1 10); do
    printf '%s\r\n' "問題$k" "Answer $k." "idiom $k"
    if [ "$k" = "$1" ]; then printf '%s\r\n' Tsuika Added. 'added idiom'; fi
  done | iconv -f UTF-8 -t CP932
}
questions="$E2E_TMP/advance.lko"
question_file 0 >"$questions"

e2e_start_drill "$prog/Sorami105" Hanako
e2e_open_in_drill "$questions"
win=$DRILL_WIN
pid=$DRILL_PID

# The automatic-advance button, second column of the small buttons.
e2e_click_client "$win" 231 421
e2e_wait_dialog "$pid" "$win"
setTimes=$E2E_DIALOG
[ "$(xdotool getwindowname "$setTimes")" = '自動送り時間の設定' ] || e2e_fail "interval dialog caption"
xdotool getwindowgeometry "$setTimes" | grep -q 'Geometry: 348x265' || e2e_fail "interval dialog size"
e2e_key Return
sleep 4.5
# The stop button.
e2e_click_client "$win" 231 473

# The add button: its message box, then the three boxes, then the second press.
e2e_click_client "$win" 548 429
e2e_wait_dialog "$pid" "$win"
e2e_key Return
e2e_click_client "$win" 459 128
e2e_type "Tsuika"
e2e_click_client "$win" 459 234
e2e_type "Added."
e2e_click_client "$win" 459 340
e2e_type "added idiom"
e2e_click_client "$win" 548 429

# The end button and OK.
e2e_click_client "$win" 501 448
e2e_wait_dialog "$pid" "$win"
e2e_key Return
e2e_wait_exit "$pid" 5 "the drill did not end after OK"

at=$(iconv -f CP932 -t UTF-8 "$questions" | tr -d '\r' | grep -nx 'Tsuika' | cut -d: -f1 || true)
[ -n "$at" ] || e2e_fail "the added question is not in the file"
position=$(((at - 1) / 3 + 1))
[ "$position" -ge 4 ] || e2e_fail "the advance did not move on by itself: added as question $position"
cmp -s "$questions" <(question_file $((position - 1))) ||
  e2e_fail "the file differs: $(iconv -f CP932 -t UTF-8 "$questions")"
echo "PASS: automatic advance moved to question $((position - 1)); the added question is question $position on disk"
