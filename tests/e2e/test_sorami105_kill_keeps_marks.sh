# A drill killed outright (SIGKILL, as when the X server or the power goes)
# never reaches its exit, which writes the marks into the question file. The
# marks must survive all the same: answer three of four questions wrongly,
# kill the drill, start it again and open the file; the three marks are
# back, and the next exit writes them.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

questions="$E2E_TMP/kill.lko"
printf '%s\r\n' 私は学生です。 'I am a student.' 'student：学生' \
  彼は先生です。 'He is a teacher.' 'teacher：先生' \
  今日は晴れです。 'It is fine today.' 'fine：晴れた' \
  猫が好きです。 'I like cats.' 'like：好む' | iconv -f UTF-8 -t CP932 >"$questions"
before=$(md5sum <"$questions")

e2e_start_drill "$prog/Sorami105" Taro
e2e_open_in_drill "$questions"
for answer in "I is a student." "He is teacher." "It fine today."; do
  e2e_type "$answer"
  e2e_key Return
  e2e_key Right
done
kill -KILL "$DRILL_PID"
wait "$DRILL_PID" 2>/dev/null || true
# The question file is rewritten at the exit only, and there was none.
[ "$(md5sum <"$questions")" = "$before" ] || e2e_fail "the question file changed before any exit"

e2e_start_drill "$prog/Sorami105" Taro
e2e_open_in_drill "$questions"
kill -TERM "$DRILL_PID"
e2e_wait_exit "$DRILL_PID" 5 "the drill did not end on SIGTERM"
marked=$(iconv -f CP932 -t UTF-8 "$questions" | tr -d '\r' | grep -n '^? ' | tr '\n' ' ' || true)
[ "$marked" = "1:? 私は学生です。 4:? 彼は先生です。 7:? 今日は晴れです。 " ] ||
  e2e_fail "marks after the kill: '$marked'"
ls "$prog"/marks-*.journal >/dev/null 2>&1 && e2e_fail "a journal is left after the exit wrote the marks"
echo "PASS: the marks of a killed drill come back when its file is opened again"
