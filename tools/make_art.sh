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

# On screens with more device pixels than logical ones (desktop scaling), each picture is drawn
# afresh for that scale at the size the game shows it, stretched pictures stretched the same way.
# The game picks the drawing for the screen's scale; one in between is scaled down from the next
# larger one. File names carry the logical size and the scale: spielfeld_476x291@2x.png.
scaled=$out/scaled
mkdir -p "$scaled"
rm -f "$scaled"/*.png
device_pixels() { awk -v n="$1" -v s="$2" 'BEGIN { printf "%d", n * s + 0.5 }'; }
# kind: "alpha" keeps the transparency (icons); "opaque" flattens onto white; "palette" also
# reduces to 256 colours like the GIFs, which decodes about four times faster than full colour:
# the splash picture is on the way to the first frame.
at_scales() {
  local name=$1 w=$2 h=$3 kind=$4 s file
  for s in 1.25 1.5 2 3; do
    file=$scaled/${name}_${w}x${h}@${s}x.png
    rsvg-convert -w "$(device_pixels "$w" "$s")" -h "$(device_pixels "$h" "$s")" "$art/$name.svg" -o "$tmp/scaled.png"
    case $kind in
      alpha) cp "$tmp/scaled.png" "$file" ;;
      opaque) "${im[@]}" "$tmp/scaled.png" -background white -alpha remove -alpha off -strip "$file" ;;
      palette) "${im[@]}" "$tmp/scaled.png" -background white -alpha remove -alpha off \
                 +dither -colors 256 -strip "PNG8:$file" ;;
    esac
  done
}
for i in $(seq -w 0 16); do at_scales "gegner$i" 32 32 alpha; done
for name in brummo brummo_blau brummo_rot; do at_scales "$name" 32 32 alpha; done
at_scales splash 355 278 palette    # the splash window stretches it
at_scales splash 251 278 palette    # the about window shows it as it is
at_scales spielfeld 476 291 opaque  # a palette would band its sky
at_scales winner 481 249 palette
at_scales loser 477 249 palette

echo "make_art.sh: bitmaps written to $out/"
