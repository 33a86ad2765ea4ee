#!/usr/bin/env bash
# Builds the Debian package from the current build tree into a folder of its own (no earlier
# `cpack` run needed) and checks its name, its files and their modes, its control fields, and
# what lintian says.
# Usage: check-deb.sh BUILD_DIR SOURCE_DIR APP_ID
set -euo pipefail
build=$1
source=$2
id=$3

fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in cpack dpkg-deb dpkg-shlibdeps file lintian; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/setup.sh installs it)"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$tmp" > "$tmp/cpack.log" 2>&1 ||
  fail "cpack failed: $(cat "$tmp/cpack.log")"
! grep -q 'Warning' "$tmp/cpack.log" || fail "cpack warns: $(cat "$tmp/cpack.log")"

version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$build/CPackConfig.cmake")
[ -n "$version" ] || fail "no CPACK_PACKAGE_VERSION in $build/CPackConfig.cmake"
deb="$tmp/brummo_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $(basename "$deb"); cpack made: $(cd "$tmp" && ls ./*.deb 2>&1)"

# Files: every one below /usr, owned by root, with the mode a package must give it.
listing=$(dpkg-deb -c "$deb")
outside=$(awk '$6 !~ /^\.\/(usr\/.*)?$/ || $2 != "root/root"' <<<"$listing")
[ -z "$outside" ] || fail "entries outside /usr or not owned by root:
$outside"
expect() {
  local mode=$1 path=$2
  awk -v mode="$mode" -v path="./usr/$path" '$1 == mode && $6 == path { found = 1 } END { exit !found }' \
    <<<"$listing" || fail "package lacks $mode ./usr/$path; it holds:
$listing"
}
expect -rwxr-xr-x lib/games/brummo/brummo
expect -rw-r--r-- lib/games/brummo/brummo-sound.so
expect -rw-r--r-- lib/games/brummo/kol.mid
expect -rw-r--r-- lib/games/brummo/crap.wav
expect -rw-r--r-- lib/games/brummo/deadnow.wav
expect -rwxr-xr-x games/brummo
expect -rw-r--r-- "share/applications/$id.desktop"
expect -rw-r--r-- "share/metainfo/$id.metainfo.xml"
expect -rw-r--r-- "share/icons/hicolor/48x48/apps/$id.png"
expect -rw-r--r-- "share/icons/hicolor/scalable/apps/$id.svg"
expect -rw-r--r-- share/doc/brummo/copyright
expect -rw-r--r-- share/doc/brummo/changelog.gz
expect -rw-r--r-- share/man/man6/brummo.6.gz
expect -rw-r--r-- share/man/de/man6/brummo.6.gz

# Contents: the real program, stripped; the sounds as shipped in assets/; icons of the right kind.
dpkg-deb -x "$deb" "$tmp/root"
usr="$tmp/root/usr"
kind=$(file -b "$usr/lib/games/brummo/brummo")
case "$kind" in
  ELF*", stripped"*) ;;
  *) fail "lib/games/brummo/brummo is not a stripped program: $kind" ;;
esac
kind=$(file -b "$usr/lib/games/brummo/brummo-sound.so")
case "$kind" in
  ELF*"shared object"*", stripped"*) ;;
  *) fail "lib/games/brummo/brummo-sound.so is not a stripped sound module: $kind" ;;
esac
for f in kol.mid crap.wav deadnow.wav; do
  cmp -s "$source/assets/$f" "$usr/lib/games/brummo/$f" || fail "lib/games/brummo/$f differs from assets/$f"
done
head -n 1 "$usr/games/brummo" | grep -qx '#!/bin/sh' || fail "games/brummo is not the launcher script"
file -b "$usr/share/icons/hicolor/48x48/apps/$id.png" | grep -q '^PNG image data, 48 x 48' ||
  fail "the 48x48 icon is $(file -b "$usr/share/icons/hicolor/48x48/apps/$id.png")"
file -b "$usr/share/icons/hicolor/scalable/apps/$id.svg" | grep -q '^SVG' ||
  fail "the scalable icon is $(file -b "$usr/share/icons/hicolor/scalable/apps/$id.svg")"

# Control fields.
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = brummo ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version)"
[ "$(field Maintainer)" = "Brummo-Team <brummo@example.org>" ] || fail "Maintainer: $(field Maintainer)"
[ "$(field Section)" = games ] || fail "Section: $(field Section)"
description=$(field Description)
synopsis=$(head -n 1 <<<"$description")
[ -n "$synopsis" ] || fail "Description has no synopsis"
[ "$(sed -n '2s/^ //p' <<<"$description")" != "$synopsis" ] || fail "the synopsis is repeated: $description"
grep -qF '"Brummo on the run" is a small reaction game in German and English' <<<"$description" ||
  fail "no intact English description: $description"
grep -qF '"Brummo on the run" ist ein kleines Reaktionsspiel' <<<"$description" ||
  fail "no intact German description: $description"

depends=$(field Depends)
# Loaded by name, not linked: named by hand. Linked: found by dpkg-shlibdeps.
for package in timgm6mb-soundfont fonts-comic-neue fonts-dejavu-core qt6-translations-l10n qt6-wayland \
               libqt6widgets6 libsdl2-mixer-2.0-0 libfluidsynth3; do
  grep -qE "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends lacks $package: $depends"
done
# Every dependency must name a package that exists; the machine that built the package has
# them all, so each one (or one of its alternatives) must be known to dpkg here.
IFS=',' read -ra clauses <<<"$depends"
for clause in "${clauses[@]}"; do
  known=no
  IFS='|' read -ra alternatives <<<"$clause"
  for alternative in "${alternatives[@]}"; do
    name=$(awk '{print $1}' <<<"$alternative")
    name=${name%%:*}
    if dpkg-query -W -f='${Status}\n' "$name" 2>/dev/null | grep -q 'install ok installed'; then
      known=yes
    fi
  done
  [ "$known" = yes ] || fail "dependency $clause is not an installed package here (misspelt?)"
done

# What Debian asks of a package: lintian has no error and no warning (its infos are advice).
report=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $report"

echo "ok: $(basename "$deb")"
dpkg-deb -I "$deb" | sed -n '/^ Package:/,$p'
