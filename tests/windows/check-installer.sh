#!/usr/bin/env bash
# Runs the Windows installer silently under Wine, in a Wine prefix of its own that is thrown away
# afterwards, and checks what a player would find: the program in Program Files, the Start-menu
# entry, the entry in the list of installed apps; then the silent uninstaller, which must take all
# of that away again and leave the player's saved games.
# Usage: check-installer.sh SETUP.exe     (exits 77, a skip, where Wine or the setup is missing)
set -euo pipefail

# shellcheck source=tests/windows/wine-prefix.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
{ [ -n "${1:-}" ] && [ -f "$1" ]; } ||
  skip "no installer at '${1:-}' (makensis packaging/windows/brummo.nsi builds it; apt-get install nsis)"
setup=$(readlink -f "$1")

# No display: a silent installer shows no window.
make_prefix

name="Brummo on the run"
program_folder=$(unix_path "C:\\Program Files\\$name")
shortcut=$(unix_path "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\$name.lnk")
saved_games=$(saved_games_folder)
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\BrummoOnTheRun'
shipped=(brummo.exe kol.mid crap.wav deadnow.wav LICENSE uninstall.exe)
german_comment="Klick die Bilder an, die vor Brummos Haus auftauchen."
english_comment="Press the pictures that pop up in front of Brummo's house."

# A value of the uninstall entry as read last into $registered.
value() { sed -n "s/^ *$1 *REG_[A-Z_]* *//p" <<<"$registered"; }
expect_value() {
  [ "$(value "$1")" = "$2" ] || fail "$1 is '$(value "$1")', not '$2'"
}

# One install and uninstall with Windows showing the language of $1; $2 is the Start-menu entry's
# comment in the language the installer must have chosen.
install_and_uninstall() {
  windows_language=$1
  local comment=$2
  run "$setup" /S

  for file in "${shipped[@]}"; do
    [ -s "$program_folder/$file" ] || fail "$file is not in $program_folder"
  done
  for exe in brummo.exe uninstall.exe; do
    [ "$(head -c 2 "$program_folder/$exe")" = MZ ] || fail "$exe is no Windows program"
  done

  [ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
  # A shortcut keeps its texts in UTF-16; without the zero bytes the ASCII ones read plainly.
  shortcut_text=$(tr -d '\0' <"$shortcut")
  for part in 'C:\Program Files\Brummo on the run\brummo.exe' '--from-menu' "$comment"; do
    grep -qaF -- "$part" <<<"$shortcut_text" || fail "the Start-menu entry lacks $part"
  done

  registered=$("$wine" reg.exe query "$key" | tr -d '\r') || fail "no uninstall entry $key"
  expect_value DisplayName "$name"
  expect_value Publisher "Brummo-Team"
  expect_value DisplayIcon "C:\\Program Files\\$name\\brummo.exe,0"
  expect_value UninstallString "\"C:\\Program Files\\$name\\uninstall.exe\""
  expect_value QuietUninstallString "\"C:\\Program Files\\$name\\uninstall.exe\" /S"
  [[ $(value DisplayVersion) =~ ^[0-9]+(\.[0-9]+)+$ ]] || fail "DisplayVersion '$(value DisplayVersion)' is no version"
  # Settings lists this size; it must be what the folder holds, give or take the rounding per file.
  estimated_kib=$(($(value EstimatedSize)))
  folder_kib=$(($(du -s --apparent-size -B1 "$program_folder" | cut -f1) / 1024))
  { [ $((estimated_kib - folder_kib)) -le 16 ] && [ $((folder_kib - estimated_kib)) -le 16 ]; } ||
    fail "EstimatedSize is $estimated_kib KiB, the folder holds $folder_kib KiB"

  # Where the game started from the Start menu saves.
  mkdir -p "$saved_games/$name"
  echo "a saved game" >"$saved_games/$name/Spiel 1.txt"

  run "$program_folder/uninstall.exe" /S

  [ ! -e "$program_folder" ] || fail "the uninstaller left $(find "$program_folder" -mindepth 1 -printf '%P ')in $program_folder"
  [ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
  if "$wine" reg.exe query "$key" >/dev/null 2>&1; then fail "the uninstaller left $key"; fi
  [ "$(cat "$saved_games/$name/Spiel 1.txt" 2>/dev/null)" = "a saved game" ] ||
    fail "the uninstaller took the saved game in $saved_games/$name"
}

# German where Windows shows German, English where it shows any English, German everywhere else.
install_and_uninstall de_DE.UTF-8 "$german_comment"
install_and_uninstall en_GB.UTF-8 "$english_comment"
install_and_uninstall fr_FR.UTF-8 "$german_comment"

echo "PASS: installed on a German, English and French Windows with Start-menu and uninstall entries; uninstalled, saved game kept"
