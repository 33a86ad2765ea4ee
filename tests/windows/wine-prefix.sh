# Sourced by the checks that run the Windows build under Wine: a Wine prefix of their own in a
# scratch folder that is thrown away when the check ends, and the helpers to run programs in it.
# A check may define stop_helpers to end what it started itself; it runs after Wine has ended.
# shellcheck shell=bash

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
{ [ -x "$wine" ] && [ -x "$wineserver" ]; } || skip "Wine not found at $wine (apt-get install wine64)"

wine_cleanup() {
  # The Wine server outlives the programs and would keep the caller's output pipe open.
  timeout -k 5 30 "$wineserver" -k 2>/dev/null || :
  if declare -F stop_helpers >/dev/null; then stop_helpers; fi
  rm -rf "$tmp"
}

# Makes the scratch folder $tmp and the prefix in it; Windows shows the language of
# $windows_language, by default none in particular.
make_prefix() {
  tmp=$(mktemp -d)
  trap wine_cleanup EXIT
  trap 'exit 1' INT TERM
  # Wine links the prefix's Documents and Desktop to folders in HOME and writes menu entries there:
  # both stay in the scratch folder. No display yet: making the prefix needs none.
  mkdir "$tmp/home"
  export HOME=$tmp/home WINEPREFIX=$tmp/prefix WINEDEBUG=-all LC_ALL=C.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  unset DISPLAY WAYLAND_DISPLAY LANGUAGE LANG
  windows_language=$LC_ALL
  # The prefix's first start tells of every folder it makes; only a failure is worth reading.
  { timeout -k 5 150 "$wine" wineboot.exe --init >"$tmp/wineboot.log" 2>&1 && timeout -k 5 60 "$wineserver" -w; } ||
    fail "Wine could not make its prefix: $(cat "$tmp/wineboot.log")"
}

# Runs a Windows program and waits for every process it started: NSIS's uninstaller runs a copy
# of itself from the temporary folder and returns at once. Wine takes Windows' language from
# LC_ALL, whether or not Linux has that locale, so only Wine gets it.
run() {
  LC_ALL=$windows_language timeout -k 5 150 "$wine" "$@" || fail "$* exited with $?"
  timeout -k 5 60 "$wineserver" -w || fail "Wine's programs did not end after $*"
}
unix_path() { "$wine" winepath.exe -u "$1" | tr -d '\r'; }

# Where Windows keeps the player's saved games, as a Linux path.
saved_games_folder() { unix_path "$("$wine" cmd.exe /c 'echo %USERPROFILE%' | tr -d '\r')\\Saved Games"; }
