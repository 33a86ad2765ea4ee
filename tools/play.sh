#!/usr/bin/env bash
# Installs what building and running the game needs, builds the game alone (preset "play" in
# build-play/, without tests and benchmarks) and starts it.
#
# It plays in build-play/saves: the game lists every *.txt file of the folder it runs in as a saved
# game, so it must not run among the sources. That folder keeps a work tree's games apart from the
# installed game's (~/.local/share/brummo), which may be another version, and writes nothing
# outside the work tree; it goes when build-play/ is removed.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh play
cmake --preset play
cmake --build --preset play -j "$(nproc)"
mkdir -p build-play/saves
cd build-play/saves
exec ../brummo "$@"
