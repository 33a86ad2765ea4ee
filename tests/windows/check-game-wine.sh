#!/usr/bin/env bash
# Installs the game under Wine as a player does and plays it on a private X server with a window
# manager, started the way the Start-menu entry starts it: the splash and the main window, German
# texts on a German Windows, a game started (its music by MCI commands in order) and saved, the program ended and started again, the
# saved game loaded from the list, the about window starting the system-information tool that
# the registry names (and its note where the registry names none), and the warning sound at ten
# seconds left, heard on a PulseAudio server of the check's own through Wine's PulseAudio driver.
# Usage: check-game-wine.sh SETUP.exe [RENDER-WINDOWS]
#   RENDER-WINDOWS: tests/screens/render-windows of a Linux build, to hold the Wine window against
#   the Linux one in German and in English; without it that comparison is left out.
#   BRUMMO_SHOTS=FOLDER keeps the screenshots there.
# Exits 77, a skip, where Wine, the X tools, the Windows compiler or the setup are missing.
set -euo pipefail

here=$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")
# shellcheck source=tests/windows/wine-prefix.sh
source "$here/wine-prefix.sh"
for tool in Xvfb openbox xdotool xwininfo xprop import convert compare x86_64-w64-mingw32-gcc python3; do
  command -v "$tool" >/dev/null ||
    skip "$tool not found (apt-get install xvfb openbox xdotool x11-utils imagemagick gcc-mingw-w64-x86-64)"
done
{ [ -n "${1:-}" ] && [ -f "$1" ]; } ||
  skip "no installer at '${1:-}' (makensis packaging/windows/brummo.nsi builds it; apt-get install nsis)"
setup=$(readlink -f "$1")
render_windows=${2:-}
if [ -n "$render_windows" ]; then
  [ -x "$render_windows" ] || fail "'$render_windows' is no program to render the Linux windows with"
  render_windows=$(readlink -f "$render_windows")
fi

# What the screen showed when the check failed is kept with the screenshots.
fail() {
  [ -n "${DISPLAY:-}" ] && import -window root "$shots/screen-at-failure.png" 2>/dev/null
  echo "FAIL: $*" >&2
  exit 1
}
stop_helpers() {
  for pid in ${recorder_pid:-} ${openbox_pid:-} ${xvfb_pid:-}; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  [ -z "${pulse_started:-}" ] || pulseaudio --kill 2>/dev/null || :
}
make_prefix
shots=${BRUMMO_SHOTS:-$tmp/shots}
mkdir -p "$shots"
shots=$(readlink -f "$shots")

# --- Helpers -------------------------------------------------------------------------------------

# Runs "$@" every tenth of a second until it succeeds, for at most $1 seconds.
poll() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# The first visible window whose title matches the pattern, into $found. Matched by bash:
# xdotool's own patterns ignore case and miss the umlaut of "Über".
window() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    if [[ $(xdotool getwindowname "$id" 2>/dev/null) =~ $1 ]]; then
      found=$id
      return 0
    fi
  done
  return 1
}
titles() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do printf "'%s' " "$(xdotool getwindowname "$id")"; done
}
# Waits for the window titled by pattern $1 for at most $2 seconds; $3 says what it is.
wait_window() {
  poll "$2" window "$1" || fail "$3 did not show within $2 s; on screen: $(titles)"
}
window_gone() { ! window "$1"; }
window_closed() { ! xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }

activate() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || fail "cannot bring $(xdotool getwindowname "$1") to the front"
}
# Clicks at a place of a window's inside, the window made active first as a player's click
# would make it.
click() {
  activate "$1"
  xdotool mousemove --window "$1" "$2" "$3" click 1
}
# Keys go to the active window.
keys() {
  activate "$1"
  xdotool "${@:2}"
}

# Not with run: that waits for every Windows program, the game as well.
registry() { timeout -k 5 30 "$wine" reg.exe "$@" >/dev/null || fail "reg $* failed"; }

