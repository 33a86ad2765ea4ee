#!/usr/bin/env bash
# The launcher in games/ finds the program folder from its own location (also through a symlink),
# replaces itself with the program so signals reach the game, passes the arguments on untouched,
# keeps a writable working directory (saves go there) and moves to the home folder from one the
# player cannot write into. Started by the menu entry (--from-menu, which the game never sees) it
# runs the game in the data folder, made on first start, or at home with one warning line where
# that folder cannot be written. Without a home folder it takes the player's own runtime folder or
# the one for temporary files. Where it moved the game it tells the game why and where, and the
# game says so in one line in its own language. A stub stands in for the game and reports what it
# was given; the real program shows that line and its --help speak one language.
# Usage: check-launcher.sh LAUNCHER_SCRIPT PROGRAM
set -euo pipefail
launcher=$1
program=$2
# The caller's own would be the launcher's first choice where it moves the game.
unset XDG_RUNTIME_DIR

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
grep -qx "arg=--data-folder-not-writable=$tmp/readonly/brummo" <<<"$report" && grep -qx "arg=--saving-in=$tmp/home" <<<"$report" ||
  fail "with a read-only data folder, expected the game told it and \$HOME; got:
$report"

# HOME unset or naming no folder: the home folder the user list gives, or where the player has none
# (nobody's is /nonexistent), the player's own runtime folder, then the one for temporary files.
mkdir -m 777 "$tmp/scratch"
account_home=$("${as_player[@]}" sh -c 'getent passwd "$(id -u)" | cut -d: -f6')
if "${as_player[@]}" test -d "$account_home" -a -w "$account_home"; then
  fallback=$account_home
else
  fallback=$tmp/scratch
fi
# A regular file in the data folder's place: no one makes a folder below it, root neither.
touch "$tmp/afile"
# The runtime folder is the player's alone only when the player owns it and it is mode 0700; one
# owned by another user is told apart by a player who may write anywhere, as root may.
mkdir -m 700 "$tmp/run-own" "$tmp/run-foreign"
mkdir -m 755 "$tmp/run-open"
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$tmp/run-own" "$tmp/run-open"
  chown 65533:65533 "$tmp/run-foreign"
  as_mighty_player=(setpriv --reuid=65534 --regid=65534 --clear-groups --inh-caps=+dac_override --ambient-caps=+dac_override --)
fi
own_taken=--saving-in-runtime-folder=$tmp/run-own
[ "$fallback" = "$tmp/scratch" ] || own_taken=--saving-in=$fallback   # the home folder comes first
fallback_cases=(   # HOME (none: unset) | folder started in | launcher's argument | XDG_DATA_HOME | XDG_RUNTIME_DIR | told
  "|$tmp/work|--from-menu|$tmp/readonly||--data-folder-not-writable=$tmp/readonly/brummo --saving-in=$fallback"
  "HOME=$tmp/nowhere|$tmp/work|--from-menu|$tmp/readonly||--data-folder-not-writable=$tmp/readonly/brummo --saving-in=$fallback"
  "HOME=$tmp/nowhere|$tmp/locked||$tmp/readonly||--folder-not-writable=$tmp/locked --saving-in=$fallback"
  "HOME=$tmp/nowhere|$tmp/work|--from-menu|$tmp/afile|$tmp/run-own|--data-folder-not-writable=$tmp/afile/brummo $own_taken"
  "HOME=$tmp/nowhere|$tmp/work|--from-menu|$tmp/afile|$tmp/run-open|--data-folder-not-writable=$tmp/afile/brummo --saving-in=$fallback"
)
[ "$(id -u)" -ne 0 ] ||
  fallback_cases+=("HOME=$tmp/nowhere|$tmp/work|--from-menu|$tmp/afile|$tmp/run-foreign|--data-folder-not-writable=$tmp/afile/brummo --saving-in=$fallback")
