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

key() { e2e_key "$@"; }
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
  key Return
fi
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.3

# Looking around changes nothing.
key Right
key Left
key Up

key ctrl+x
e2e_wait_dialog "$pid" "$win"
key Return

for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && e2e_fail "the drill did not end after OK"

cmp "$questions" "$E2E_TMP/original.lko" || e2e_fail "the question file was rewritten"
[ -n "$warned" ] || e2e_fail "no warning about the NUL at load"
ini="$prog/ソラミ君.ini"
iniText=$(iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r')
grep -qx "PFileName=$questions" <<<"$iniText" || e2e_fail "PFileName missing: $iniText"
echo "PASS: the file with a NUL kept every byte"
