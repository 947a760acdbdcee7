#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Nivara need,
# only those that are missing, so a prepared machine starts at once.
set -euo pipefail

# Further packages may be named on the command line (the test command adds
# the waveform tools its interchange tests run).
packages=(
  "$@"
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev qt6-l10n-tools qt6-translations-l10n
  libgtest-dev googletest libgmock-dev libbenchmark-dev
  xvfb xauth fonts-ipafont-gothic poppler-utils xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