for row in "${fallback_cases[@]}"; do
  IFS='|' read -r setting folder argument data runtime told <<<"$row"
  player=("${as_player[@]}")
  [ "$runtime" != "$tmp/run-foreign" ] || player=("${as_mighty_player[@]}")
  report=$(cd "$folder" && env -u HOME ${setting:+"$setting"} TMPDIR="$tmp/scratch" XDG_DATA_HOME="$data" \
           ${runtime:+XDG_RUNTIME_DIR="$runtime"} "${player[@]}" "$tmp/prefix/games/brummo" ${argument:+"$argument"} 2>&1) ||
    fail "launcher with ${setting:-HOME unset} from $folder failed: $report"
  taken=${told#* }
  expected="pwd=$(cd "${taken#*=}" && pwd -P)
arg=${told% *}
arg=$taken"
  [ "$(grep -v '^pid=' <<<"$report")" = "$expected" ] ||
    fail "with ${setting:-HOME unset} from $folder ${argument}, XDG_RUNTIME_DIR=${runtime}, expected
$expected
got:
$report"
done

# The real program says where the launcher moved it, in the language its --help speaks; each folder
# is named as its bytes stand, backslashes and a "%2" included. The game is moved by a data folder
# that cannot be made; the launcher, root's too, then takes the home folder.
mkdir -p "$tmp/real/games" "$tmp/real/lib/games/brummo"
install -m 755 "$launcher" "$tmp/real/games/brummo"
ln -s "$(readlink -f "$program")" "$tmp/real/lib/games/brummo/brummo"
odd='back\slash\tab\n%2\c'
touch "$tmp/$odd"
many_french=$(printf 'fr:%.0s' $(seq 43000))
language_cases=(   # LANGUAGE | LC_ALL | LANG | XDG_DATA_HOME | spoken (de, en)
  "fr||en_US.UTF-8|$tmp/afile|de"
  "fr_FR|en_GB.UTF-8||$tmp/afile|de"
  "de-DE:en|||$tmp/afile|de"
  "fr:en_GB:de|||$tmp/afile|en"
  "en-US|||$tmp/afile|en"
  "EN|||$tmp/afile|en"
  "*||en_US.UTF-8|$tmp/afile|de"
  "en-GB|POSIX||$tmp/afile|en"
  "fr:EN||C|$tmp/afile|en"
  "${many_french}en-US|||$tmp/afile|en"
  "de|||$tmp/$odd|de"
)
for row in "${language_cases[@]}"; do
  IFS='|' read -r language lc_all lang data spoken <<<"$row"
  shown="LANGUAGE=${language:0:40} LC_ALL=$lc_all LANG=$lang XDG_DATA_HOME=$data"
  (cd "$tmp/work" && env -u LC_ALL -u LC_MESSAGES -u LANG LANGUAGE="$language" ${lc_all:+LC_ALL="$lc_all"} \
     ${lang:+LANG="$lang"} HOME="$tmp/home" XDG_DATA_HOME="$data" "$tmp/real/games/brummo" --from-menu --help) \
    > "$tmp/help" 2> "$tmp/note" || fail "the game with $shown failed: $(cat "$tmp/note")"
  case $(head -n 1 "$tmp/help") in
    Aufruf:*) help_spoken=de ;;
    Usage:*) help_spoken=en ;;
    *) fail "with $shown, --help in neither language: $(head -n 1 "$tmp/help")" ;;
  esac
  note=$(cat "$tmp/note")
  if grep -qF "gespeichert wird in $tmp/home" <<<"$note"; then note_spoken=de; else note_spoken=en; fi
  [ "$(wc -l < "$tmp/note")" -eq 1 ] && grep -qF "($data/brummo)" <<<"$note" && grep -qF "$tmp/home" <<<"$note" &&
    [ "$help_spoken" = "$spoken" ] && [ "$note_spoken" = "$spoken" ] ||
    fail "with $shown, expected --help and one line naming both folders in $spoken; got --help in $help_spoken and, in $note_spoken:
$note"
done

echo "ok: $launcher"
