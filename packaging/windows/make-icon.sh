#!/usr/bin/env bash
# Draws the program's Windows icon, brummo.ico, from the game's own drawing assets/art/brummo.svg,
# at the sizes Explorer, the taskbar and the Start menu ask for. The same drawing gives the same
# file, byte for byte: rsvg-convert and icotool write no dates.
#   packaging/windows/make-icon.sh [OUTPUT]   (default: packaging/windows/brummo.ico)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
drawing=$here/../../assets/art/brummo.svg
output=${1:-$here/brummo.ico}

for tool in rsvg-convert icotool; do
  command -v "$tool" >/dev/null \
    || { echo "make-icon.sh: $tool missing (apt-get install librsvg2-bin icoutils)" >&2; exit 1; }
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Up to 64 pixels as bitmaps, which every Windows reads; 256 as PNG, which keeps the file small.
bitmaps=()
for size in 16 20 24 32 40 48 64; do
  rsvg-convert -w "$size" -h "$size" "$drawing" -o "$tmp/$size.png"
  bitmaps+=("$tmp/$size.png")
done
rsvg-convert -w 256 -h 256 "$drawing" -o "$tmp/256.png"
icotool --create --output="$output" "${bitmaps[@]}" --raw="$tmp/256.png"
