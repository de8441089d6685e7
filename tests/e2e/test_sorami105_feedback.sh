# Feedback on a wrong answer, as a learner with both options stored sees and
# hears it: the differences marked in the answer and correct-answer boxes
# (their two mark colours are on screen), and the model answer spoken by
# espeak-ng through the sound output, recorded from a null sink of a private
# sound server: speech-length sound, not silence.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_begin_drill xdotool iconv convert espeak-ng pulseaudio parec sox

# The cues would be recorded too: without their files they play nothing.
rm -f "$prog"/*.wav
printf '[AnswerFeedback]\r\nShowDifferences=1\r\nSpeakOnShow=1\r\n' >"$prog/Sorami105.ini"
questions="$E2E_TMP/feedback.lko"
printf '%s\r\n' 彼は先生です。 'He is a teacher.' 'teacher：先生' | iconv -f UTF-8 -t CP932 >"$questions"

pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no --disable-shm \
  --load="module-native-protocol-unix" --load="module-null-sink sink_name=rec" \
  >"$E2E_TMP/pulse.log" 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 1 50); do
  pactl info >/dev/null 2>&1 && break
  sleep 0.1
done
pactl info >/dev/null 2>&1 || e2e_fail "the private sound server did not start"
pactl set-default-sink rec
parec -d rec.monitor --file-format=wav "$E2E_TMP/heard.wav" &
recorder=$!
E2E_PIDS+=("$recorder")

e2e_start_drill "$prog/Sorami105" Taro
e2e_open_in_drill "$questions"
e2e_type "He is teacher!"
e2e_key Return
sleep 3
kill "$recorder"
wait "$recorder" 2>/dev/null || true

import -window "$DRILL_WIN" "$E2E_TMP/marked.png"
[ -n "${SORAMI_E2E_KEEP:-}" ] && cp "$E2E_TMP/marked.png" "$SORAMI_E2E_KEEP"
colours=$(convert "$E2E_TMP/marked.png" -format %c histogram:info:- | tr 'a-f' 'A-F')
grep -q '#FFB8B8' <<<"$colours" || e2e_fail "no typed characters marked"
grep -q '#B8F0B8' <<<"$colours" || e2e_fail "no left-out characters marked"

sox "$E2E_TMP/heard.wav" "$E2E_TMP/speech.wav" silence 1 0.05 1% reverse silence 1 0.05 1% reverse
seconds=$(soxi -D "$E2E_TMP/speech.wav")
awk -v s="$seconds" 'BEGIN { exit !(s > 0.7 && s < 4) }' ||
  e2e_fail "the sound heard lasts $seconds s, not a spoken sentence"
echo "PASS: the differences are marked and $seconds s of speech were played"
