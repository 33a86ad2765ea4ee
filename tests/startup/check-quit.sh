#!/usr/bin/env bash
# "Brummo on the run beenden" and the main window's close box each end the program during a game:
# with exit status 0, and with the sound device let go, which stops the music. The real program runs
# under openbox on Xvfb, beside a sound module that writes down each call (tests/startup/soundlogmodule.cpp).
# Usage: check-quit.sh PROGRAM SOUNDLOG_MODULE     (exits 77, a skip, where no display can start;
# with SDL_AUDIODRIVER=dummy in the environment, as ctest gives every test)
set -euo pipefail
program=$(readlink -f "$1")
module=$(readlink -f "$2")

source "$(dirname "$0")/../support/openbox-display.sh"
start_openbox_display

# The program finds its sound module, music and sounds in its own folder.
mkdir "$tmp/program" "$tmp/play"
cp "$program" "$tmp/program/brummo"
cp "$module" "$tmp/program/brummo-sound.so"
for f in kol.mid crap.wav deadnow.wav; do cp "$(dirname "$program")/$f" "$tmp/program/"; done

has_ended() { ! kill -0 "$game" 2>/dev/null; }
music_plays() { grep -q '^play .*/kol\.mid$' "$sound"; }

# The frame's close button sits at the right end of openbox's title bar.
press_close_box() {
  local x y width height
  read -r x y width height < <(rectangle "$(frame_of "$main")")
  xdotool mousemove $((x + width - 10)) $((y + 10)) click 1
}

for way in button close_box; do
  sound="$tmp/$way.sound"
  (cd "$tmp/play" && exec env HOME="$tmp/home" QT_QPA_PLATFORM=xcb \
    BRUMMO_SOUND_LOG="$sound" "$tmp/program/brummo") > "$tmp/game.log" 2>&1 &
  game=$!
  main=$(await_window "Brummo on the run" 20)
  within 10 window_is_active "$main" || fail "$way: the main window does not get the focus"
  # The focus starts on "Aktuelles Spiel speichern"; "Alles klar, los gehts!!!" is five tabs further.
  xdotool key Tab Tab Tab Tab Tab space
  within 10 music_plays || fail "$way: no game started; the sound module heard: $(cat "$sound")"

  case $way in
    # "Brummo on the run beenden" is two tabs back from the start button.
    button) xdotool key shift+Tab shift+Tab space ;;
    close_box) press_close_box ;;
  esac
  within 10 has_ended || fail "$way: the program did not end within 10 s"
  status=0
  wait "$game" || status=$?
  game=
  [ "$status" -eq 0 ] || fail "$way: the program ended with status $status: $(tail -n 20 "$tmp/game.log")"
  [ "$(tail -n 1 "$sound")" = closed ] ||
    fail "$way: the program ended without letting its sound device go; it heard: $(cat "$sound")"
  echo "ok: $way ends the program with status 0 and the sound device closed"
done