shot() { import -window "$1" "$shots/$2.png"; }
differing_pixels() { compare -metric AE "$1" "$2" null: 2>&1 || :; }
# A window that is drawn in steps is caught once two pictures of it, a little apart, agree.
settled_shot() {
  local previous=$tmp/previous.png
  import -window "$1" "$previous"
  for _ in $(seq 25); do
    sleep 0.15
    shot "$1" "$2"
    [ "$(differing_pixels "$shots/$2.png" "$previous")" = 0 ] && return 0
    cp "$shots/$2.png" "$previous"
  done
  fail "the window of $2 kept changing"
}
# An area of a picture: FILE X Y WIDTH HEIGHT OUT.
crop() { convert "$1" -crop "$4x$5+$2+$3" +repage "$6"; }
# Whether an area of the main window, shot now as $1, differs from the picture $2 of it: NAME
# PICTURE X Y WIDTH HEIGHT.
changed() {
  shot "$main" "$1"
  crop "$shots/$1.png" "$3" "$4" "$5" "$6" "$tmp/$1-area.png"
  [ "$(differing_pixels "$2" "$tmp/$1-area.png")" != 0 ]
}

# How wide the text in an area of a picture is, from its first to its last column with a dark
# pixel: FILE X Y WIDTH HEIGHT. Red is bright on every background of the window (yellow, red,
# white) and dark on the black text, however thin a font draws it.
ink_width() {
  local box
  box=$(convert "$1" -crop "$4x$5+$2+$3" +repage -channel R -separate +channel -threshold 75% -negate \
    -bordercolor black -border 1 -format %@ info: 2>/dev/null)
  echo "${box%%x*}"
}

# The main window's places, in pixels of its inside (twips / 15 in game/frmmain_layout.cpp).
start_button=(232 383)
end_button=(580 100)
save_button=(580 156)
load_button=(580 188)
first_listed=(520 216)
about_button=(580 380)
# Areas in which only a read-out's number shows, in the frame "Aktuelles Spiel".
time_left=(592 16 41 17)
hits=(536 40 41 17)
score=(536 64 41 17)
listed=(490 210 181 62)
# The playing field above the explanations, where no text is.
field=(0 0 470 290)
# In the about window.
sysinfo_button=(325 216)
ok_button=(325 186)

readout() { ink_width "$1" "${time_left[@]}"; }

name="Brummo on the run"
program="C:\\Program Files\\$name\\brummo.exe"

# Starts the installed program as its Start-menu entry does and waits for its main window, which
# must follow the splash window; the main window's id is left in $main.
start_game() {
  local log=$tmp/game-$1.log
  # The status is kept in a file: the game killed at the end of a failed check then ends a
  # shell of ours, which bash does not report.
  game_status=$tmp/game-$1.status
  (
    cd "$program_folder"
    status=0
    # Wine writes down every MCI command string the game sends.
    WINEDEBUG=+mci LC_ALL=$windows_language "$wine" "$program" --from-menu >"$log" 2>&1 || status=$?
    echo "$status" >"$game_status"
  ) 2>>"$log" &
  # Wine's first start of a program in a new prefix takes seconds of its own before any window.
  wait_window '^Form1$' 20 "the splash window (Form1) of start $1"
  wait_window "^$name\$" 20 "the main window after the splash window of start $1"
  main=$found
  poll 10 window_gone '^Form1$' || fail "the splash window stayed beside the main window"
}

game_ended() { [ -s "$game_status" ]; }
# Ends the game with its own button; the program must end without an error.
end_game() {
  click "$main" "${end_button[@]}"
  poll 15 window_gone "^$name\$" || fail "the main window stayed after \"Brummo on the run beenden\""
  poll 15 game_ended || fail "the game did not end after its window closed"
  [ "$(cat "$game_status")" = 0 ] || fail "the game ended with status $(cat "$game_status"): $(cat "$tmp"/game-*.log)"
  timeout -k 5 20 "$wineserver" -w || fail "Wine's programs did not end after the game"
}

# --- Install, and the display ----------------------------------------------------------------------

# The game speaks German wherever Windows speaks no English.
windows_language=de_DE.UTF-8
run "$setup" /S
program_folder=$(unix_path "C:\\Program Files\\$name")
[ -s "$program_folder/brummo.exe" ] || fail "the installer put no brummo.exe into $program_folder"
saves="$(saved_games_folder)/$name"

