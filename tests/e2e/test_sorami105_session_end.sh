# The session ends (SIGTERM, as a log-out sends it) while the question file is
# read-only and the notebook holds unsaved text: the drill asks nothing and
# ends within 2 s, the marked list and the note wait in recovery copies, and
# the next start offers them; Return keeps each one.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

questions="$E2E_TMP/locked.lko"
printf '%s\r\n' 私は学生です。 'I am a student.' 'student：学生' | iconv -f UTF-8 -t CP932 >"$questions"
chmod a-w "$questions"
e2e_start_drill "$prog/Sorami105" Taro
e2e_open_in_drill "$questions"
e2e_type "I is a student."
e2e_key Return
e2e_key ctrl+m
memo=$(e2e_wait_window 'ソラミ君・メモノ－ト') || e2e_fail "Ctrl+M did not open the memo notebook"
xdotool windowfocus --sync "$memo" 2>/dev/null || true
sleep 0.5
e2e_type "a note never saved"
kill -TERM "$DRILL_PID"
e2e_wait_exit "$DRILL_PID" 2 "the drill did not end within 2 s of SIGTERM"
copies=("$XDG_DATA_HOME"/sorami/recovery/*)
[ "${#copies[@]}" = 2 ] || e2e_fail "recovery copies: ${copies[*]}"
grep -l 'a note never saved' "${copies[@]}" >/dev/null || e2e_fail "the note is in no recovery copy"
iconv -f CP932 -t UTF-8 "$XDG_DATA_HOME"/sorami/recovery/*locked.lko | grep -qx $'? 私は学生です。\r' ||
  e2e_fail "the marked list is in no recovery copy"

# The next start offers each copy once; Return keeps it.
"$prog/Sorami105" >"$E2E_TMP/drill2.log" 2>&1 &
E2E_PIDS+=($!)
namebox=$(e2e_wait_window '名前の登録') || e2e_fail "no name box"
xdotool windowfocus --sync "$namebox" 2>/dev/null || true
e2e_key Return
for _ in 1 2; do
  offer=$(e2e_wait_window 'LkO for Win95') || e2e_fail "no recovery offer"
  xdotool windowfocus --sync "$offer" 2>/dev/null || true
  sleep 0.3
  e2e_key Return
  sleep 0.5
done
[ -z "$(ls -A "$XDG_DATA_HOME/sorami/recovery")" ] || e2e_fail "copies still pending"
[ "$(ls "$XDG_DATA_HOME"/sorami/*locked.lko | wc -l)" = 1 ] || e2e_fail "the marked list was not kept"
echo "PASS: a session's end asks nothing and keeps what it cannot write for the next start"
