#!/usr/bin/env bash
# Installs every Debian package the game needs to build, run, test and package.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-svg-dev qt6-tools-dev qt6-l10n-tools
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont
  fonts-comic-neue fonts-dejavu-core
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file
  xvfb xauth xdotool openbox imagemagick librsvg2-bin sox python3
  libbenchmark-dev libx11-dev x11-utils time procps dbus-daemon
  g++-mingw-w64-x86-64 wine64
  lintian weston qt6-wayland
  pulseaudio pulseaudio-utils
)

sudo_if_needed() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  sudo_if_needed apt-get update -qq
  sudo_if_needed apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
