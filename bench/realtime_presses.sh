#!/usr/bin/env bash
# A whole real-time game (80 s) under Xvfb with 20 presses a second on the visible target, through
# the X server; afterwards the game is saved, and the hits it counted are compared with the presses
# sent (see realtime_presses.py for how a press is judged). Started by hand, not by CI:
#
#   cmake --preset default && cmake --build build -j2
#   bench/realtime_presses.sh [build/brummo]
set -euo pipefail
# The save box is found by its German title: the game speaks German whatever the caller's languages.
export LC_ALL=C.UTF-8 LANGUAGE=de
here="$(cd "$(dirname "$0")" && pwd)"
program="$(realpath "${1:-$here/../build/brummo}")"
[ -x "$program" ] || { echo "Programm nicht gefunden: $program (erst bauen)" >&2; exit 2; }
for tool in Xvfb xdotool python3; do
  command -v "$tool" >/dev/null || { echo "$tool fehlt (tools/setup.sh installiert es)" >&2; exit 2; }
done

work="$(mktemp -d)"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export DISPLAY="$display"
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

# No sound device under Xvfb: the game falls back to SDL's dummy driver, which runs in real time.
(cd "$work" && QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy exec "$program") >"$work/game.log" 2>&1 &
game=$!
window=""
for _ in $(seq 100); do
  window="$(xdotool search --onlyvisible --name '^Brummo on the run$' 2>/dev/null | head -n 1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "Hauptfenster erschien nicht" >&2; cat "$work/game.log" >&2; exit 1; }
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "main window at $X,$Y (${WIDTH}x$HEIGHT)"

result="$(python3 "$here/realtime_presses.py" "$X" "$Y" 80 | tee /dev/stderr | sed -n 's/^RESULT //p')"
read -r sent sure misses edges <<<"$result"

# Let the game end (81 s after the start), then save it: line 2 of the file is the Treffer read-out.
sleep 2
xdotool mousemove $((X + (7320 + 2775 / 2) / 15)) $((Y + (2160 + 375 / 2) / 15)) click 1
for _ in $(seq 50); do
  dialog="$(xdotool search --onlyvisible --name '^Speichern$' 2>/dev/null | head -n 1 || true)"
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ -n "$dialog" ] || { echo "Speichern-Fenster erschien nicht" >&2; exit 1; }
# Without a window manager the new box takes the keyboard focus itself.
xdotool type --delay 20 messung
xdotool key Return
for _ in $(seq 50); do [ -s "$work/messung.txt" ] && break; sleep 0.1; done
mapfile -t lines < <(tr -d '\r' <"$work/messung.txt")
zeit="${lines[0]}"; treffer="${lines[1]}"; punkte="${lines[2]}"
echo "saved read-outs: Zeit $zeit, Treffer $treffer, Punkte $punkte"
echo "expected: $sure <= Treffer <= $((sure + edges))"
if [ "$zeit" = 0 ] && [ "$treffer" -ge "$sure" ] && [ "$treffer" -le $((sure + edges)) ]; then
  echo "every press counted: yes"
else
  echo "every press counted: NO"
  exit 1
fi
