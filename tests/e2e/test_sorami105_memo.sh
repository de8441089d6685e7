# The memo notebook as a learner uses it from the drill: Ctrl+M opens it,
# the learner switches to rich text with "R", types a note, saves it as rich text with Ctrl+A and the save
# dialog, and closes the notebook with its quit button. The file on disk is
# RTF holding the note, and the drill is still running afterwards. Then the
# learner opens the notebook again, types a stray letter, opens the saved note
# with Ctrl+O (answering the question about the unnamed text with Return, its
# default Yes) and saves it under a new name: the copy holds the note, so the
# reopened notebook showed it.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool

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

# Waits until window $1 is no longer shown. The list is taken whole first:
# grep -q leaving early would fail the pipe and look like a closed window.
wait_gone() {
  local shown
  for _ in $(seq 1 50); do
    shown=$(xdotool search --onlyvisible --pid "$DRILL_PID" 2>/dev/null || true)
    grep -qx "$1" <<<"$shown" || return 0
    sleep 0.1
  done
  return 1
}

# Waits for a window of the drill other than the drill window and $1; prints
# its id once it has had a moment to take the keyboard.
dialog_over() {
  local id
  for _ in $(seq 1 50); do
    id=$(xdotool search --onlyvisible --pid "$DRILL_PID" 2>/dev/null |
      grep -vx -e "$1" -e "$DRILL_WIN" | head -n1 || true)
    if [ -n "$id" ]; then
      sleep 0.5
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

xdotool windowfocus --sync "$DRILL_WIN" 2>/dev/null || true
e2e_key ctrl+m
memo=$(e2e_wait_window 'ソラミ君・メモノ－ト') || e2e_fail "Ctrl+M did not open the notebook again"
xdotool windowfocus --sync "$memo" 2>/dev/null || true
sleep 0.5
e2e_type "x"
e2e_key ctrl+o
question=$(dialog_over "$memo") || e2e_fail "Ctrl+O did not ask about the unnamed text"
e2e_key Return
wait_gone "$question" || e2e_fail "the question before opening did not close"
opener=$(dialog_over "$memo") || e2e_fail "Yes did not lead to the open dialog"
e2e_type "$E2E_TMP/note.rtf"
e2e_key Return
wait_gone "$opener" || e2e_fail "the open dialog did not take the note"
# Rich mode came back with the settings, so the copy is RTF again.
xdotool windowfocus --sync "$memo" 2>/dev/null || true
e2e_key ctrl+a
dialog_over "$memo" >/dev/null || e2e_fail "Ctrl+A did not open the save dialog"
e2e_type "$E2E_TMP/copy.rtf"
e2e_key Return
for _ in $(seq 1 30); do
  [ -s "$E2E_TMP/copy.rtf" ] && break
  sleep 0.1
done
[ -s "$E2E_TMP/copy.rtf" ] || e2e_fail "the reopened note was not saved again"
head -c 5 "$E2E_TMP/copy.rtf" | grep -q '^{\\rtf' || e2e_fail "the copy is not RTF"
grep -q 'take a walk: sanpo suru' "$E2E_TMP/copy.rtf" ||
  e2e_fail "the reopened notebook did not show the note: $(cat "$E2E_TMP/copy.rtf")"
grep -q 'sanpo surux\|xtake' "$E2E_TMP/copy.rtf" && e2e_fail "the stray letter was kept beside the note"
xdotool mousemove --window "$memo" 495 15 click 1
wait_gone "$memo" || e2e_fail "the quit button did not close the reopened notebook"
kill -0 "$DRILL_PID" 2>/dev/null || e2e_fail "the drill ended with the reopened notebook"
echo "PASS: a note typed in the memo opened with Ctrl+M is saved as RTF and opens again"