# The stand-in for the system-information tool, in a folder with a blank in its name.
probe_folder=$(unix_path 'C:\Program Files\Sysinfo Probe')
mkdir -p "$probe_folder"
x86_64-w64-mingw32-gcc -O2 -s -mwindows -o "$probe_folder/sysinfo-probe.exe" "$here/sysinfo-probe.c" ||
  fail "cannot compile $here/sysinfo-probe.c"
cp "$probe_folder/sysinfo-probe.exe" "$probe_folder/MSINFO32.EXE"

# Xvfb picks a free display itself and names it once it takes connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$tmp/display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
poll 10 test -s "$tmp/display" || fail "Xvfb did not start: $(cat "$tmp/xvfb.log")"
DISPLAY=:$(head -n 1 "$tmp/display")
export DISPLAY
# Wine's windows with a frame, a title and the focus handed on as on Windows.
openbox --sm-disable >"$tmp/openbox.log" 2>&1 &
openbox_pid=$!
# A window manager names its own window on the root window once it manages the screen.
managed() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
poll 10 managed || fail "openbox did not start: $(cat "$tmp/openbox.log")"

# A sound server with a sink that plays into nothing, whose monitor the check records. Wine's
# PulseAudio driver is sent to it by name: left to look, it may find another server of this user's
# and play there. Where none can start, Wine has no sound device and the game must play on silently.
export XDG_RUNTIME_DIR=$tmp/runtime PULSE_SERVER=unix:$tmp/runtime/pulse/native
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
sound_device=
if command -v pulseaudio >/dev/null && command -v parec >/dev/null &&
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --log-target=file:"$tmp/pulse.log" \
    --load="module-null-sink sink_name=brummo_wine rate=22050 channels=1" --load=module-native-protocol-unix; then
  pulse_started=1
  poll 5 pactl info >/dev/null 2>&1 && sound_device=pulse
fi
[ -n "$sound_device" ] || echo "no PulseAudio server here ($(tail -n 1 "$tmp/pulse.log" 2>/dev/null)): the warning sound is not listened for"

# --- First start: the windows, the language, a game saved --------------------------------------

start_game 1
settled_shot "$main" main-idle
[ "$(ink_width "$shots/main-idle.png" "${listed[@]}")" = 0 ] || fail "a fresh Windows lists saved games already"
[ "$(readout "$shots/main-idle.png")" = 0 ] || fail "the time left shows before a game is started"

if [ -z "$render_windows" ]; then
  echo "not compared with the Linux windows: no render-windows given"
