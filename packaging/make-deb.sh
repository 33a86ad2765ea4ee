#!/usr/bin/env bash
# Builds the Debian package from a fresh configure of the package preset, which builds only what
# ships: build-deb/brummo_VERSION_ARCH.deb, copied into the folder given as $1, if any.
#
# The package is reproducible: every time recorded in it (file times in the archives, the times
# Qt's resource compiler stores) is the time of the commit, so two builds of one commit are
# byte-identical wherever and whenever they run. A tree without git history needs SOURCE_DATE_EPOCH.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) || {
    echo "make-deb.sh: no git history here; set SOURCE_DATE_EPOCH" >&2
    exit 1
  }
fi
export SOURCE_DATE_EPOCH
# CPack records the modes of the archive members as the umask leaves them; dpkg-buildpackage too
# builds with this one.
umask 0022

cmake --preset package --fresh
cmake --build --preset package -j "$(nproc)"
cpack --config build-deb/CPackConfig.cmake -B build-deb
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' build-deb/CPackConfig.cmake)
deb="build-deb/brummo_${version}_$(dpkg --print-architecture).deb"
if [ $# -gt 0 ]; then
  mkdir -p "$1"
  cp "$deb" "$1/"
  deb="$1/$(basename "$deb")"
fi
echo "Debian package: $deb"
