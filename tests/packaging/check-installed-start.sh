#!/usr/bin/env bash
# Installs the build into a scratch prefix and starts the game through the installed launcher:
# the program folder holds the sounds beside the binary, the metadata and icons fit together,
# the game outlives the splash (which hands over to the main window after three seconds), and
# it ends promptly on SIGTERM, which SDL could otherwise swallow.
# Usage: check-installed-start.sh BUILD_DIR APP_ID   (with QT_QPA_PLATFORM=offscreen and
# SDL_AUDIODRIVER=dummy in the environment, as ctest gives every test)
set -euo pipefail
build=$1
id=$2

fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill -KILL "$pid" 2>/dev/null || :; fi
  rm -rf "$tmp"
}
trap cleanup EXIT

prefix="$tmp/prefix"
cmake --install "$build" --prefix "$prefix" > "$tmp/install.log" 2>&1 ||
  fail "cmake --install failed: $(cat "$tmp/install.log")"

program="$prefix/lib/games/brummo/brummo"
[ -x "$program" ] || fail "no program at lib/games/brummo/brummo"
for f in kol.mid crap.wav deadnow.wav; do
  [ -s "$prefix/lib/games/brummo/$f" ] || fail "$f is not beside the installed program"
done
[ -x "$prefix/games/brummo" ] || fail "no launcher at games/brummo"

# The desktop entry's icon must resolve in the installed hicolor theme, and the metadata must
# find its desktop entry.
desktop="$prefix/share/applications/$id.desktop"
[ -f "$desktop" ] || fail "no $id.desktop installed"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 48x48/apps/$icon.png scalable/apps/$icon.svg; do
  [ -s "$prefix/share/icons/hicolor/$size" ] || fail "Icon=$icon has no share/icons/hicolor/$size"
done
report=$(appstreamcli validate-tree --no-net --strict "$prefix" 2>&1) ||
  fail "appstreamcli validate-tree: $report"

# Start it the way a player does, from the menu, with a home of its own: the game runs in its
# data folder, made on this first start.
mkdir "$tmp/home" "$tmp/play"
mkdir -m 700 "$tmp/runtime"
cd "$tmp/play"
env -u XDG_DATA_HOME HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/home/.config" XDG_RUNTIME_DIR="$tmp/runtime" \
  "$prefix/games/brummo" --from-menu > "$tmp/game.log" 2>&1 &
pid=$!

# Ended early: report how.
check_alive() {
  if ! kill -0 "$pid" 2>/dev/null; then
    local status=0
    wait "$pid" || status=$?
    pid=
    fail "the game ended by itself ($1, status $status): $(cat "$tmp/game.log")"
  fi
}

# The launcher execs the program, so the process a desktop signals is the game itself.
exe=
for _ in $(seq 50); do
  check_alive "while starting"
  exe=$(readlink "/proc/$pid/exe" || :)
  [ "$exe" = "$(readlink -f "$program")" ] && break
  sleep 0.1
done
[ "$exe" = "$(readlink -f "$program")" ] || fail "the launcher did not exec the program (process runs $exe)"
folder=$(readlink "/proc/$pid/cwd" || :)
[ "$folder" = "$tmp/home/.local/share/brummo" ] || fail "started from the menu, the game runs in $folder"

# Past the splash's hand-over to the main window.
for _ in $(seq 45); do
  check_alive "during the first four seconds"
  sleep 0.1
done
check_alive "after four seconds"
# By now the game has loaded its sound module, from beside the installed program.
grep -q "$prefix/lib/games/brummo/brummo-sound.so" "/proc/$pid/maps" ||
  fail "the installed game did not load lib/games/brummo/brummo-sound.so: $(cat "$tmp/game.log")"

kill -TERM "$pid"
for _ in $(seq 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
  fail "the game did not end within 5 s of SIGTERM: $(cat "$tmp/game.log")"
fi
status=0
wait "$pid" || status=$?
pid=
# 143 is death by SIGTERM; 0 would be a game that catches it and quits cleanly.
[ "$status" -eq 143 ] || [ "$status" -eq 0 ] ||
  fail "the game ended with status $status on SIGTERM: $(cat "$tmp/game.log")"

echo "ok: installed game started, survived the splash and ended on SIGTERM"
