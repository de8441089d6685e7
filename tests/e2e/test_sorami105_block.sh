# A block run of 10 with real key presses: erase the scores with Ctrl+Del,
# open a question file, start a block with the block button, take the
# proposed 10 with Enter, answer nine questions right and one wrong, save the
# result in the result dialog, then report the live score with Ctrl+E and
# close the score table with Esc. Afterwards the score file beside the
# program holds the header, one block line and one report line, in Shift-JIS
# with CR LF, field by field.
# With SORAMI_E2E_SHOTS set to a folder, the three dialogs are saved there as
# they appeared.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv
shots="${SORAMI_E2E_SHOTS:-}"

questions="$E2E_TMP/block.lko"
for k in $(seq 1 12); do
  printf '%s\r\n' "問題$k" "Answer $k." "idiom $k"
done | iconv -f UTF-8 -t CP932 >"$questions"

cd "$E2E_TMP"
"$prog/Sorami105" >"$E2E_TMP/drill.log" 2>&1 &
pid=$!
E2E_PIDS+=("$pid")

type_text() { xdotool type --delay 20 "$1"; sleep 0.2; }
alive() { kill -0 "$pid" 2>/dev/null || e2e_fail "the drill ended: $(cat "$E2E_TMP/drill.log")"; }

# Waits for a visible window of the drill other than the main window and the
# windows named as arguments; focuses it and prints its id.
wait_dialog() {
  local id others
  others=$(printf '%s\n' "$win" "$@")
  for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vxF "$others" | tail -n1 || true)
    if [ -n "$id" ]; then
      xdotool windowfocus --sync "$id" 2>/dev/null || true
      sleep 0.3
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}
wait_gone() {
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -qx "$1" || return 0
    sleep 0.1
  done
  e2e_fail "window $1 did not close"
}
# Checks a dialog's caption and client size.
check_dialog() {
  local id="$1" title="$2" size="$3" name geometry
  name=$(xdotool getwindowname "$id")
  [ "$name" = "$title" ] || e2e_fail "dialog caption '$name', expected '$title'"
  geometry=$(xdotool getwindowgeometry "$id" | sed -n 's/.*Geometry: //p')
  [ "$geometry" = "$size" ] || e2e_fail "'$title' is $geometry, expected $size"
  if [ -n "$shots" ]; then
    mkdir -p "$shots"
    import -window "$id" "$shots/$4.png" 2>/dev/null || true
  fi
}

namebox=$(e2e_wait_window '名前の登録') || e2e_fail "no name box"
xdotool windowfocus --sync "$namebox" 2>/dev/null || true
type_text "Taro"
e2e_key Return

win=$(e2e_wait_window 'がんばれソラミ君・ＬｋＯ') || e2e_fail "the drill window did not appear"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.5

e2e_key ctrl+o
dialog=$(wait_dialog) || e2e_fail "no open dialog appeared"
type_text "$questions"
e2e_key Return
wait_gone "$dialog"
win=$(e2e_wait_window 'ソラミ君 ＬｋＯ') || e2e_fail "the caption did not change after loading"
xdotool windowfocus --sync "$win" 2>/dev/null || true
sleep 0.3

# Erasing the scores creates the score file with its header.
e2e_key ctrl+Delete
box=$(wait_dialog) || e2e_fail "no confirmation of erasing"
e2e_key Return
wait_gone "$box"
score="$prog/成績.dat"
[ -f "$score" ] || e2e_fail "erasing did not create the score file"

# The block button: the lower panel's first small button.
e2e_click_client "$win" 190 421
sizebox=$(wait_dialog) || e2e_fail "no block-size dialog"
check_dialog "$sizebox" 'ブロック問題出題数' '371x230' TBlockProblem
e2e_key Return
wait_gone "$sizebox"
alive

# The answer button has the focus; the learner clicks into the answer box.
e2e_click_client "$win" 459 340
for k in $(seq 1 10); do
  if [ "$k" = 7 ]; then type_text "Answer seven"; else type_text "Answer $k."; fi
  e2e_key Return
  [ "$k" = 10 ] || e2e_key Right
done

result=$(wait_dialog) || e2e_fail "no result dialog after the tenth answer"
check_dialog "$result" '結果の判定' '470x297' TKekka
# The save button in the framed box, then OK in its confirmation.
xdotool mousemove --window "$result" 379 156 click 1
sleep 0.3
confirm=$(wait_dialog "$result") || e2e_fail "no confirmation of saving"
e2e_key Return
wait_gone "$confirm"
xdotool windowfocus --sync "$result" 2>/dev/null || true
sleep 0.3
# The save button keeps the focus it took with the click, and Return would
# press it again: OK is clicked.
xdotool mousemove --window "$result" 412 264 click 1
wait_gone "$result"
alive

# One more right answer, then the score report and its table.
xdotool windowfocus --sync "$win" 2>/dev/null || true
e2e_key Right
type_text "Answer 11."
e2e_key Return
e2e_key ctrl+e
box=$(wait_dialog) || e2e_fail "no confirmation of the report"
e2e_key Return
wait_gone "$box"
table=$(wait_dialog) || e2e_fail "no score table"
check_dialog "$table" '「ガンバレソラミ君」の成績表' '609x444' TTable
e2e_key Escape
wait_gone "$table"
alive

if [ -n "$shots" ]; then cp "$score" "$shots/成績.dat"; fi

# The header, then the two lines, byte for byte except for the moments.
header=$(printf '%s\r\n' "$(printf '=%.0s' $(seq 71))" \
  '                   「ガンバレソラミ君」成績表' "$(printf '=%.0s' $(seq 71))" '' \
  "$(printf -- '-%.0s' $(seq 71))" \
  '出題ﾌｧｲﾙ名   | 日  付  | 時  刻 | 出題数 | 正解数 | 判  定  | 名  前' \
  "$(printf -- '-%.0s' $(seq 71))" | iconv -f UTF-8 -t CP932 | xxd -p | tr -d '\n')
got=$(xxd -p "$score" | tr -d '\n')
[ "${got:0:${#header}}" = "$header" ] || e2e_fail "the header differs"
[ "$(wc -l <"$score")" = 9 ] || e2e_fail "expected 9 lines: $(iconv -f CP932 -t UTF-8 "$score")"
[ "$(grep -c $'\r$' "$score")" = 9 ] || e2e_fail "not every line ends with CR LF"
moment='   [0-9][0-9]/[0-1][0-9]/[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]'
block=$(sed -n 8p "$score" | iconv -f CP932 -t UTF-8)
report=$(sed -n 9p "$score" | iconv -f CP932 -t UTF-8)
[[ "$block" =~ ^"   block.lko"${moment}"    10        9      良合格"$'\r'$ ]] ||
  e2e_fail "block line: '$block'"
[[ "$report" =~ ^"   block.lko"${moment}"     1        1    完璧!       Taro"$'\r'$ ]] ||
  e2e_fail "report line: '$report'"
# Byte widths: 12 + 20 + 6 + 9 + 12, and 12 + 20 + 6 + 9 + 12 + 8, plus CR LF.
[ "$(sed -n 8p "$score" | wc -c)" = $((59 + 2)) ] || e2e_fail "block line width"
[ "$(sed -n 9p "$score" | wc -c)" = $((67 + 2)) ] || e2e_fail "report line width"
echo "PASS: the block run and the report are in the score file"
