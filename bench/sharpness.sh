#!/usr/bin/env bash
# Edge sharpness of the playing field and the splash picture on scaled desktops, against their
# vector sources drawn at the same size by rsvg-convert. Renders the windows with render-windows
# at each scale factor, cuts the picture out of the window and compares it with the drawing.
#
#   bench/sharpness.sh [BUILD_DIR]       default: build
#
# Prints one line per picture and scale: shown, drawn by rsvg-convert, ratio (goal: >= 0.8 at 2 and 3).
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

device_pixels() { awk -v n="$1" -v s="$2" 'BEGIN { printf "%d", n * s + 0.5 }'; }

# picture in the window, its vector source, logical size in the window (both at the top left).
pictures=("main-idle spielfeld 476 291" "splash splash 355 278")

printf '%-6s %-10s %10s %10s %8s\n' scale picture shown rsvg ratio
for scale in 1 1.25 1.5 2 3; do
  QT_SCALE_FACTOR=$scale "$build/tests/screens/render-windows" "$work" 2>/dev/null
  for entry in "${pictures[@]}"; do
    read -r window svg w h <<<"$entry"
    dw=$(device_pixels "$w" "$scale"); dh=$(device_pixels "$h" "$scale")
    convert "$work/$window.png" -crop "${dw}x${dh}+0+0" +repage "$work/shown.png"
    rsvg-convert -w "$dw" -h "$dh" -b white "assets/art/$svg.svg" -o "$work/rsvg.png"
    read -r shown drawn ratio < <("$build/bench/sharpness" "$work/shown.png" "$work/rsvg.png")
    printf '%-6s %-10s %10s %10s %8s\n' "$scale" "$svg" "$shown" "$drawn" "$ratio"
  done
done
