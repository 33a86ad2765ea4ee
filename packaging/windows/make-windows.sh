#!/usr/bin/env bash
# Cross-builds the Windows release on Debian 12 into build-win/: brummo.exe, the installer
# Brummo-on-the-run-VERSION-setup.exe and Brummo-on-the-run-VERSION-windows.zip, on a static Qt
# built once from Debian's qt6-base source.
#   packaging/windows/make-windows.sh [QT_FOLDER]
# QT_FOLDER is where that Qt is kept (default ${XDG_CACHE_HOME:-$HOME/.cache}/brummo/qt-6.4.2-mingw-static);
# the first run builds it there, which takes long, and every later run reuses it.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
cd "$repo"
packaging/windows/install-build-tools.sh
# build-qt.sh says what it does on the way and names the folder on its last line.
BRUMMO_WINDOWS_QT=$(packaging/windows/build-qt.sh "$@" | tee /dev/stderr | tail -n 1)
export BRUMMO_WINDOWS_QT
cmake --preset windows
cmake --build --preset windows
printf 'For Windows: %s\n' "$repo"/build-win/Brummo-on-the-run-*-setup.exe "$repo"/build-win/Brummo-on-the-run-*-windows.zip
