#!/usr/bin/env bash
# Turns the SVG drawings in assets/art/ into the bitmaps the game loads from assets/.
# Run from the repo root: bash tools/make_art.sh
# The SVGs themselves are written by tools/make_svgs.py; run that first after changing a drawing there.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick (imagemagick).
set -euo pipefail

art=assets/art
out=assets

if [ ! -d "$art" ]; then
  echo "make_art.sh: run me from the repo root (no $art here)" >&2
  exit 1
fi

command -v rsvg-convert >/dev/null || { echo "make_art.sh: rsvg-convert missing (apt-get install librsvg2-bin)" >&2; exit 1; }
if command -v convert >/dev/null; then
  im=(convert)
elif command -v magick >/dev/null; then
  im=(magick)
else
  echo "make_art.sh: ImageMagick missing (apt-get install imagemagick)" >&2
  exit 1
fi

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Icons keep their alpha channel: the game draws them over the playing field and uses one as cursor.
for i in $(seq -w 0 16); do
  rsvg-convert -w 32 -h 32 "$art/gegner$i.svg" -o "$out/gegner$i.png"
done
rsvg-convert -w 32 -h 32 "$art/brummo.svg" -o "$out/brummo.png"
rsvg-convert -w 48 -h 48 "$art/brummo.svg" -o "$out/brummo48.png"
rsvg-convert -w 32 -h 32 "$art/brummo_blau.svg" -o "$out/brummo_blau.png"
rsvg-convert -w 32 -h 32 "$art/brummo_rot.svg" -o "$out/brummo_rot.png"

# GIF has only on/off transparency, so the pictures are flattened onto an opaque colour first;
# without dithering the flat cartoon colours stay clean instead of turning grainy.
to_gif() {
  local name=$1 w=$2 h=$3
  rsvg-convert -w "$w" -h "$h" "$art/$name.svg" -o "$tmp/$name.png"
  "${im[@]}" "$tmp/$name.png" -background white -alpha remove -alpha off \
    +dither -colors 256 -strip "$out/$name.gif"
}
to_gif splash 251 278
to_gif winner 329 321
to_gif loser 206 233

# The playing field is drawn in the proportions the game stretches it to (476 x 291),
# so it is squeezed into the stored 300 x 235 here and looks right again on screen.
rsvg-convert "$art/spielfeld.svg" -o "$tmp/spielfeld.png"
"${im[@]}" "$tmp/spielfeld.png" -background white -alpha remove -alpha off \
  -resize '300x235!' -strip -quality 90 "$out/spielfeld.jpg"

echo "make_art.sh: bitmaps written to $out/"
