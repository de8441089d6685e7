# A log-off or power-off ends the drill with SIGTERM (or SIGHUP), and Ctrl+C
# or Ctrl+\ in its terminal with SIGINT or SIGQUIT, not with the close box.
# The drill must still write what its close box writes: the mistake mark in
# the question file and the resume record. Answer question 1 wrongly, move to
# question 2, send the signal, and read the files.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

questions="$E2E_TMP/term.lko"
for signal in TERM HUP INT QUIT; do
  printf '%s\r\n' 私は学生です。 'I am a student.' 'student：学生' \
    彼は先生です。 'He is a teacher.' 'teacher：先生' | iconv -f UTF-8 -t CP932 >"$questions"
  rm -f "$prog"/*.ini
  e2e_start_drill "$prog/Sorami105" Taro
  e2e_open_in_drill "$questions"
  e2e_type "I is a student."
  e2e_key Return
  e2e_key Right
  kill -"$signal" "$DRILL_PID"
  e2e_wait_exit "$DRILL_PID" 5 "the drill did not end on SIG$signal"
  marked=$(iconv -f CP932 -t UTF-8 "$questions" | tr -d '\r' | grep -n '^? ' || true)
  [ "$marked" = "1:? 私は学生です。" ] || e2e_fail "SIG$signal: marks in the question file: '$marked'"
  at=$(e2e_ini_value "$prog/ソラミ君.ini" 問題番号 PProblemNum)
  [ "$at" = 2 ] || e2e_fail "SIG$signal: the resume record's question is $at"
  resumed=$(e2e_ini_value "$prog/ソラミ君.ini" 問題ファイル名 PFileName)
  [ "$resumed" = "$questions" ] || e2e_fail "SIG$signal: the resume record names $resumed"
done
echo "PASS: SIGTERM, SIGHUP, SIGINT and SIGQUIT keep the marks and the resume point"
