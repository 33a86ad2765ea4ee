#!/usr/bin/env bash
# The English translation is complete and current: lupdate, run over the program's sources into a
# copy of the .ts exactly as `update_translations` runs it, finds no text without its English (new
# or unfinished), none the program no longer shows (vanished, obsolete), and nothing it cannot read
# (a tr() outside a class it knows would be looked up under another context than it is filed).
# Usage: check-complete.sh LUPDATE TS_FILE SOURCE_DIR LUPDATE_ARGUMENT...
set -euo pipefail
lupdate=$1
ts=$2
source=$3
shift 3

fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cp "$ts" "$tmp/copy.ts"
(cd "$source" && "$lupdate" -silent "$@" -ts "$tmp/copy.ts") > "$tmp/lupdate.log" 2>&1 ||
  fail "lupdate failed: $(cat "$tmp/lupdate.log")"
[ ! -s "$tmp/lupdate.log" ] || fail "lupdate warns: $(cat "$tmp/lupdate.log")"

# Each message on one line, so that a marked translation can be shown with its source text.
incomplete=$(tr '\n' ' ' < "$tmp/copy.ts" | sed 's#</message>#&\n#g' |
  grep -E '<translation [^>]*type="(unfinished|vanished|obsolete)"' |
  sed -E 's#.*<source>(.*)</source>.*<translation [^>]*type="([a-z]+)".*#\2: \1#' || true)
[ -z "$incomplete" ] || fail "$(basename "$ts") is not complete; run
  cmake --build build --target update_translations
and translate:
$incomplete"
echo "ok: $(grep -c '<message>' "$tmp/copy.ts") texts translated"
