#!/usr/bin/env bash
# Installs what is needed, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/setup.sh
cmake --preset default
cmake --build --preset default -j "$(nproc)"
exec build/brummo
