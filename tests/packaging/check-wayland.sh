#!/usr/bin/env bash
# In a Wayland session the game is a native Wayland client, and a player can play it there with the
# keyboard: splash, main window, a game started and saved, the about window opened and closed
# modally, a second save showing the game ran on, and a prompt end on SIGTERM.
#
# Weston's headless backend has no seat, so nothing could press a key there. Weston's X11 backend
# inside Xvfb is just as headless and has one: xdotool's key presses reach weston as X events and
# the game as wl_keyboard events. WAYLAND_DEBUG=client shows what the game asks of the compositor
# (each window's set_title, the about window's set_parent) and which keys reach it.
# Usage: check-wayland.sh PROGRAM     (exits 77, a skip, where no compositor can start; with
# SDL_AUDIODRIVER=dummy in the environment, as ctest gives every test)
set -euo pipefail
program=$(readlink -f "$1")

# The titles waited for are German, read from the protocol log with sed and awk: the game speaks
# German and the tools read UTF-8, whatever the caller's locale and languages.
export LC_ALL=C.UTF-8 LANGUAGE=de

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

for tool in weston Xvfb xdotool; do
  command -v "$tool" >/dev/null || skip "$tool is missing (tools/setup.sh installs weston, xvfb, xdotool)"
done
plugins=$(qtpaths6 --query QT_INSTALL_PLUGINS) || skip "qtpaths6 cannot tell where Qt's plugins are"
[ -e "$plugins/platforms/libqwayland-generic.so" ] ||
  skip "Qt's Wayland platform plugin is missing (tools/setup.sh installs qt6-wayland)"

tmp=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || :; done
  wait 2>/dev/null || :
  rm -rf "$tmp"
}
trap cleanup EXIT
mkdir -m 700 "$tmp/runtime"
mkdir "$tmp/play" "$tmp/home"

Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$tmp/display" > "$tmp/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$tmp/display" ] && break; sleep 0.1; done
[ -s "$tmp/display" ] || skip "Xvfb did not start: $(cat "$tmp/xvfb.log")"
export DISPLAY=":$(cat "$tmp/display")"

export XDG_RUNTIME_DIR="$tmp/runtime"
weston --no-config --backend=x11-backend.so --use-pixman --width=1200 --height=760 --idle-time=0 \
  --socket=brummo-check > "$tmp/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/brummo-check" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/brummo-check" ] || skip "weston did not start: $(tail -n 20 "$tmp/weston.log")"

# A Wayland session as a desktop sets it up; no X display, so the game cannot fall back to X.
log="$tmp/wayland.log"
(cd "$tmp/play" && exec env -u DISPLAY -u QT_QPA_PLATFORM HOME="$tmp/home" XDG_SESSION_TYPE=wayland \
  WAYLAND_DISPLAY=brummo-check WAYLAND_DEBUG=client "$program") > "$log" 2>&1 &
game=$!
pids+=("$game")

# Waits up to $2 seconds for a line matching $1 in the protocol log after line $3 (default 0);
# prints the number of the first such line.
await() {
  local pattern=$1 seconds=$2 after=${3:-0} line
  for _ in $(seq $((seconds * 10))); do
    kill -0 "$game" 2>/dev/null || fail "the game ended while waiting for $pattern: $(grep -av '^\[' "$log" | tail -n 20)"
    line=$(awk -v after="$after" -v pattern="$pattern" 'NR > after && index($0, pattern) { print NR; exit }' "$log")
    if [ -n "$line" ]; then echo "$line"; return; fi
    sleep 0.1
  done
  fail "no $pattern within $seconds s; the game said: $(grep -av '^\[' "$log" | tail -n 20)"
}
# The toplevel that got the title $1 in line $2, as "xdg_toplevel@N".
toplevel() { sed -n "$2s/.*-> \(xdg_toplevel@[0-9]*\)\.set_title(\"$1\").*/\1/p" "$log"; }
keys() {
  for k in "$@"; do xdotool key "$k"; sleep 0.15; done
}
# Keys pressed before the keyboard has come back to a window would be lost.
focused_after() { await "$keyboard.enter(" 10 "$1" > /dev/null; }
# Saves the running game as $1 through the input box: the caller has put the focus on the button.
save() {
  local at
  at=$(wc -l < "$log")
  keys space
  focused_after "$(await 'set_title("Speichern")' 10 "$at")"
  xdotool type --delay 60 "$1"
  at=$(wc -l < "$log")
  keys Return
  focused_after "$at"
  [ -s "$tmp/play/$1.txt" ] || fail "no $1.txt saved; the folder holds: $(ls "$tmp/play")"
}

splash=$(await 'set_title("Form1")' 20)
main=$(await 'set_title("Brummo on the run")' 20 "$splash")
grep -q libQt6WaylandClient "/proc/$game/maps" || fail "the game did not load Qt's Wayland client"
await "$(toplevel Form1 "$splash").destroy()" 5 "$main" > /dev/null
keyboard=$(grep -ao -m 1 'wl_keyboard@[0-9]*' "$log") || fail "the game has no keyboard"
focused_after "$main"
# Key presses go where weston's X window has the pointer.
xdotool mousemove 600 380
sleep 0.3

# The focus starts on "Aktuelles Spiel speichern"; the start button is five tabs further.
keys Tab Tab Tab Tab Tab space
sleep 2
keys shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
save erster

# "Über dieses Spiel" is four tabs after the save button. The about window belongs to the main
# window; Escape closes it and gives the keyboard back to the main window.
keys Tab Tab Tab Tab space
about=$(await 'set_title("Über dieses Spiel...")' 10 "$main")
about_toplevel=$(toplevel 'Über dieses Spiel...' "$about")
grep -aqF "$about_toplevel.set_parent($(toplevel 'Brummo on the run' "$main"))" "$log" ||
  fail "the about window is not a child of the main window: $(grep -a "$about_toplevel" "$log")"
sleep 1
keys Escape
focused_after "$(await "$about_toplevel.destroy()" 5 "$about")"
keys shift+Tab shift+Tab shift+Tab shift+Tab
save zweiter

# Each save holds the remaining time first: the countdown ran, and ran on through the about window.
first=$(head -n 1 "$tmp/play/erster.txt" | tr -d '\r')
second=$(head -n 1 "$tmp/play/zweiter.txt" | tr -d '\r')
[ "$first" -lt 80 ] && [ "$second" -lt "$first" ] ||
  fail "remaining time $first at the first save and $second at the second: the game did not run"

kill -TERM "$game"
for _ in $(seq 50); do kill -0 "$game" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game" 2>/dev/null && fail "the game did not end within 5 s of SIGTERM"
status=0
wait "$game" || status=$?
[ "$status" -eq 143 ] || [ "$status" -eq 0 ] || fail "the game ended with status $status on SIGTERM"

echo "ok: native on Wayland; saved with $first and $second s left, about window opened and closed"