else
  for language in de en; do
    mkdir -p "$tmp/linux-$language" "$tmp/runtime"
    chmod 700 "$tmp/runtime"
    LANGUAGE=$language QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$tmp/runtime \
      timeout -k 5 60 "$render_windows" "$tmp/linux-$language" >"$tmp/render-$language.log" 2>&1 ||
      fail "render-windows failed in $language: $(cat "$tmp/render-$language.log")"
  done
  cp "$tmp/linux-de/main-idle.png" "$shots/linux-de-main-idle.png"
  cp "$tmp/linux-en/main-idle.png" "$shots/linux-en-main-idle.png"
  [ "$(identify -format %wx%h "$shots/main-idle.png")" = "$(identify -format %wx%h "$tmp/linux-de/main-idle.png")" ] ||
    fail "the main window is $(identify -format %wx%h "$shots/main-idle.png") under Wine, $(identify -format %wx%h "$tmp/linux-de/main-idle.png") on Linux"
  # The field is the same picture on both systems: a different scale, place or colour shows here.
  crop "$shots/main-idle.png" "${field[@]}" "$tmp/field-wine.png"
  crop "$tmp/linux-de/main-idle.png" "${field[@]}" "$tmp/field-linux.png"
  field_off=$(compare -metric AE -fuzz 10% "$tmp/field-wine.png" "$tmp/field-linux.png" null: 2>&1 || :)
  [ "$field_off" -le $((field[2] * field[3] / 100)) ] ||
    fail "$field_off pixels of the playing field differ from Linux's"

  # The German and English windows differ in their words alone: pictures, colours and places are
  # the same. Pixel by pixel that does not tell them apart, since Windows blends the edges of the
  # letters with another gamma and so differs from either render about equally. A line's length
  # does: the game draws its text with FreeType and the same hinting on both systems, so each line
  # is as long as the German one on Linux, give or take a pixel, while the words of the English
  # one differ far more in length ("Verbleibende Zeit:" and "Time left:"). Each area lies inside its
  # label or button, clear of borders and of the focus frame.
  texts=(
    "Verbleibende Zeit:|488 16 97 17"
    "Treffer:|488 40 49 17"
    "Punkte:|488 64 41 17"
    "Brummo on the run beenden|494 95 173 11"
    "Aktuelles Spiel speichern|494 151 173 11"
    "Spiel laden|494 183 173 11"
    "Über dieses Spiel|486 375 189 11"
    "Alles klar, los gehts!!!|8 379 449 9"
    "Pluspunkt(+1): ...|0 329 466 15"
    "Minuspunkt(-1): ...|0 345 466 15"
    "Bonuspunkt(+2): ...|0 361 466 15"
  )
  off_german=0 off_english=0 lengths=""
  for text in "${texts[@]}"; do
    read -ra area <<<"${text#*|}"
    wine_width=$(ink_width "$shots/main-idle.png" "${area[@]}")
    german_width=$(ink_width "$tmp/linux-de/main-idle.png" "${area[@]}")
    english_width=$(ink_width "$tmp/linux-en/main-idle.png" "${area[@]}")
    off_german=$((off_german + (wine_width < german_width ? german_width - wine_width : wine_width - german_width)))
    off_english=$((off_english + (wine_width < english_width ? english_width - wine_width : wine_width - english_width)))
    lengths+="  ${text%|*}: Wine $wine_width, German $german_width, English $english_width px"$'\n'
  done
  [ "$off_german" -le "${#texts[@]}" ] && [ $((3 * off_german)) -lt "$off_english" ] ||
    fail "the main window's texts are not the German ones as long as on Linux: off German by $off_german px, off English by $off_english px"$'\n'"$lengths"
  echo "German texts: the lines are $off_german px off the German window's lengths, $off_english px off the English ones"
fi

click "$main" "${start_button[@]}"
time_shows() { shot "$main" main-started && [ "$(readout "$shots/main-started.png")" -gt 0 ]; }
poll 5 time_shows ||
  fail "no time left shows after \"Alles klar, los gehts!!!\""
crop "$shots/main-started.png" "${time_left[@]}" "$tmp/time-started.png"
crop "$shots/main-idle.png" "${field[@]}" "$tmp/field-idle.png"
# The clock runs down and the first pictures show on the field.
poll 4 changed main-running "$tmp/time-started.png" "${time_left[@]}" ||
  fail "the time left stands still in a started game"
poll 6 changed main-target "$tmp/field-idle.png" "${field[@]}" ||
  fail "no picture showed on the field within 6 s of the start"
# The music as the game starts it: what played before closed, the file opened as a sequencer under
# its alias, and played with a notice at its end. Wine has no MIDI synthesizer here; whatever the
# commands return, the game runs on, as the clock above shows.
mci_commands() {
  sed -n 's/^.*trace:mci:mciSendStringW (L"\(.*\)", [0-9A-Fa-f]*, [0-9]*, [0-9A-Fa-f]*)$/\1/p' "$tmp/game-1.log" |
    sed 's/\\"/"/g; s/\\\\/\\/g'
}
music_started=$'close Musik\nopen "C:\\Program Files\\Brummo on the run\\kol.mid" type sequencer alias Musik\nplay Musik notify'
[ "$(mci_commands | head -n 3)" = "$music_started" ] ||
  fail "the game sent other MCI commands at its start:"$'\n'"$(mci_commands | head -n 5)"

