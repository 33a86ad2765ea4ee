#!/usr/bin/env bash
# Under a real window manager the splash window and the main window stand centred on the screen's
# area for windows with their frame, title bar included, and the about window's client area stands
# where the about window's layout puts it. The real program runs under openbox on Xvfb; xwininfo
# reads each client area and the frame openbox put around it.
# Usage: check-placement-openbox.sh PROGRAM     (exits 77, a skip, where no display can start;
# with SDL_AUDIODRIVER=dummy in the environment, as ctest gives every test)
set -euo pipefail
program=$(readlink -f "$1")

source "$(dirname "$0")/../support/openbox-display.sh"
start_openbox_display

read -r area_x area_y area_width area_height < <(work_area) ||
  fail "openbox tells no work area: $(xprop -root _NET_WORKAREA)"

# Centred: the frame leaves as much of the area free on the left as on the right, and above as
# below, to the pixel that an odd difference leaves over.
frame_is_centred() {
  local x y width height left right top bottom
  read -r x y width height < <(rectangle "$(frame_of "$1")")
  left=$((x - area_x)) right=$((area_x + area_width - x - width))
  top=$((y - area_y)) bottom=$((area_y + area_height - y - height))
  placed="frame ${width}x${height} at $x,$y: $left left, $right right, $top above, $bottom below"
  [ $((left - right)) -ge -1 ] && [ $((left - right)) -le 1 ] &&
    [ $((top - bottom)) -ge -1 ] && [ $((top - bottom)) -le 1 ]
}
# The client area of window $1 is exactly "x y width height" $2.
client_is() {
  placed="client area $(rectangle "$1")"
  [ "$(rectangle "$1")" = "$2" ]
}

mkdir "$tmp/play"
(cd "$tmp/play" && exec env HOME="$tmp/home" QT_QPA_PLATFORM=xcb "$program") \
  > "$tmp/game.log" 2>&1 &
game=$!

# The splash window shows for three seconds, without a frame of its own.
splash=$(await_window Form1 10)
within 3 frame_is_centred "$splash" || fail "the splash window is not centred: $placed"
echo "ok: splash window centred, $placed"

# The main window is moved into the middle once openbox has framed it.
main=$(await_window "Brummo on the run" 20)
within 10 frame_is_centred "$main" || fail "the main window is not centred: $placed"
echo "ok: main window centred, $placed"

# "Über dieses Spiel" is four tabs after "Aktuelles Spiel speichern", which has the focus. Its
# layout puts the client area at 2340, 1935 twips from the screen's corner, 5670 x 4155 twips.
within 10 window_is_active "$main" || fail "the main window does not get the focus"
xdotool key Tab Tab Tab Tab space
about=$(await_window "Über dieses Spiel..." 10)
within 5 client_is "$about" "156 129 378 277" || fail "the about window is misplaced: $placed"
echo "ok: about window, $placed"
