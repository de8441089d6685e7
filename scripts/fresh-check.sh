#!/usr/bin/env bash
# Tries the project as a new learner or contributor would, on a fresh minimal
# Debian 12 with nothing installed by hand:
#   1. builds a minbase bookworm root with debootstrap,
#   2. clones the project into it and runs the README's test command there,
#   3. builds the Debian package there,
#   4. installs the package with apt into a second fresh root,
#   5. starts each program there under Xvfb and checks that its window shows
#      and that a Japanese face is what renders its Japanese text,
#   6. runs lintian on the package.
# Prints one line per step, "passed" or "failed", and the log of each step
# lies in the folder given. Takes about 40 minutes on 2 cores. Root only.
#   bash scripts/fresh-check.sh /var/tmp/sorami-fresh
# With a package named after the folder, only steps 4 to 6 run, for that
# package (a few minutes):
#   bash scripts/fresh-check.sh /var/tmp/sorami-fresh build/sorami_1.0.5_amd64.deb
set -uo pipefail
root_dir="$(cd "$(dirname "$0")/.." && pwd)"
work="${1:?a folder for the fresh roots and logs, e.g. /var/tmp/sorami-fresh}"
given_package="${2:+$(cd "$(dirname "$2")" && pwd)/$(basename "$2")}"
mirror="${SORAMI_MIRROR:-http://deb.debian.org/debian}"
[ "$(id -u)" -eq 0 ] || { echo "fresh-check needs root (debootstrap, chroot)" >&2; exit 2; }

mkdir -p "$work"
work="$(cd "$work" && pwd)"
logs="$work/logs"
build_root="$work/build-root"
install_root="$work/install-root"
mkdir -p "$logs"
failed=0

# Mounted file systems of the roots, taken down on every way out.
mounts=()
unmount_all() {
  local i
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do umount -l "${mounts[$i]}" 2>/dev/null; done
  mounts=()
}
trap unmount_all EXIT

step() { # step NAME COMMAND...: runs the command, its output into the step's log
  local name=$1
  shift
  local start=$SECONDS
  if "$@" >"$logs/$name.log" 2>&1; then
    printf '%-28s passed (%d s)\n' "$name" $((SECONDS - start))
  else
    printf '%-28s failed (%d s, log: %s)\n' "$name" $((SECONDS - start)) "$logs/$name.log"
    failed=1
    return 1
  fi
}

