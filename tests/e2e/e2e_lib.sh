# Shared helpers of the end-to-end scripts. Source it, then call e2e_start_display.
set -euo pipefail

E2E_TMP=$(mktemp -d /tmp/sorami-e2e.XXXXXX)
E2E_PIDS=()

e2e_cleanup() {
  local pid
  for pid in "${E2E_PIDS[@]:-}"; do
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  done
  # A program closing on the signal still writes its files into the folder;
  # removing it meanwhile fails the test that has passed.
  for pid in "${E2E_PIDS[@]:-}"; do
    for _ in $(seq 1 50); do
      [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null || break
      sleep 0.1
    done
  done
  rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

e2e_skip() { echo "SKIPPED: $*"; exit 77; }
e2e_fail() { echo "FAILED: $*" >&2; exit 1; }

# Starts a private Xvfb display and exports DISPLAY; skips the test when
# none can be had.
e2e_start_display() {
  command -v Xvfb >/dev/null || e2e_skip "Xvfb is not installed"
  local n
  for n in $(seq 91 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    # -noreset: a server that resets whenever its last client leaves refuses
    # connections for a moment, which a program started right after an
    # xdotool call would hit.
    Xvfb ":$n" -noreset -screen 0 1280x1024x24 -nolisten tcp >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    for _ in $(seq 1 50); do
      if [ -e "/tmp/.X11-unix/X$n" ]; then
        export DISPLAY=":$n"
        unset QT_QPA_PLATFORM
        export QT_QPA_PLATFORM=xcb
        return 0
      fi
      sleep 0.1
    done
  done
  e2e_skip "no Xvfb display could be started"
}

# Copies the built programs and everything beside them into a fresh program
# directory, so the test's INI and score files never touch the build.
e2e_program_dir() {
  local dir="$E2E_TMP/prog"
  mkdir -p "$dir"
  cp -a "$SORAMI_PROGRAM_DIR"/. "$dir"/
  rm -f "$dir"/*.ini "$dir"/成績.dat
  echo "$dir"
}

# Waits until a window whose title matches $1 is mapped; prints its id.
e2e_wait_window() {
  local pattern="$1" tries="${2:-100}" id
  for _ in $(seq 1 "$tries"); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

e2e_screenshot() { import -window root "$1" 2>/dev/null || true; }

# Gives the test a runtime directory of its own, so the drill's single-instance
# lock never meets a copy the developer is running, and a data folder of its
# own.
e2e_private_runtime_dir() {
  export XDG_RUNTIME_DIR="$E2E_TMP/run"
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  # Recovery copies the developer's own sessions left must not be offered
  # to the test's drill, nor the test's copies to the developer.
  export XDG_DATA_HOME="$E2E_TMP/data"
}

# The start the drill's tests share: a display, the tools named as arguments
# (a missing one skips the test), the built programs' folder copied into
# $prog (a missing drill fails the test) and a private runtime folder, which
# also gives the test a single-instance lock of its own.
e2e_begin_drill() {
  e2e_start_display
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || e2e_skip "$tool is not installed"
  done
  prog=$(e2e_program_dir)
  [ -x "$prog/Sorami105" ] || e2e_fail "Sorami105 was not built"
  e2e_private_runtime_dir
}

# Waits until process $1 shows a window other than $2 (its modal dialog) and
# gives it a moment to take the keyboard; fails the test when none appears.
# The dialog's window id is left in E2E_DIALOG.
e2e_wait_dialog() {
  local pid="$1" main="$2" dialog=""
  for _ in $(seq 1 50); do
    dialog=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | grep -vx "$main" | head -n1 || true)
    [ -n "$dialog" ] && break
    sleep 0.1
  done
  [ -n "$dialog" ] || e2e_fail "no dialog appeared"
  E2E_DIALOG=$dialog
  sleep 0.5
}

# Clicks the point $2, $3 of the client area of the drill window $1, below
# its menu bar.
e2e_click_client() {
  local height
  height=$(xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: [0-9]*x\([0-9]*\).*/\1/p')
  xdotool mousemove --window "$1" "$2" $((height - 497 + $3)) click 1
  sleep 0.3
}

# Presses the keys named as arguments, as xdotool names them, with no
# modifier the test's earlier keys may have left held, and gives the program
# a moment to act on them.
e2e_key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
e2e_type() { xdotool type --delay 30 "$1"; sleep 0.2; }

# Waits up to $2 seconds for process $1 to end; fails the test, saying $3,
# when it is still running then.
e2e_wait_exit() {
  local pid="$1" seconds="$2" what="${3:-process $1 is still running after $2 s}"
  for _ in $(seq 1 $((seconds * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  e2e_fail "$what"
}

# Prints the value of key $3 in section [$2] of the Shift-JIS INI file $1 in
# UTF-8; fails the test when the file, the section or the key is missing.
e2e_ini_value() {
  local file="$1" section="$2" key="$3" text line inside=0
  [ -f "$file" ] || e2e_fail "no INI file $file"
  text=$(iconv -f CP932 -t UTF-8 "$file" | tr -d '\r') || e2e_fail "$file is not Shift-JIS"
  while IFS= read -r line; do
    case "$line" in
      "[$section]") inside=1 ;;
      "["*"]") inside=0 ;;
      "$key="*)
        if [ "$inside" = 1 ]; then
          printf '%s\n' "${line#*=}"
          return 0
        fi
        ;;
    esac
  done <<<"$text"
  e2e_fail "[$section] $key is not in $file: $text"
}

# Starts the program file $1 in $E2E_TMP, its output appended to
# $E2E_TMP/<program>.log, and waits for its window, whose title matches $2.
# Sets PROGRAM_PID and PROGRAM_WIN.
e2e_start_program() {
  cd "$E2E_TMP"
  "$1" >>"$E2E_TMP/${1##*/}.log" 2>&1 &
  PROGRAM_PID=$!
  E2E_PIDS+=("$PROGRAM_PID")
  PROGRAM_WIN=$(e2e_wait_window "$2") || e2e_fail "the window of ${1##*/} did not appear"
}

# Starts the drill $1 (the program file) in $E2E_TMP, answers the name box
# with $2 and waits for the drill window. Sets DRILL_PID and DRILL_WIN.
e2e_start_drill() {
  cd "$E2E_TMP"
  "$1" >"$E2E_TMP/drill.log" 2>&1 &
  DRILL_PID=$!
  E2E_PIDS+=("$DRILL_PID")
  local namebox
  namebox=$(e2e_wait_window '名前の登録') || e2e_fail "no name box"
  xdotool windowfocus --sync "$namebox" 2>/dev/null || true
  [ -n "${2:-}" ] && e2e_type "$2"
  e2e_key Return
  DRILL_WIN=$(e2e_wait_window 'がんばれソラミ君・ＬｋＯ') || e2e_fail "the drill window did not appear"
  xdotool windowfocus --sync "$DRILL_WIN" 2>/dev/null || true
  sleep 0.5
}

# Opens the question file $1 in the running drill through Ctrl+O and the file
# dialog, and waits for the caption that a loaded file gives; DRILL_WIN is
# then that window. Leaves the window focused unless $2 is "nofocus".
e2e_open_in_drill() {
  e2e_key ctrl+o
  e2e_wait_dialog "$DRILL_PID" "$DRILL_WIN"
  e2e_type "$1"
  e2e_key Return
  DRILL_WIN=$(e2e_wait_window 'ソラミ君 ＬｋＯ') || e2e_fail "the caption did not change after loading"
  if [ "${2:-}" != nofocus ]; then
    xdotool windowfocus --sync "$DRILL_WIN" 2>/dev/null || true
    sleep 0.3
  fi
}
