#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need,
# but only those that are missing, so a warm machine starts at once.
set -euo pipefail

# What each group is for: the build; Qt; sound; Japanese faces; the
# end-to-end tests under Xvfb (xxd and sox read what the programs wrote); the
# icons, the desktop files' validators and the manual pages; the Debian
# package (dpkg-shlibdeps from dpkg-dev, and file, find its library
# dependencies); the model answer spoken (espeak-ng), and a private sound
# server with a null sink whose recording the speech test measures;
# srmtool's Anki packages (a zip holding an SQLite collection,
# zstd-compressed in newer ones) and the KVTML files its tests import.
packages=(
  cmake ninja-build g++ pkg-config libbenchmark-dev clang-format
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev
  libsndfile1-dev libpulse-dev
  fonts-noto-cjk fontconfig
  xvfb xdotool x11-utils imagemagick sox xxd
  librsvg2-bin desktop-file-utils appstream man-db
  dpkg-dev file
  espeak-ng pulseaudio pulseaudio-utils
  libzip-dev libsqlite3-dev libzstd-dev kdeedu-kvtml-data
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "These Debian packages are missing: ${missing[*]}" >&2
  echo "Install them with:" >&2
  echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
