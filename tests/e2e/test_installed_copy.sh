# An installed copy, its folders read-only: the drill starts, finds its cues
# and the sample in the share folder, and writes its INI and score file into
# the learner's XDG folders, never beside the program.
source "${SORAMI_E2E_LIB:-$(dirname "$0")/e2e_lib.sh}"
e2e_start_display
command -v xdotool >/dev/null || e2e_skip "xdotool is not installed"
command -v iconv >/dev/null || e2e_skip "iconv is not installed"
build=$(cd "$SORAMI_PROGRAM_DIR/.." && pwd)
prefix="$E2E_TMP/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null || e2e_fail "cmake --install failed"
chmod -R a-w "$prefix"
trap 'chmod -R u+w "$prefix" 2>/dev/null; e2e_cleanup' EXIT
e2e_private_runtime_dir
export HOME="$E2E_TMP/home" XDG_CONFIG_HOME="$E2E_TMP/home/config" XDG_DATA_HOME="$E2E_TMP/home/data"
mkdir -p "$HOME"

cp "$prefix/share/sorami/sample.lko" "$E2E_TMP/q.lko"
chmod u+w "$E2E_TMP/q.lko"
e2e_start_drill "$prefix/bin/Sorami105"
pid=$DRILL_PID
# Open the question file, then start the score file anew (Ctrl+Del, OK).
e2e_open_in_drill "$E2E_TMP/q.lko"
win=$DRILL_WIN
sleep 0.3
# The window's class is the one its menu entry names, so a desktop ties the
# window to the entry and its icon.
class=$(xprop -id "$win" WM_CLASS | sed 's/^[^=]*= //')
wmclass=$(sed -n 's/^StartupWMClass=//p' "$prefix/share/applications/jp.sorami.Sorami105.desktop")
[ -n "$wmclass" ] && [ "${class##*, }" = "\"$wmclass\"" ] ||
  e2e_fail "window class $class, menu entry StartupWMClass=$wmclass"
e2e_key ctrl+Delete
e2e_key Return
for _ in $(seq 1 30); do [ -f "$XDG_DATA_HOME/sorami/成績.dat" ] && break; sleep 0.1; done
# The end button, then OK: the resume record is written.
xdotool windowfocus --sync "$win" 2>/dev/null || true
height=$(xdotool getwindowgeometry "$win" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
xdotool mousemove --window "$win" 501 $((height - 497 + 448)) click 1
sleep 0.5
e2e_key Return
e2e_wait_exit "$pid" 5 "the drill did not end"

ini="$XDG_CONFIG_HOME/sorami/ソラミ君.ini"
[ -f "$ini" ] || e2e_fail "no INI in $XDG_CONFIG_HOME/sorami"
resumed=$(e2e_ini_value "$ini" 問題ファイル名 PFileName)
[ "$resumed" = "$E2E_TMP/q.lko" ] || e2e_fail "the resume record names $resumed, not the question file"

[ -f "$XDG_DATA_HOME/sorami/成績.dat" ] || e2e_fail "no score file in $XDG_DATA_HOME/sorami"
ls "$prefix/bin" | grep -qv -e '^Sorami105$' -e '^SrmMini$' -e '^Srmmini32$' -e '^srmtool$' &&
  e2e_fail "files were written beside the installed program: $(ls "$prefix/bin")"
# The installed question-file tool finds the installed sample clean, and an
# export and import of it gives the same bytes.
"$prefix/bin/srmtool" check "$prefix/share/sorami/sample.lko" >/dev/null ||
  e2e_fail "srmtool check reports findings on the sample"
"$prefix/bin/srmtool" export "$prefix/share/sorami/sample.lko" --format tsv >"$E2E_TMP/s.tsv"
"$prefix/bin/srmtool" import "$E2E_TMP/s.tsv" -o "$E2E_TMP/s.lko" || e2e_fail "srmtool import failed"
cmp -s "$prefix/share/sorami/sample.lko" "$E2E_TMP/s.lko" || e2e_fail "export and import changed the sample"
# The score file the drill wrote draws as a PNG chart; the man page is installed.
"$prefix/bin/srmtool" scores "$XDG_DATA_HOME/sorami/成績.dat" --chart "$E2E_TMP/chart.png" >/dev/null ||
  e2e_fail "srmtool scores --chart failed"
head -c 8 "$E2E_TMP/chart.png" | od -An -tx1 | grep -q '89 50 4e 47 0d 0a 1a 0a' ||
  e2e_fail "the chart is not a PNG"
for page in Sorami105 SrmMini Srmmini32 srmtool; do
  [ -f "$prefix/share/man/man1/$page.1.gz" ] || e2e_fail "the man page of $page is not installed"
done
echo "PASS: the installed copy keeps its files in the learner's folders"
