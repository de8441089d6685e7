# Only one drill at a time: while a first copy runs (waiting at its name
# box), a second start ends at once and shows nothing at all; the first keeps
# running.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool

cd "$E2E_TMP"
"$prog/Sorami105" >"$E2E_TMP/first.log" 2>&1 &
first=$!
E2E_PIDS+=("$first")
e2e_wait_window '名前の登録' >/dev/null || e2e_fail "the first copy shows no name box"

start=$(date +%s%N)
"$prog/Sorami105" >"$E2E_TMP/second.log" 2>&1 &
second=$!
E2E_PIDS+=("$second")
for _ in $(seq 1 50); do
  kill -0 "$second" 2>/dev/null || break
  # The second copy must never map a window of its own.
  if [ -n "$(xdotool search --onlyvisible --pid "$second" 2>/dev/null || true)" ]; then
    e2e_fail "the second copy showed a window"
  fi
  sleep 0.1
done
kill -0 "$second" 2>/dev/null && e2e_fail "the second copy is still running after 5 s"
wait "$second" || e2e_fail "the second copy ended with status $?"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
echo "second copy ended after ${elapsed} ms"

kill -0 "$first" 2>/dev/null || e2e_fail "the first copy ended as well"
[ "$(xdotool search --onlyvisible --name '名前の登録' | wc -l)" = 1 ] ||
  e2e_fail "there is not exactly one name box"
echo "PASS: second start ended silently while the first keeps running"