host_tools() {
  local need=()
  command -v debootstrap >/dev/null || need+=(debootstrap)
  command -v git >/dev/null || need+=(git)
  [ ${#need[@]} -eq 0 ] || { apt-get update -qq && apt-get install -y -qq --no-install-recommends "${need[@]}"; }
}

# A fresh root whose package lists and mirror are the host's (bookworm, its
# updates and security archives), able to reach the network and run X.
make_root() {
  local dir=$1
  rm -rf "$dir"
  debootstrap --variant=minbase bookworm "$dir" "$mirror" || return 1
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    rm -f "$dir/etc/apt/sources.list"
    cp /etc/apt/sources.list.d/debian.sources "$dir/etc/apt/sources.list.d/"
  fi
  cp /etc/apt/apt.conf.d/99* "$dir/etc/apt/apt.conf.d/" 2>/dev/null
  cp -L /etc/resolv.conf "$dir/etc/resolv.conf"
}

mount_root() {
  local dir=$1
  mount -t proc proc "$dir/proc" && mounts+=("$dir/proc")
  # Slaves, so that taking them down never takes down the host's own mounts.
  mount --rbind /sys "$dir/sys" && mount --make-rslave "$dir/sys" && mounts+=("$dir/sys")
  mount --rbind /dev "$dir/dev" && mount --make-rslave "$dir/dev" && mounts+=("$dir/dev")
  mount -t tmpfs tmpfs "$dir/tmp" && mounts+=("$dir/tmp")
  mkdir -p "$dir/run/shm"
  mount -t tmpfs tmpfs "$dir/run" && mounts+=("$dir/run")
}

in_root() { # in_root DIR COMMAND: a login-like shell inside the root
  local dir=$1
  shift
  chroot "$dir" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 TERM=dumb /bin/bash -c "$*"
}

clone_project() {
  rm -rf "$build_root/src"
  git clone -q "$root_dir" "$build_root/src/sorami"
}

package_file() {
  if [ -n "$given_package" ]; then echo "$given_package"; return; fi
  ls "$build_root"/src/sorami/build/sorami_*_amd64.deb 2>/dev/null | head -n 1
}

install_package() {
  local deb
  deb=$(package_file)
  [ -n "$deb" ] || { echo "no package was built"; return 1; }
  cp "$deb" "$install_root/tmp/"
  in_root "$install_root" "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq /tmp/$(basename "$deb")"
}

# Each program's window must appear, and fontconfig must give a Japanese face
# for Japanese text (otherwise the captions would be boxes).
start_programs() {
  in_root "$install_root" "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends xvfb xdotool x11-apps imagemagick >/dev/null" || return 1
  cat >"$install_root/tmp/start.sh" <<'EOF'
set -u
face=$(fc-match -f '%{family}' ':lang=ja')
echo "Japanese face: $face"
case "$face" in *CJK*|*IPA*|*Takao*|*VL*) ;; *) echo "no Japanese face"; exit 1 ;; esac
# -noreset: a server that resets when its last client leaves refuses the
# next program for a moment.
Xvfb :77 -noreset -screen 0 1280x1024x24 -nolisten tcp >/tmp/xvfb.log 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null' EXIT
export DISPLAY=:77 XDG_RUNTIME_DIR=/tmp/run HOME=/tmp/home
mkdir -p "$XDG_RUNTIME_DIR" "$HOME"; chmod 700 "$XDG_RUNTIME_DIR"
for i in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
rc=0
for program in Sorami105 SrmMini Srmmini32; do
  "$program" >/tmp/$program.out 2>&1 &
  pid=$!
  shown=
  for i in $(seq 100); do
    if xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; then shown=1; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -n "$shown" ]; then
    sleep 1
    xwd -root -silent | convert xwd:- "/tmp/$program.png"
    title=$(xdotool getwindowname "$(xdotool search --onlyvisible --pid "$pid" | head -n 1)")
    echo "$program: window shown: $title"
  else
    echo "$program: no window"; cat "/tmp/$program.out"; rc=1
  fi
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null
done
exit $rc
EOF
  in_root "$install_root" "bash /tmp/start.sh" || return 1
  mkdir -p "$logs/screens"
  cp "$install_root"/tmp/*.png "$logs/screens/" 2>/dev/null
  return 0
}

run_lintian() {
  local deb
  deb=$(package_file)
  in_root "$install_root" "DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends lintian >/dev/null" || return 1
  cp "$deb" "$install_root/tmp/"
  # Any error or warning fails; information lines are shown but pass.
  in_root "$install_root" "lintian --fail-on error,warning --info /tmp/$(basename "$deb")"
}

total=$SECONDS
step host-tools host_tools || exit 1
if [ -n "$given_package" ]; then
  [ -f "$given_package" ] || { echo "no package at $given_package" >&2; exit 2; }
  step debootstrap-install-root make_root "$install_root" || exit 1
  mount_root "$install_root"
  step install-package install_package && step start-programs start_programs
  step lintian run_lintian
  echo "total: $((SECONDS - total)) s"
  [ "$failed" -eq 0 ] && echo "fresh-check: all steps passed" || echo "fresh-check: some steps failed"
  exit "$failed"
fi
step debootstrap-build-root make_root "$build_root" || exit 1
# The install root starts from the same fresh system, copied before anything is added.
rm -rf "$install_root"
step copy-install-root cp -a "$build_root" "$install_root" || exit 1
mount_root "$build_root"
mount_root "$install_root"
step clone clone_project || exit 1
step readme-test-command in_root "$build_root" "cd /src/sorami && bash scripts/test.sh"
step build-package in_root "$build_root" "cd /src/sorami/build && cpack -G DEB"
if [ -n "$(package_file)" ]; then
  step install-package install_package && step start-programs start_programs
  step lintian run_lintian
fi
echo "total: $((SECONDS - total)) s"
[ "$failed" -eq 0 ] && echo "fresh-check: all steps passed" || echo "fresh-check: some steps failed"
exit "$failed"
