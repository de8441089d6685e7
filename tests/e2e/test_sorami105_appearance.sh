# The appearance a learner stores comes back at the next start: the drill
# starts with a red Japanese-sentence box from its appearance INI, the
# "環境記憶" button stores the appearance again (all twelve keys), and the
# drill started once more paints the box red from what was stored.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv convert
ini="$prog/Sorami105.ini"
printf '[和文箱ｶﾗｰ]\r\nBoxColor=255\r\n' | iconv -f UTF-8 -t CP932 >"$ini"

# The colour of the pixel at client point ($2, $3) of window $1, as "r,g,b".
client_pixel() {
  local height
  height=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
  import -window "$1" "$E2E_TMP/shot.png" 2>/dev/null || e2e_fail "no screenshot"
  convert "$E2E_TMP/shot.png" -crop "1x1+$2+$(($3 + height - 497))" -depth 8 txt:- |
    sed -n 's/^0,0: *(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p'
}

end_drill() {
  kill -TERM "$1"
  e2e_wait_exit "$1" 5 "the drill did not end"
}

e2e_start_drill "$prog/Sorami105" Hanako
# Inside the Japanese-sentence box, away from its frame and text.
[ "$(client_pixel "$DRILL_WIN" 500 90)" = "255,0,0" ] ||
  e2e_fail "the stored box colour was not applied: $(client_pixel "$DRILL_WIN" 500 90)"

# "環境記憶", then OK in the confirmation.
height=$(xdotool getwindowgeometry "$DRILL_WIN" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
xdotool mousemove --window "$DRILL_WIN" 678 $((446 + height - 497)) click 1
e2e_wait_dialog "$DRILL_PID" "$DRILL_WIN"
e2e_key Return
sleep 0.5
stored=$(iconv -f CP932 -t UTF-8 "$ini" | tr -d '\r')
[ "$(grep -c '^\(Name\|Size\|Color\|BoxColor\)=' <<<"$stored")" = 12 ] ||
  e2e_fail "the store did not write twelve keys: $stored"
[ "$(e2e_ini_value "$ini" 和文箱ｶﾗｰ BoxColor)" = 255 ] ||
  e2e_fail "the stored box colour changed: $stored"
end_drill "$DRILL_PID"

e2e_start_drill "$prog/Sorami105" Hanako
[ "$(client_pixel "$DRILL_WIN" 500 90)" = "255,0,0" ] ||
  e2e_fail "after the restart the box is not red: $(client_pixel "$DRILL_WIN" 500 90)"
end_drill "$DRILL_PID"
echo "PASS: the stored appearance is applied at the next start"
