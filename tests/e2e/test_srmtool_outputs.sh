# srmtool as scripts run it. Output that never arrived (/dev/full, a closed
# standard output, a full disk) is no success: exit 1 and a message. And
# checking a line costs the same memory whatever the line's length.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
tool="$SORAMI_PROGRAM_DIR/srmtool"
[ -x "$tool" ] || e2e_fail "srmtool was not built"
cd "$E2E_TMP"

# Long enough that the output fills srmtool's buffer more than once.
for _ in $(seq 1 3000); do printf '? 問題\r\nAn answer.\r\ni\r\n'; done | iconv -t CP932 >q.lko
printf '       q.lko   26/04/01 09:30:15    10        7        素敵        Taro\r\n' |
  iconv -t CP932 >scores.dat

to() { # target command...: runs srmtool with its standard output sent to target
  local target=$1
  shift
  case $target in
  file) "$tool" "$@" >out.txt ;;
  /dev/full) "$tool" "$@" >/dev/full ;;
  closed) "$tool" "$@" >&- ;;
  # The disk takes nothing more: the output file stays empty.
  full-disk) (trap '' XFSZ && ulimit -f 0 && exec "$tool" "$@" >out.txt) ;;
  esac
}
while read -r command; do
  for target in file /dev/full closed full-disk; do
    # The messages come through a pipe, which no full disk stops.
    code=0
    # shellcheck disable=SC2086 # the command's words
    err=$(to "$target" $command 2>&1) || code=$?
    if [ "$target" = file ]; then
      [ "$code" = 0 ] && [ -s out.txt ] || e2e_fail "$command > $target: exit $code"
    else
      [ "$code" = 1 ] || e2e_fail "$command > $target: exit $code, not 1"
      grep -q '^srmtool: the output could not be written (' <<<"$err" ||
        e2e_fail "$command > $target: no message ($err)"
    fi
  done
done <<EOF
export q.lko --format utf8
scores scores.dat --csv
scores scores.dat
check q.lko
marks q.lko --list
marks q.lko --count
--help
EOF

# A line of 64 MiB checked with a quarter of that in data memory (heap and
# the like), of which the program and its libraries need a few MiB alone.
bytes=$((64 * 1024 * 1024))
for unit in abcdefgh "$(printf 問題文 | iconv -t CP932)" $'\xff\xa0\x80'; do
  { printf 'j\r\n' && yes -- "$unit" | tr -d '\n' | head -c "$bytes" && printf '\r\ni\r\n'; } >long.lko
  code=0
  (ulimit -d $((16 * 1024)) && exec "$tool" check long.lko) >out.txt 2>err.txt || code=$?
  [ "$code" = 1 ] && grep -q "^long.lko:2: the line is $bytes bytes long" out.txt ||
    e2e_fail "check of a long line: exit $code: $(cat out.txt err.txt)"
done
echo "PASS: srmtool reports output it could not write, and checks a long line in little memory"
