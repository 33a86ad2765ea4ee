#!/bin/sh
# Runs the Windows build of the registry test under Wine, in a Wine prefix of its own that is
# thrown away afterwards. Exit code 77 tells CTest that the test was skipped.
# Usage: check-registry-wine.sh PROGRAM.exe   (not built where no mingw-w64 compiler was found)
program=$1
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

if [ ! -e "$program" ]; then
    echo "SKIP: x86_64-w64-mingw32-g++ not found at configure time (tools/setup.sh installs g++-mingw-w64-x86-64)"
    exit 77
fi
if [ ! -x "$wine" ] || [ ! -x "$wineserver" ]; then
    echo "SKIP: Wine not found at $wine (tools/setup.sh installs wine64)"
    exit 77
fi

folder=$(mktemp -d) || exit 1
export WINEPREFIX="$folder/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# No window, and no prompts to install Mono or Gecko: this is a console program.
unset DISPLAY WAYLAND_DISPLAY
cleanup() {
    # The Wine server outlives the program and would keep CTest's output pipe open.
    timeout -k 5 30 "$wineserver" -k 2>/dev/null
    rm -rf "$folder"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The first start makes the prefix (several seconds, more on a cold disk cache); CTest's own
# limit is longer, so that the clean-up above still runs when this one strikes.
timeout -k 5 150 "$wine" "$program"
