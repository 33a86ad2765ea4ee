#!/usr/bin/env bash
# The launcher in games/ finds the program folder from its own location (also through a symlink),
# replaces itself with the program so signals reach the game, passes the arguments on untouched,
# keeps a writable working directory (saves go there) and moves to the home folder from one the
# player cannot write into. Started by the menu entry (--from-menu, which the game never sees) it
# runs the game in the data folder, made on first start, or at home with one warning line where
# that folder cannot be written. Without a home folder it takes the one for temporary files and
# says so. A stub stands in for the game and reports what it was given.
# Usage: check-launcher.sh LAUNCHER_SCRIPT
set -euo pipefail
launcher=$1

fail() { echo "FAIL: $*" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
# Also entered as an unprivileged user below, whose home folder is theirs to write into.
chmod 755 "$tmp"
mkdir -p "$tmp/prefix/games" "$tmp/prefix/lib/games/brummo" "$tmp/home" "$tmp/work" "$tmp/links" "$tmp/locked"
chmod 777 "$tmp/home"
install -m 755 "$launcher" "$tmp/prefix/games/brummo"
cat > "$tmp/prefix/lib/games/brummo/brummo" <<'STUB'
#!/bin/sh
printf '%s\n' "pid=$$" "pwd=$(pwd -P)"
for a in "$@"; do printf 'arg=%s\n' "$a"; done
STUB
chmod 755 "$tmp/prefix/lib/games/brummo/brummo"
ln -s ../prefix/games/brummo "$tmp/links/brummo"

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
report=$(HOME="$tmp/home" run "$tmp/prefix/games/brummo" "$tmp/work" "two words" "" "--level=3" | grep -v '^pid=')
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
"${as_player[@]}" test -x "$tmp/prefix/games/brummo" || fail "the player cannot reach $tmp (check TMPDIR)"
"${as_player[@]}" test ! -w "$tmp/locked" || fail "$tmp/locked is writable for the player; cannot check"
report=$(cd "$tmp/locked" && HOME="$tmp/home" "${as_player[@]}" "$tmp/prefix/games/brummo" 2>&1) ||
  fail "launcher from a read-only folder failed: $report"
grep -qx "pwd=$home" <<<"$report" || fail "from a read-only folder the game should start in \$HOME ($home): $report"

# From the menu: the data folder, made with its parents; the default one under the home folder;
# an XDG_DATA_HOME that is not absolute counts as unset. A terminal start ignores XDG_DATA_HOME.
menu_cases=(
  "XDG_DATA_HOME=$tmp/data|$tmp/data/brummo"
  "XDG_DATA_HOME=|$home/.local/share/brummo"
  "XDG_DATA_HOME=relative/data|$home/.local/share/brummo"
)
for row in "${menu_cases[@]}"; do
  setting=${row%%|*}
  folder=${row#*|}
  report=$(export "$setting" && HOME="$tmp/home" run "$tmp/prefix/games/brummo" "$tmp/work" --from-menu --level=3 |
           grep -v '^pid=')
  expected="pwd=$(cd "$folder" 2>/dev/null && pwd -P)
arg=--level=3"
  [ -d "$folder" ] && [ "$report" = "$expected" ] || fail "from the menu with $setting, expected the game in $folder
with --from-menu taken away; got
$report"
done
report=$(HOME="$tmp/home" XDG_DATA_HOME="$tmp/data" run "$tmp/prefix/games/brummo" "$tmp/work" | grep -v '^pid=')
[ "$report" = "pwd=$(cd "$tmp/work" && pwd -P)" ] || fail "a terminal start left the current folder: $report"

# A data folder the player cannot write into: home, and exactly one line saying so.
mkdir -p "$tmp/readonly/brummo"
chmod 555 "$tmp/readonly/brummo" "$tmp/readonly"
report=$(cd "$tmp/work" && HOME="$tmp/home" XDG_DATA_HOME="$tmp/readonly" "${as_player[@]}" "$tmp/prefix/games/brummo" --from-menu 2>&1) ||
  fail "launcher with a read-only data folder failed: $report"
grep -qx "pwd=$home" <<<"$report" || fail "with a read-only data folder the game should start in \$HOME ($home): $report"
warnings=$(grep -v '^p\(wd\|id\)=' <<<"$report" || :)
[ "$(wc -l <<<"$warnings")" -eq 1 ] && grep -qF "$tmp/readonly/brummo" <<<"$warnings" && grep -qF "$home" <<<"$warnings" ||
  fail "with a read-only data folder, expected one warning line naming it and \$HOME; got:
$warnings"

# HOME unset or naming no folder: the home folder the user list gives, or where the player has none
# (nobody's is /nonexistent), the folder for temporary files; one line names the folder taken.
mkdir -m 777 "$tmp/scratch"
account_home=$("${as_player[@]}" sh -c 'getent passwd "$(id -u)" | cut -d: -f6')
if "${as_player[@]}" test -d "$account_home" -a -w "$account_home"; then
  fallback=$account_home
else
  fallback=$tmp/scratch
fi
fallback_cases=(   # HOME (none: unset) | folder started in | launcher's argument | LANGUAGE | said
  "|$tmp/work|--from-menu|de|gespeichert wird in"
  "HOME=$tmp/nowhere|$tmp/work|--from-menu|de|gespeichert wird in"
  "HOME=$tmp/nowhere|$tmp/locked||de|gespeichert wird in"
  "HOME=$tmp/nowhere|$tmp/locked||fr:en_GB:de|saving in"
)
for row in "${fallback_cases[@]}"; do
  IFS='|' read -r setting folder argument language said <<<"$row"
  report=$(cd "$folder" && env -u HOME ${setting:+"$setting"} LANGUAGE="$language" TMPDIR="$tmp/scratch" \
           XDG_DATA_HOME="$tmp/readonly" "${as_player[@]}" "$tmp/prefix/games/brummo" ${argument:+"$argument"} 2>&1) ||
    fail "launcher with ${setting:-HOME unset} from $folder failed: $report"
  warnings=$(grep -v '^p\(wd\|id\)=' <<<"$report" || :)
  grep -qx "pwd=$(cd "$fallback" && pwd -P)" <<<"$report" && [ "$(wc -l <<<"$warnings")" -eq 1 ] &&
    grep -qF "$said $fallback." <<<"$warnings" ||
    fail "with ${setting:-HOME unset} from $folder ${argument}, expected the game in $fallback and one line naming it; got:
$report"
done

echo "ok: $launcher"
