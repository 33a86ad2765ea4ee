#!/usr/bin/env bash
# Starts the game against a PulseAudio server of its own (with a null sink, so nothing is heard)
# and reads what the desktop's volume control would list: the game's stream must carry the
# program's name and its menu entry's icon, not "brummo" or "SDL Application".
# Usage: check-volume-mixer.sh PROGRAM ICON_NAME   (with QT_QPA_PLATFORM=offscreen in the
# environment, as ctest gives every test)
# Exits 77 (skipped) where no PulseAudio server can start.
set -euo pipefail
program=$1
icon=$2

skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*" >&2; exit 1; }

command -v pulseaudio > /dev/null || skip "pulseaudio is not installed (tools/setup.sh installs it)"
command -v pactl > /dev/null || skip "pactl is not installed (tools/setup.sh installs pulseaudio-utils)"

tmp=$(mktemp -d)
pid=
export XDG_RUNTIME_DIR="$tmp/runtime" HOME="$tmp/home"
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -TERM "$pid"; wait "$pid" 2>/dev/null || :; fi
  pulseaudio --kill 2>/dev/null || :
  rm -rf "$tmp"
}
trap cleanup EXIT
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$HOME"

pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=file:"$tmp/pulse.log" \
  --load="module-null-sink sink_name=brummo_test" --load=module-native-protocol-unix ||
  skip "no PulseAudio server could start here: $(tail -n 3 "$tmp/pulse.log" 2>/dev/null)"
for _ in $(seq 50); do pactl info > /dev/null 2>&1 && break; sleep 0.1; done
pactl info > /dev/null 2>&1 || skip "the PulseAudio server started but does not answer"

# The sound device opens once the splash window is on screen, and stays open for a few seconds.
SDL_AUDIODRIVER=pulseaudio "$program" > "$tmp/game.log" 2>&1 &
pid=$!
for _ in $(seq 100); do
  pactl list sink-inputs > "$tmp/inputs" 2>&1
  grep -q 'application.name' "$tmp/inputs" && break
  kill -0 "$pid" 2>/dev/null || fail "the game ended early: $(cat "$tmp/game.log")"
  sleep 0.1
done
grep -q 'application.name' "$tmp/inputs" || fail "the game made no stream: $(cat "$tmp/game.log")"
grep -q 'application.name = "Brummo on the run"' "$tmp/inputs" ||
  fail "the stream has another name: $(grep 'application.name' "$tmp/inputs")"
grep -q "application.icon_name = \"$icon\"" "$tmp/inputs" ||
  fail "the stream does not have the icon $icon: $(grep 'icon_name' "$tmp/inputs" || echo none)"
echo "volume control lists: $(grep -E 'application.name|application.icon_name|media.name' "$tmp/inputs" | tr -s ' \t' ' ')"