click "$main" "${save_button[@]}"
wait_window '^Speichern$' 5 "the box asking for the name to save under"
box=$found
keys "$box" type --delay 20 wine-probe
shot "$box" box-save
keys "$box" key Return
poll 5 window_closed "$box" || fail "the box asking for the name stayed after Enter"
saved=$saves/wine-probe.txt
poll 5 test -f "$saved" || fail "no saved game $saved; the folder holds: $(ls -A "$saves" 2>&1)"
# Time left, hits and score, each on a line of its own that ends as Windows ends lines. Saved
# within seconds of the start, with no picture hit: time is left, and nothing else was won.
number_line=$'(-?[0-9]+)\r\n'
[[ "$(cat "$saved"; echo .)" =~ ^${number_line}${number_line}${number_line}\.$ ]] ||
  fail "the saved game is not three numbers on CRLF lines: $(od -c "$saved" | head -n 5)"
saved_time=${BASH_REMATCH[1]} saved_hits=${BASH_REMATCH[2]} saved_score=${BASH_REMATCH[3]}
{ [ "$saved_time" -gt 0 ] && [ "$saved_time" -lt 80 ] && [ "$saved_hits" = 0 ] && [ "$saved_score" = 0 ]; } ||
  fail "saved time left $saved_time, hits $saved_hits, score $saved_score, within seconds of the start"

end_game

# --- Second start: the saved game loaded, the system information ---------------------------------

# The first place the game looks; the second, a folder holding MSINFO32.EXE, comes later.
msinfo='HKLM\SOFTWARE\Microsoft\Shared Tools\MSINFO'
tools_location='HKLM\SOFTWARE\Microsoft\Shared Tools Location'
registry add "$msinfo" /v PATH /t REG_SZ /d 'C:\Program Files\Sysinfo Probe\sysinfo-probe.exe' /f
# A game with eleven seconds left, listed after the one saved above: the warning is one tick away.
printf '11\r\n0\r\n0\r\n' >"$saves/zehn.txt"

start_game 2
settled_shot "$main" main-restarted
[ "$(ink_width "$shots/main-restarted.png" "${listed[@]}")" -gt 0 ] || fail "the saved game is not listed after a new start"
# A game started loads its sounds, the warning among them; the loads below go into it.
click "$main" "${start_button[@]}"
poll 5 time_shows || fail "no time left shows after \"Alles klar, los gehts!!!\" in the second start"
# Loads the selected game ($1 says which): first the box with the path of the file that is read,
# then "0" once its first line is read, each closed with Enter and shot as box-path$2 and box-line$2.
load_selected() {
  click "$main" "${load_button[@]}"
  wait_window '^Krop$' 5 "the box with the path of $1"
  path_box=$found
  shot "$path_box" "box-path$2"
  keys "$path_box" key Return
  poll 5 next_box || fail "no box \"0\" followed the path of $1"
  line_box=$found
  shot "$line_box" "box-line$2"
  keys "$line_box" key Return
  poll 5 window_closed "$line_box" || fail "the box \"0\" stayed after Enter"
}
next_box() { window_closed "$path_box" && window '^Krop$'; }
click "$main" "${first_listed[@]}"
load_selected "the saved game" ""
[ "$(identify -format %w "$shots/box-line.png")" -lt "$(identify -format %w "$shots/box-path.png")" ] ||
  fail "the box after the path is no narrower than the path's: it shows no \"0\""
if poll 2 window '^Fehler$'; then
  shot "$found" box-error
  fail "loading the saved game ended in an error box (box-error.png in $shots)"
fi
shot "$main" main-loaded
[ "$(ink_width "$shots/main-loaded.png" "${time_left[@]}")" -gt 0 ] || fail "the loaded game shows no time left"
[ "$(ink_width "$shots/main-loaded.png" "${hits[@]}")" -gt 0 ] || fail "the loaded game shows no hits"
[ "$(ink_width "$shots/main-loaded.png" "${score[@]}")" -gt 0 ] || fail "the loaded game shows no score"
crop "$shots/main-loaded.png" "${time_left[@]}" "$tmp/time-loaded.png"
poll 4 changed main-resumed "$tmp/time-loaded.png" "${time_left[@]}" ||
  fail "the time left of the loaded game stands still"

click "$main" "${about_button[@]}"
wait_window '^Über dieses Spiel\.\.\.$' 5 "the about window"
about=$found
settled_shot "$about" about
if [ -n "$render_windows" ]; then
  cp "$tmp/linux-de/about.png" "$shots/linux-de-about.png"
