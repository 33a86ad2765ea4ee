#!/bin/sh
# Starts the game from its own folder, where its music and sounds lie beside it.
#
# The game saves into the working directory and lists every *.txt file found there as a saved game.
# The menu entry starts with --from-menu: a desktop would start the game in the home folder, among
# the player's notes, so the menu's games go to a data folder of their own. A start from a terminal
# keeps the folder the player is in, unless the player may not write there (some launchers use "/").
launcher=$(readlink -f -- "$0")
program="${launcher%/*}/../lib/games/brummo/brummo"

# The player's home folder. Where HOME is unset or names no folder (some service managers start
# programs so), the one the system's user list gives, as a shell does for "~".
home=${HOME:-}
case $home in
    /*) [ -d "$home" ] || home= ;;
    *) home= ;;
esac
[ -n "$home" ] || home=$(getent passwd "$(id -u)" 2>/dev/null | cut -d: -f6)

# The game says in one line, in its language, why it does not run where it was meant to and where
# it saves instead: the launcher hands it the facts as arguments (startup/launchernote.h).
meant=
taken=

# Runs the game in the home folder, or where that is missing or cannot be written into, in the
# player's own runtime folder or the one for temporary files, so that saving works.
save_elsewhere() {
    # $XDG_RUNTIME_DIR where it is the player's alone, as the system makes it at log-in: absolute,
    # owned by the player, mode 0700. Others may write into $TMPDIR and /tmp, and plant files there.
    own=
    case ${XDG_RUNTIME_DIR:-} in
        /*) [ "$(stat -L -c '%u %a' -- "$XDG_RUNTIME_DIR" 2>/dev/null)" = "$(id -u) 700" ] && own=$XDG_RUNTIME_DIR ;;
    esac
    for folder in "$home" "$own" "${TMPDIR:-}" /tmp; do
        case $folder in /*) ;; *) continue ;; esac
        if [ -d "$folder" ] && [ -w "$folder" ] && cd -- "$folder" 2>/dev/null; then
            if [ "$folder" = "$own" ]; then
                taken=--saving-in-runtime-folder=$folder
            else
                taken=--saving-in=$folder
            fi
            return
        fi
    done
}

if [ "${1:-}" = --from-menu ]; then
    shift
    # A relative XDG_DATA_HOME is to be ignored, as desktops do: it would depend on where we stand.
    case "${XDG_DATA_HOME:-}" in
        /*) data="$XDG_DATA_HOME/brummo" ;;
        *) data="$home/.local/share/brummo" ;;
    esac
    if mkdir -p -- "$data" 2>/dev/null && [ -w "$data" ] && cd -- "$data" 2>/dev/null; then
        :
    else
        meant=--data-folder-not-writable=$data
        save_elsewhere
    fi
elif [ ! -w . ]; then
    meant=--folder-not-writable=$PWD
    save_elsewhere
fi

exec "$program" ${meant:+"$meant"} ${taken:+"$taken"} "$@"
