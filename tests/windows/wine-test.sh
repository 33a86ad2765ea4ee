#!/usr/bin/env bash
# The Windows test build's emulator (ctest puts it before every test program): runs the program
# under Wine with Qt's offscreen platform, in the build's own Wine prefix.
# Usage: wine-test.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# The first test to come makes the prefix, the others wait for it; it stays for the next run.
set -euo pipefail
prefix=$1
shift
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || { echo "FAIL: Wine not found at $wine (packaging/windows/install-build-tools.sh installs it)"; exit 1; }

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The tests want no window on anyone's screen. Wine names Linux files in the character set of LC_ALL:
# UTF-8, which every Debian system has, so that "Bär und Öl" is a name it can make.
unset DISPLAY WAYLAND_DISPLAY
export LC_ALL=C.UTF-8
{
  flock 9
  if [ ! -e "$prefix/system.reg" ]; then
    timeout -k 5 150 "$wine" wineboot.exe --init >"$prefix.log" 2>&1 ||
      { echo "Wine could not make its prefix:"; cat "$prefix.log"; exit 1; }
    timeout -k 5 60 "$wineserver" -w
  fi
} 9>"$prefix.lock"

# Qt's offscreen platform on Windows knows no fonts of the system, only those in QT_QPA_FONTDIR:
# there the tests get the fonts they get from fontconfig on Linux, the stand-ins the game brings.
fonts=$prefix.fonts
mkdir -p "$fonts"
ln -sf /usr/share/fonts/opentype/comic-neue/*.otf /usr/share/fonts/truetype/dejavu/DejaVuSans*.ttf "$fonts"/
export QT_QPA_FONTDIR=Z:$fonts
# Wine keeps the variables beginning with QT_ for itself and gives a Windows program the ones
# named WINEQT_... under their names without WINE: the tests' own Qt settings reach them so.
while IFS='=' read -r name _; do
  export "WINE$name=${!name}"
done < <(env | grep -o '^QT_[A-Z_]*=')
# The tests find the game's files through BRUMMO_SOURCE_DIR, which Windows reads as a drive path.
if [ -n "${BRUMMO_SOURCE_DIR:-}" ]; then
  export BRUMMO_SOURCE_DIR=Z:$BRUMMO_SOURCE_DIR
fi
# Qt Test's log does not come through Wine's standard output: it goes to a file, shown afterwards.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
"$wine" "$@" -o "$(printf 'Z:%s' "$log"),txt" || status=$?
cat "$log"
exit "$status"