fi

# Pressed once for each place the tool may be named in; each start leaves its own file.
started_probe() {
  local marker=$probe_folder/$1.txt expected="\"C:\\Program Files\\Sysinfo Probe\\$2\""
  click "$about" "${sysinfo_button[@]}"
  if ! poll 5 test -s "$marker"; then
    window '^Krop$' && shot "$found" box-sysinfo
    fail "\"Systeminfo...\" did not start $2 named in $3; on screen: $(titles)"
  fi
  [ "$(cat "$marker")" = "$expected" ] || fail "the tool was started as $(cat "$marker"), not as $expected"
}
started_probe sysinfo-probe sysinfo-probe.exe "$msinfo PATH"
registry delete "$msinfo" /v PATH /f
registry add "$tools_location" /v MSINFO /t REG_SZ /d 'C:\Program Files\Sysinfo Probe' /f
started_probe MSINFO32 MSINFO32.EXE "$tools_location MSINFO"
# Where neither key names a tool: the note, and no start.
registry delete "$tools_location" /v MSINFO /f
rm -f "$probe_folder"/*.txt
click "$about" "${sysinfo_button[@]}"
wait_window '^Krop$' 5 "the note that no system information is there, with neither registry key"
shot "$found" box-no-sysinfo
keys "$found" key Return
poll 5 window_closed "$found" || fail "the note on the system information stayed after Enter"
[ -z "$(ls "$probe_folder"/*.txt 2>/dev/null)" ] || fail "a tool started with neither registry key naming one"

click "$about" "${ok_button[@]}"
poll 5 window_closed "$about" || fail "the about window stayed after OK"

# --- The warning at ten seconds left ---------------------------------------------------------------

# The game with eleven seconds left, loaded into the running one, warns at the next tick. The sink's
# monitor is recorded from before the load.
click "$main" "${first_listed[@]}"
keys "$main" key Down
recording=$tmp/warning.raw
if [ -n "$sound_device" ]; then
  # In small pieces: what parec holds when it is stopped is lost, by default up to two seconds.
  parec --device=brummo_wine.monitor --format=s16le --rate=22050 --channels=1 --raw --latency-msec=20 >"$recording" &
  recorder_pid=$!
fi
load_selected "the game with eleven seconds left" -eleven
shot "$main" main-eleven
crop "$shots/main-eleven.png" "${time_left[@]}" "$tmp/time-eleven.png"
# Through the warning and a second beyond it (it lasts a second), the game going on.
sleep 3
poll 4 changed main-warned "$tmp/time-eleven.png" "${time_left[@]}" || fail "the time left stood still after the load"
if poll 1 window '^Fehler$'; then
  shot "$found" box-error
  fail "the game with eleven seconds left ended in an error box (box-error.png in $shots)"
fi
if [ -n "$sound_device" ]; then
  kill "$recorder_pid"
  wait "$recorder_pid" 2>/dev/null || :
  recorder_pid=
  # How long the recording is loud, from its first to its last sample above 3 % of full scale.
  heard=$(python3 -c '
import array, sys
samples = array.array("h", open(sys.argv[1], "rb").read())
loud = [i for i, v in enumerate(samples) if abs(v) > 1000]
print(f"{(loud[-1] - loud[0]) / 22050:.2f}" if loud else "0")' "$recording")
  # The warning lasts one second; music cannot reach the sink, as Wine has no MIDI synthesizer.
  python3 -c 'import sys; sys.exit(not 0.6 <= float(sys.argv[1]) <= 1.6)' "$heard" ||
    fail "the warning at ten seconds left was heard for $heard s on the PulseAudio sink, not about a second"
  echo "the warning at ten seconds left was heard for $heard s through Wine's PulseAudio driver"
else
  echo "the game played on silently through the warning at ten seconds left"
fi
end_game

echo "PASS: installed and started from the Start menu under Wine: splash and main window, a game started with its MCI commands in order, saved to $name/wine-probe.txt, loaded after a new start; \"Systeminfo...\" started the tool named in either registry key, and told of none with neither; the warning at ten seconds left"
