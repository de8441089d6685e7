# The card viewer as a learner uses it: open a question file through the
# real file dialog by typing its path, step through the cards and ask for the
# answer with the mouse, then close it with its own button.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_start_display
command -v xdotool >/dev/null || e2e_skip "xdotool is not installed"
command -v compare >/dev/null || e2e_skip "imagemagick is not installed"

prog=$(e2e_program_dir)
[ -x "$prog/SrmMini" ] || e2e_fail "SrmMini was not built"
cards="$E2E_TMP/cards.lko"
printf '%s\r\n' 私は学生です。 'I am a student.' 学生 彼は先生です。 'He is a teacher.' 先生 |
  iconv -f UTF-8 -t CP932 >"$cards"

e2e_start_program "$prog/SrmMini" 'ｶﾞﾝﾊﾞﾚソラミ君ミニ'
pid=$PROGRAM_PID
win=$PROGRAM_WIN

# Button centres inside the window (three rows of two at the right edge).
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
open_btn=(686 19); close_btn=(713 19); fwd_btn=(713 48); answer_btn=(686 77)
snap() { import -window "$win" -crop "$2" +repage "$1" 2>/dev/null; }
differs() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != "0" ]; }
# Takes shots of a region until it differs from a reference (repaints may lag
# behind a click on a busy machine); fails after about three seconds.
snap_changed() {
  local ref="$1" out="$2" crop="$3"
  for _ in $(seq 1 30); do
    snap "$out" "$crop"
    differs "$ref" "$out" && return 0
    sleep 0.1
  done
  return 1
}
lower_box="660x50+4+44"; upper_box="660x38+4+4"

click "${open_btn[@]}"
e2e_wait_dialog "$pid" "$win"
xdotool type --delay 20 "$cards"
e2e_key Return
e2e_wait_window "単語カード\\($cards\\)" >/dev/null || {
  xdotool getwindowname "$win"
  e2e_fail "the caption does not name the loaded file"
}
sleep 0.3

snap "$E2E_TMP/upper1.png" "$upper_box"
snap "$E2E_TMP/lower-empty.png" "$lower_box"
click "${answer_btn[@]}"
snap_changed "$E2E_TMP/lower-empty.png" "$E2E_TMP/lower-answer.png" "$lower_box" ||
  e2e_fail "the answer button showed nothing"

click "${fwd_btn[@]}"
snap_changed "$E2E_TMP/upper1.png" "$E2E_TMP/upper2.png" "$upper_box" ||
  e2e_fail "the forward button did not move"
snap_changed "$E2E_TMP/lower-answer.png" "$E2E_TMP/lower-moved.png" "$lower_box" ||
  e2e_fail "moving did not empty the lower box"
differs "$E2E_TMP/lower-moved.png" "$E2E_TMP/lower-empty.png" &&
  e2e_fail "moving did not empty the lower box"
click "${fwd_btn[@]}" # two cards: back on the first one
snap_changed "$E2E_TMP/upper2.png" "$E2E_TMP/upper3.png" "$upper_box" ||
  e2e_fail "the second step did not move"
differs "$E2E_TMP/upper1.png" "$E2E_TMP/upper3.png" && e2e_fail "the cards do not wrap round"
[ -n "${SORAMI_E2E_SHOTS:-}" ] && import -window "$win" "$SORAMI_E2E_SHOTS/srmmini.png"

click "${close_btn[@]}"
e2e_wait_exit "$pid" 5 "the close button did not end the program"
wait "$pid" || e2e_fail "SrmMini ended with an error: $(cat "$E2E_TMP/SrmMini.log")"
# The stand-alone viewer keeps no resume record and never writes the file.
ls "$prog"/*.ini >/dev/null 2>&1 && e2e_fail "the stand-alone viewer wrote an INI file"
[ "$(printf '%s\r\n' 私は学生です。 'I am a student.' 学生 彼は先生です。 'He is a teacher.' 先生 | iconv -f UTF-8 -t CP932 | md5sum)" = "$(md5sum <"$cards")" ] ||
  e2e_fail "the question file changed"
echo "PASSED"
