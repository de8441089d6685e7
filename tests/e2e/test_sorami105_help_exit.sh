# The drill ended with its help window open: the help window closes with it,
# the program ends, and the next start shows its name box again.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool

e2e_start_drill "$prog/Sorami105" Hanako
win=$DRILL_WIN
pid=$DRILL_PID

# The help menu, a top item without sub-items.
e2e_key alt+h
e2e_wait_window 'ヘルプ - Sorami10.hlp' >/dev/null || e2e_fail "no help window"

# The end button and OK.
xdotool windowfocus --sync "$win" 2>/dev/null || true
e2e_click_client "$win" 501 448
e2e_wait_dialog "$pid" "$win"
e2e_key Return
e2e_wait_exit "$pid" 5 "the drill is still running after its window closed"

# The single-instance lock went with it.
"$prog/Sorami105" >"$E2E_TMP/again.log" 2>&1 &
E2E_PIDS+=($!)
e2e_wait_window '名前の登録' >/dev/null || e2e_fail "the next start shows no name box"
echo "PASS: the help window closed with the drill, and the drill starts again"
