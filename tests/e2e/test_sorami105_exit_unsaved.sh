# The question file cannot be written when the learner ends the drill: the
# error is shown, then the drill asks whether to end without saving, and Yes
# ends the program. The resume record is still written, and the file on disk
# keeps its old bytes.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

questions="$E2E_TMP/locked.lko"
printf '%s\r\n' 私は学生です。 'I am a student.' 'student：学生' \
  彼は先生です。 'He is a teacher.' 'teacher：先生' | iconv -f UTF-8 -t CP932 >"$questions"
cp "$questions" "$E2E_TMP/original.lko"

type_text() { e2e_type "$1"; }
e2e_start_drill "$prog/Sorami105" Taro
pid=$DRILL_PID
e2e_open_in_drill "$questions" nofocus
win=$DRILL_WIN
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.3

# A wrong answer: the mark is in memory and wants to reach the file.
type_text "I am student."
e2e_key Return

# The file becomes read-only. Root writes over permission bits, so there a
# folder takes the file's place instead: nobody can write that.
chmod a-w "$questions"
if [ -w "$questions" ]; then
  rm -f "$questions"
  mkdir "$questions"
fi

# Ctrl+X ends the drill: OK in the confirmation, OK under the error, then
# Return answers Yes, the default of the question.
e2e_key ctrl+x
e2e_wait_dialog "$pid" "$win"
e2e_key Return
e2e_wait_dialog "$pid" "$win"
e2e_key Return
kill -0 "$pid" 2>/dev/null || e2e_fail "the drill ended without asking"
e2e_wait_dialog "$pid" "$win"
e2e_key Return

e2e_wait_exit "$pid" 5 "the drill did not end after Yes"

if [ -f "$questions" ]; then
  cmp "$questions" "$E2E_TMP/original.lko" || e2e_fail "the read-only file was changed"
fi
ini="$prog/ソラミ君.ini"
[ -f "$ini" ] || e2e_fail "no INI beside the program"
resumed=$(e2e_ini_value "$ini" 問題ファイル名 PFileName)
[ "$resumed" = "$questions" ] || e2e_fail "PFileName is $resumed"
at=$(e2e_ini_value "$ini" 問題番号 PProblemNum)
[ "$at" = 1 ] || e2e_fail "PProblemNum is $at"
echo "PASS: the drill asked and ended without saving; the resume record was written"
