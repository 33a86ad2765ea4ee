#!/usr/bin/env bash
# Builds the Debian package from a fresh configure of the default preset:
# build/brummo_VERSION_ARCH.deb, and copies it into the folder given as $1, if any.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset default
cmake --build --preset default -j "$(nproc)"
cmake --build --preset default --target package
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build/CPackConfig.cmake)
deb="build/brummo_${version}_$(dpkg --print-architecture).deb"
if [ $# -gt 0 ]; then
  mkdir -p "$1"
  cp "$deb" "$1/"
  deb="$1/$(basename "$deb")"
fi
echo "Debian package: $deb"
