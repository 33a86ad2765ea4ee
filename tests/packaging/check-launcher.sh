#!/usr/bin/env bash
# The launcher in bin/ finds the program folder from its own location (also through a symlink),
# replaces itself with the program so signals reach the game, passes the arguments on untouched,
# keeps a writable working directory (saves go there) and moves to the home folder from one the
# player cannot write into. A stub stands in for the game and reports what it was given.
# Usage: check-launcher.sh LAUNCHER_SCRIPT
set -euo pipefail
launcher=$1

fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
# Also entered as an unprivileged user below.
chmod 755 "$tmp"
mkdir -p "$tmp/prefix/bin" "$tmp/prefix/lib/brummo" "$tmp/home" "$tmp/work" "$tmp/links" "$tmp/locked"
install -m 755 "$launcher" "$tmp/prefix/bin/brummo"
cat > "$tmp/prefix/lib/brummo/brummo" <<'STUB'
#!/bin/sh
printf '%s\n' "pid=$$" "pwd=$(pwd -P)"
for a in "$@"; do printf 'arg=%s\n' "$a"; done
STUB
chmod 755 "$tmp/prefix/lib/brummo/brummo"
ln -s ../prefix/bin/brummo "$tmp/links/brummo"

# Runs the launcher given as $1 from folder $2 with the remaining arguments; prints the stub's
# report and checks that the stub ran in the launcher's own process.
run() {
  local program=$1 folder=$2
  shift 2
  (cd "$folder" && exec "$program" "$@") > "$tmp/report" 2>&1 &
  local pid=$!
  wait "$pid" || fail "launcher ended with status $?: $(cat "$tmp/report")"
  grep -qx "pid=$pid" "$tmp/report" || fail "the program did not replace the launcher (pid $pid): $(cat "$tmp/report")"
  cat "$tmp/report"
}

expected="pwd=$(cd "$tmp/work" && pwd -P)
arg=two words
arg=
arg=--level=3"
report=$(HOME="$tmp/home" run "$tmp/prefix/bin/brummo" "$tmp/work" "two words" "" "--level=3" | grep -v '^pid=')
[ "$report" = "$expected" ] || fail "from a writable folder, expected
$expected
got
$report"

report=$(HOME="$tmp/home" run "$tmp/links/brummo" "$tmp/work" | grep -v '^pid=')
[ "$report" = "pwd=$(cd "$tmp/work" && pwd -P)" ] || fail "through a symlink: $report"

# A folder the player cannot write into; root may write anywhere, so then the player is nobody.
chmod 555 "$tmp/locked"
home=$(cd "$tmp/home" && pwd -P)
if [ "$(id -u)" -eq 0 ]; then
  as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
else
  as_player=()
fi
"${as_player[@]}" test -x "$tmp/prefix/bin/brummo" || fail "the player cannot reach $tmp (check TMPDIR)"
"${as_player[@]}" test ! -w "$tmp/locked" || fail "$tmp/locked is writable for the player; cannot check"
report=$(cd "$tmp/locked" && HOME="$tmp/home" "${as_player[@]}" "$tmp/prefix/bin/brummo" 2>&1) ||
  fail "launcher from a read-only folder failed: $report"
grep -qx "pwd=$home" <<<"$report" || fail "from a read-only folder the game should start in \$HOME ($home): $report"

echo "ok: $launcher"
