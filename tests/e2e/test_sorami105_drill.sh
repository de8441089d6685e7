# A learner's session with the drill, driven by real key presses: enter a
# name, open a question file through the file dialog, answer three questions
# (one wrongly) with Enter, move with the arrow keys, end with the end button
# and OK. Afterwards the question file carries the mistake mark on exactly the
# wrongly answered question and the INI beside the program holds the resume
# record.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

questions="$E2E_TMP/drill.lko"
printf '%s\r\n' 私は学生です。 'I am a student.' 'student：学生' \
  彼は先生です。 'He is a teacher.' 'teacher：先生' \
  今日は晴れです。 'It is fine today.' 'fine：晴れた' \
  猫が好きです。 'I like cats.' 'like：好む' | iconv -f UTF-8 -t CP932 >"$questions"

type_text() { e2e_type "$1"; }
e2e_start_drill "$prog/Sorami105" Taro
pid=$DRILL_PID
# Ctrl+O opens the file dialog; the file name is typed into it.
e2e_open_in_drill "$questions"
win=$DRILL_WIN

# Question 1 right, question 2 wrong, question 3 right; the answer box has
# the focus after every move.
type_text "I am a student."
e2e_key Return
e2e_key Right
type_text "He is teacher."
e2e_key Return
e2e_key Right
type_text "It is fine today."
e2e_key Return
# Back to question 2: the resume record will name it.
e2e_key Left

# The end button, then OK in the confirmation.
geometry=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: \([0-9]*\)x\([0-9]*\).*/\1 \2/p')
read -r width height <<<"$geometry"
# The button stands 46 pixels above the client area's bottom edge, 501 from its left.
xdotool mousemove --window "$win" 501 $((height - 497 + 448)) click 1
sleep 0.5
e2e_key Return

e2e_wait_exit "$pid" 5 "the drill did not end after OK"

marked=$(iconv -f CP932 -t UTF-8 "$questions" | tr -d '\r' | grep -n '^? ' || true)
[ "$marked" = "4:? 彼は先生です。" ] || e2e_fail "marks in the question file: '$marked'"
[ "$(iconv -f CP932 -t UTF-8 "$questions" | grep -c $'\r$')" = 12 ] ||
  e2e_fail "the question file was not written with CR LF"

ini="$prog/ソラミ君.ini"
[ -f "$ini" ] || e2e_fail "no INI beside the program"
resumed=$(e2e_ini_value "$ini" 問題ファイル名 PFileName)
[ "$resumed" = "$questions" ] || e2e_fail "PFileName is $resumed"
at=$(e2e_ini_value "$ini" 問題番号 PProblemNum)
[ "$at" = 2 ] || e2e_fail "PProblemNum is $at"
echo "PASS: the wrong answer is marked in the file and the resume record is stored"
