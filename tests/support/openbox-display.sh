# Sourced by the checks that drive the real program on an X display of their own: an Xvfb screen
# of 1280x800 with the openbox window manager on it, which frames windows as a desktop does, and
# ways to find the program's windows and read where they are. Nothing here sleeps for a fixed
# time: every wait polls with a deadline.
#
# Sourcing it makes the scratch folder $tmp, removed on exit with the display and the program whose
# process id the caller keeps in $game; the caller sends the program's output to $tmp/game.log.

# The windows are found by their German titles, which xdotool matches as regular expressions in
# the locale's character set: under C or POSIX "Über dieses Spiel..." matches no window. So the
# game speaks German and every tool reads UTF-8, whatever the caller's locale and languages.
export LC_ALL=C.UTF-8 LANGUAGE=de

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }

display_pids=()
tmp=$(mktemp -d)
game=

stop_display() {
  for p in "${display_pids[@]}"; do kill "$p" 2>/dev/null || :; done
  for p in "${display_pids[@]}"; do wait "$p" 2>/dev/null || :; done
}

cleanup() {
  [ -z "$game" ] || kill "$game" 2>/dev/null || :
  stop_display
  rm -rf "$tmp"
}
trap cleanup EXIT

# Polls "$@" every tenth of a second until it succeeds, for at most $seconds seconds.
within() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# Starts Xvfb and openbox and exports DISPLAY; skips where either is missing or does not start.
start_openbox_display() {
  local tool
  for tool in Xvfb openbox xdotool xwininfo xprop dbus-daemon; do
    command -v "$tool" >/dev/null ||
      skip "$tool is missing (tools/setup.sh installs xvfb, openbox, xdotool, x11-utils, dbus-daemon)"
  done
  mkdir -p "$tmp/home"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3> "$tmp/display" > "$tmp/xvfb.log" 2>&1 &
  display_pids+=($!)
  within 10 test -s "$tmp/display" || skip "Xvfb did not start: $(cat "$tmp/xvfb.log")"
  export DISPLAY=":$(cat "$tmp/display")"
  # Its own home, so that a configuration of the user's cannot change the frames.
  HOME="$tmp/home" openbox --sm-disable > "$tmp/openbox.log" 2>&1 &
  display_pids+=($!)
  within 10 wm_running || skip "openbox did not start: $(tail -n 20 "$tmp/openbox.log")"
  # A session bus, as a desktop has one. Without it Qt's X11 platform asks D-Bus to start one
  # for the display, which fails here and leaves memory behind that LeakSanitizer reports.
  dbus-daemon --session --fork --print-address=3 --print-pid=4 3> "$tmp/bus" 4> "$tmp/bus.pid" ||
    skip "no session bus starts"
  display_pids+=("$(cat "$tmp/bus.pid")")
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$tmp/bus")
  export DBUS_SESSION_BUS_ADDRESS
}

# The id of the program's mapped window with the title $1 (exactly), waiting up to $2 seconds.
await_window() {
  local title=$1 seconds=$2 pattern
  pattern="^$(printf '%s' "$title" | sed 's/[].[^$*\\]/\\&/g')\$"
  within "$seconds" xdotool search --onlyvisible --name "$pattern" > "$tmp/found" 2>/dev/null ||
    fail "no window \"$title\" within $seconds s; the game said: $(tail -n 20 "$tmp/game.log" 2>/dev/null)"
  head -n 1 "$tmp/found"
}

# Whether openbox has given the window $1 the focus, so that key presses reach it.
window_is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# "x y width height" of the window $1 as xwininfo tells it: for a client, its client area.
rectangle() {
  xwininfo -id "$1" | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } /Border width:/ { b = $NF }
    END { print x - b, y - b, w + 2 * b, h + 2 * b }'
}

# The window manager's frame around the client $1: the ancestor that is a child of the root window.
frame_of() {
  local window=$1 info
  while info=$(xwininfo -children -id "$window"); do
    if grep -q 'Parent window id:.*(the root window)' <<< "$info"; then
      echo "$window"
      return
    fi
    window=$(awk '/Parent window id:/ { print $4 }' <<< "$info")
  done
  return 1
}

# "x y width height" of the screen's area for windows, as openbox tells it: the screen less its
# panels and docks.
work_area() {
  xprop -root _NET_WORKAREA | awk -F'[=,]' '/=/ { print $2 + 0, $3 + 0, $4 + 0, $5 + 0 }'
}
