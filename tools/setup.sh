#!/usr/bin/env bash
# Installs the Debian packages this work tree needs, from one list in two groups:
#
#   tools/setup.sh play   what building and running the game needs (tools/play.sh)
#   tools/setup.sh        that and what the tests, benchmarks, fuzzers and package checks need
#                         besides (tools/run-tests.sh)
#
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

# The player's build (BUILD_TESTING and BRUMMO_BENCH off) and what the game loads when it runs.
play=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools
  libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev
  timgm6mb-soundfont fonts-comic-neue fonts-dejavu-core qt6-translations-l10n qt6-wayland
)
# Everything else the test command runs: the fuzzers (clang), the package build and its checks,
# the real program under X11, Wayland and PulseAudio, the registry under Wine, the benchmarks.
tests=(
  git python3
  clang libclang-rt-14-dev
  desktop-file-utils appstream dpkg-dev file lintian
  xvfb xauth xdotool openbox x11-utils dbus-daemon weston
  pulseaudio pulseaudio-utils
  g++-mingw-w64-x86-64 wine64
  libbenchmark-dev libx11-dev time procps imagemagick librsvg2-bin
)

case ${1:-all} in
  play) packages=("${play[@]}") ;;
  all) packages=("${play[@]}" "${tests[@]}") ;;
  *) echo "usage: tools/setup.sh [play]" >&2; exit 2 ;;
esac

# sudo would drop an exported DEBIAN_FRONTEND; given on its command line it reaches apt-get, so
# that no package stops to ask on the terminal.
as_root() {
  if [ "$(id -u)" -eq 0 ]; then
    DEBIAN_FRONTEND=noninteractive "$@"
  else
    sudo DEBIAN_FRONTEND=noninteractive "$@"
  fi
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
