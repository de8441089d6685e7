# A question file with a NUL byte and more bytes after it, opened, looked at
# and closed without a change: the drill warns at load and never rewrites
# the file, so every byte after the NUL is still there.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

questions="$E2E_TMP/stray.lko"
{
  printf '%s\r\n' 私は学生です。 'I am a student.' 'student：学生' | iconv -f UTF-8 -t CP932
  printf '\0'
  printf '%s\r\n' 彼は先生です。 'He is a teacher.' 'teacher：先生' | iconv -f UTF-8 -t CP932
  head -c 4096 /dev/urandom
} >"$questions"
cp "$questions" "$E2E_TMP/original.lko"

type_text() { e2e_type "$1"; }
e2e_start_drill "$prog/Sorami105" Taro
pid=$DRILL_PID
e2e_open_in_drill "$questions" nofocus
win=$DRILL_WIN
# The warning about the NUL, closed with OK. Its absence is reported after
# the bytes are compared, which matter most.
warned=""
for _ in $(seq 1 50); do
  warned=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$win" | head -n1 || true)
  [ -n "$warned" ] && break
  sleep 0.1
done
if [ -n "$warned" ]; then
  sleep 0.5
  e2e_key Return
fi
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.3

# Looking around changes nothing.
e2e_key Right
e2e_key Left
e2e_key Up

e2e_key ctrl+x
e2e_wait_dialog "$pid" "$win"
e2e_key Return

e2e_wait_exit "$pid" 5 "the drill did not end after OK"

cmp "$questions" "$E2E_TMP/original.lko" || e2e_fail "the question file was rewritten"
[ -n "$warned" ] || e2e_fail "no warning about the NUL at load"
ini="$prog/ソラミ君.ini"
resumed=$(e2e_ini_value "$ini" 問題ファイル名 PFileName)
[ "$resumed" = "$questions" ] || e2e_fail "PFileName is $resumed"
echo "PASS: the file with a NUL kept every byte"
