# The mini drill as a learner uses it: open a question file through the real
# file dialog, switch on automatic advance with a typed interval and watch it
# move by itself, stop it, then close with the exit button: "No" keeps the
# window, "Yes" stores the two fonts in the INI beside the program.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_start_display
command -v xdotool >/dev/null || e2e_skip "xdotool is not installed"
command -v compare >/dev/null || e2e_skip "imagemagick is not installed"

prog=$(e2e_program_dir)
[ -x "$prog/Srmmini32" ] || e2e_fail "Srmmini32 was not built"
cards="$E2E_TMP/cards.lko"
printf '%s\r\n' 私は学生です。 'I am a student.' 学生 彼は先生です。 'He is a teacher.' 先生 \
  今日は晴れです。 'It is fine today.' 天気 | iconv -f UTF-8 -t CP932 >"$cards"

e2e_start_program "$prog/Srmmini32" 'ソラミ君ミニ　Ver1.0'
pid=$PROGRAM_PID
win=$PROGRAM_WIN

click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.3; }
other_window() {
  local w
  for _ in $(seq 1 50); do
    w=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$win" | head -n1 || true)
    if [ -n "$w" ]; then echo "$w"; return 0; fi
    sleep 0.1
  done
  return 1
}
gone() {
  for _ in $(seq 1 30); do
    [ -z "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$win" || true)" ] && return 0
    sleep 0.1
  done
  return 1
}
upper_box="558x48+4+4"
# The lower part of the upper box: blank under a line of the design font,
# inked by a line twice that size.
upper_low="500x12+8+36"
snap() { import -window "$win" -crop "${2:-$upper_box}" +repage "$1" 2>/dev/null; }
differs() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != "0" ]; }
# Takes shots of the upper box until it differs from a reference; fails after
# about the given number of tenths of a second.
snap_changed() {
  local ref="$1" out="$2" tries="${3:-30}" crop="${4:-$upper_box}"
  for _ in $(seq 1 "$tries"); do
    snap "$out" "$crop"
    differs "$ref" "$out" && return 0
    sleep 0.1
  done
  return 1
}
open_btn=(585 15); exit_btn=(613 15); auto_radio=(459 120); normal_radio=(443 120)
interval_box=(415 119); set_btn=(505 119); answer_switch=(537 120)

click "${open_btn[@]}"
other_window >/dev/null || e2e_fail "no open dialog appeared"
sleep 0.5
[ -n "${SORAMI_E2E_SHOTS:-}" ] && e2e_screenshot "$SORAMI_E2E_SHOTS/srmmini32-open.png"
xdotool type --delay 20 "$cards"
e2e_key Return
e2e_wait_window "ソラミ君ミニVer1.0 \\[$cards\\]" >/dev/null || e2e_fail "the caption does not name the file"

# Automatic advance every second, typed into the interval box.
click "${answer_switch[@]}"
click "${auto_radio[@]}"
click "${interval_box[@]}"
xdotool type --delay 20 "1"
snap "$E2E_TMP/q1.png"
snap "$E2E_TMP/q1-low.png" "$upper_low"
xdotool mousemove --window "$win" "${set_btn[@]}" click 1
snap_changed "$E2E_TMP/q1.png" "$E2E_TMP/q2.png" 5 || e2e_fail "the set button did not advance at once"
# No more clicks from here: only the timer can move the question on.
snap_changed "$E2E_TMP/q2.png" "$E2E_TMP/q3.png" 40 || e2e_fail "automatic advance did not move on"
[ -n "${SORAMI_E2E_SHOTS:-}" ] && import -window "$win" "$SORAMI_E2E_SHOTS/srmmini32.png"
click "${normal_radio[@]}"
snap "$E2E_TMP/stopped1.png"
sleep 1.5
snap "$E2E_TMP/stopped2.png"
differs "$E2E_TMP/stopped1.png" "$E2E_TMP/stopped2.png" && e2e_fail "normal mode did not stop the timer"

ini="$prog/Srmmini32.ini"
# "No" (Escape) keeps the window and writes nothing.
click "${exit_btn[@]}"
other_window >/dev/null || e2e_fail "no close question appeared"
sleep 0.3
[ -n "${SORAMI_E2E_SHOTS:-}" ] && e2e_screenshot "$SORAMI_E2E_SHOTS/srmmini32-close.png"
e2e_key Escape
gone || e2e_fail "the close question stayed open"
kill -0 "$pid" 2>/dev/null || e2e_fail "answering No ended the program"
[ -e "$ini" ] && e2e_fail "answering No wrote the INI"

# "Yes" (the default button) stores the fonts and ends the program.
click "${exit_btn[@]}"
other_window >/dev/null || e2e_fail "no close question appeared"
sleep 0.3
e2e_key Return
e2e_wait_exit "$pid" 5 "answering Yes did not end the program"
wait "$pid" || e2e_fail "Srmmini32 ended with an error: $(cat "$E2E_TMP/Srmmini32.log")"
[ -f "$ini" ] || e2e_fail "no INI was written"
for section in 和文font 正解font; do
  [ "$(e2e_ini_value "$ini" "$section" Name)" = System ] || e2e_fail "[$section] Name is not System"
  [ "$(e2e_ini_value "$ini" "$section" Size)" = 12 ] || e2e_fail "[$section] Size is not 12"
  e2e_ini_value "$ini" "$section" Color >/dev/null
done

# The next run reads the INI back: a changed size shows as a different upper box.
sed -i '0,/^Size=12/s//Size=24/' "$ini"
e2e_start_program "$prog/Srmmini32" 'ソラミ君ミニ　Ver1.0'
pid=$PROGRAM_PID
win=$PROGRAM_WIN
click "${open_btn[@]}"
other_window >/dev/null || e2e_fail "no open dialog appeared in the second run"
sleep 0.5
xdotool type --delay 20 "$cards"
e2e_key Return
e2e_wait_window "ソラミ君ミニVer1.0 \\[" >/dev/null || e2e_fail "the second run did not load"
sleep 0.3
snap_changed "$E2E_TMP/q1-low.png" "$E2E_TMP/big-low.png" 30 "$upper_low" || e2e_fail "the stored font size was not applied"
[ -n "${SORAMI_E2E_SHOTS:-}" ] && import -window "$win" "$SORAMI_E2E_SHOTS/srmmini32-big.png"
kill "$pid"
echo "PASSED"
