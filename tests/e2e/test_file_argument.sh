# A question file named on the command line, as the desktop entries pass the
# file the learner opened in the file manager, is open when each of the three
# programs has started: its caption names it as after the open dialog.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv

# A blank and Japanese in the name, as file managers pass them.
questions="$E2E_TMP/今日の 問題.lko"
printf '%s\r\n' 私は学生です。 'I am a student.' 学生 | iconv -f UTF-8 -t CP932 >"$questions"
cd "$E2E_TMP"
while IFS='|' read -r program caption; do
  [ -x "$prog/$program" ] || e2e_fail "$program was not built"
  "$prog/$program" "$questions" >"$E2E_TMP/$program.log" 2>&1 &
  pid=$!
  E2E_PIDS+=("$pid")
  if [ "$program" = Sorami105 ]; then
    namebox=$(e2e_wait_window '名前の登録') || e2e_fail "no name box"
    xdotool windowfocus --sync "$namebox" 2>/dev/null || true
    e2e_type Taro
    e2e_key Return
  fi
  e2e_wait_window "$caption" >/dev/null ||
    e2e_fail "$program did not open the file named on its command line"
  kill "$pid"
  e2e_wait_exit "$pid" 5 "$program did not end on SIGTERM"
done <<EOF
SrmMini|^単語カード\\($questions\\)\$
Srmmini32|^ソラミ君ミニVer1.0 \\[$questions\\]\$
Sorami105|^ソラミ君 ＬｋＯ\$
EOF
echo "PASS: the three programs open the question file named on their command line"
