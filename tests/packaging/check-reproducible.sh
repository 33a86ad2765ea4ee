#!/usr/bin/env bash
# The package is reproducible and a player's build needs no test tools: the current commit is
# checked out twice, into folders of different names, and each is packaged by make-deb.sh (tests
# and benchmarks off), the second one later, under another time zone and umask. The two .deb
# files must be byte-identical, and the configure must not have looked for Qt Test, Google
# Benchmark or the X11 headers. No compiler cache: each build compiles for itself.
# Usage: check-reproducible.sh SOURCE_DIR     (exits 77, a skip, where there is no git history)
set -euo pipefail
source=$1

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

command -v git >/dev/null || skip "git is missing, so there is no commit to build twice"
commit=$(git -C "$source" rev-parse --verify -q HEAD) || skip "$source has no git history to build from"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Builds the commit in folder $1 with the rest of the arguments as the environment; the
# package lands in $tmp/$2.
package() {
  local tree=$1 out=$2
  shift 2
  git clone -q --shared --no-checkout "$source" "$tree"
  git -C "$tree" checkout -q --detach "$commit"
  local started=$SECONDS
  env -u SOURCE_DATE_EPOCH -u CMAKE_CXX_COMPILER_LAUNCHER CCACHE_DISABLE=1 "$@" \
    bash "$tree/packaging/make-deb.sh" "$tmp/$out" > "$tmp/$out.log" 2>&1 ||
    fail "make-deb.sh in $tree failed: $(tail -n 30 "$tmp/$out.log")"
  echo "built in $tree in $((SECONDS - started)) s"
}

package "$tmp/first/brummo" first TZ=UTC
unused=$(grep -E '^(Qt6Test_DIR|benchmark_DIR|X11_X11_INCLUDE_PATH):' "$tmp/first/brummo/build-deb/CMakeCache.txt" || :)
[ -z "$unused" ] || fail "the package build looked for test or benchmark tools:
$unused"
package "$tmp/another-folder/src" second TZ=Pacific/Auckland bash -c 'umask 0002 && exec "$0" "$@"'

first=$(basename "$(ls "$tmp"/first/*.deb)")
[ -f "$tmp/second/$first" ] || fail "the second build made $(cd "$tmp/second" && ls) instead of $first"
if ! cmp -s "$tmp/first/$first" "$tmp/second/$first"; then
  # Name what differs, to start the search from.
  for build in first second; do
    mkdir "$tmp/$build/root"
    dpkg-deb -R "$tmp/$build/$first" "$tmp/$build/root"
  done
  differing=$(diff -rq "$tmp/first/root" "$tmp/second/root" 2>&1 || :)
  listings=$(diff <(dpkg-deb -c "$tmp/first/$first") <(dpkg-deb -c "$tmp/second/$first") || :)
  members=$(diff <(ar tvO "$tmp/first/$first") <(ar tvO "$tmp/second/$first") || :)
  fail "two builds of $commit differ.
Files: ${differing:-(none; the archives themselves differ)}
Listings: ${listings:-(same)}
Archive members: ${members:-(same)}"
fi
echo "ok: two builds of $commit give the same $first ($(sha256sum < "$tmp/first/$first" | cut -c1-16))"
