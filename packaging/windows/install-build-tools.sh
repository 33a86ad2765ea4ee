#!/usr/bin/env bash
# Installs the Debian packages the Windows build needs and makes Debian's source packages
# reachable, without touching the system's other apt sources. Safe to run again.
set -euo pipefail

packages=(
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  cmake ninja-build dpkg-dev
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  wine64 nsis icoutils librsvg2-bin xvfb xauth xdotool
)

# The source entry lives in a file of its own, so removing that file undoes it.
deb_src_file=/etc/apt/sources.list.d/brummo-debian-source.sources
deb_src_entry='Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg'

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_get() {
  # Other builds on this machine may hold the package lock for a while.
  as_root env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@"
}

lists_stale=false
if [ "$(cat "$deb_src_file" 2>/dev/null)" != "$deb_src_entry" ]; then
  printf '%s\n' "$deb_src_entry" | as_root tee "$deb_src_file" >/dev/null
  lists_stale=true
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if $lists_stale || [ "${#missing[@]}" -gt 0 ]; then
  apt_get update -qq
fi
if [ "${#missing[@]}" -gt 0 ]; then
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi
