# The memo notebook as a learner uses it from the drill: Ctrl+M opens it,
# the learner switches to rich text with "R", types a note, saves it as rich text with Ctrl+A and the save
# dialog, and closes the notebook with its quit button. The file on disk is
# RTF holding the note, and the drill is still running afterwards.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_start_display
command -v xdotool >/dev/null || e2e_skip "xdotool is not installed"

prog=$(e2e_program_dir)
[ -x "$prog/Sorami105" ] || e2e_fail "Sorami105 was not built"
e2e_private_runtime_dir

e2e_start_drill "$prog/Sorami105" Taro
e2e_key ctrl+m
memo=$(e2e_wait_window 'ソラミ君・メモノ－ト') || e2e_fail "Ctrl+M did not open the memo notebook"
xdotool windowfocus --sync "$memo" 2>/dev/null || true
sleep 0.5
# The notebook starts in plain-text mode; "R" switches it to rich text.
xdotool mousemove --window "$memo" 62 8 click 1
sleep 0.3
e2e_type "take a walk: sanpo suru"
e2e_key ctrl+a
e2e_wait_dialog "$DRILL_PID" "$memo"
e2e_type "$E2E_TMP/note.rtf"
e2e_key Return
for _ in $(seq 1 30); do
  [ -s "$E2E_TMP/note.rtf" ] && break
  sleep 0.1
done
[ -s "$E2E_TMP/note.rtf" ] || e2e_fail "the note was not saved"
head -c 5 "$E2E_TMP/note.rtf" | grep -q '^{\\rtf' || e2e_fail "the note is not RTF: $(head -c 40 "$E2E_TMP/note.rtf")"
grep -q 'take a walk: sanpo suru' "$E2E_TMP/note.rtf" || e2e_fail "the note's text is not in the file"

# The quit button, the last of the tool bar's glyph buttons.
xdotool mousemove --window "$memo" 495 15 click 1
for _ in $(seq 1 30); do
  xdotool search --onlyvisible --name 'ソラミ君・メモノ－ト' >/dev/null 2>&1 || break
  sleep 0.1
done
xdotool search --onlyvisible --name "ソラミ君・メモノ－ト" >/dev/null 2>&1 &&
  e2e_fail "the quit button did not close the notebook"
kill -0 "$DRILL_PID" 2>/dev/null || e2e_fail "the drill ended with the notebook"
[ -f "$prog/SoramiMemo.ini" ] || e2e_fail "the memo settings were not written"
echo "PASS: a note typed in the memo opened with Ctrl+M is saved as RTF"
