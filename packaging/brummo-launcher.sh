#!/bin/sh
# Starts the game from its own folder, where its music and sounds lie beside it.
#
# The game saves into the working directory and lists every *.txt file found there as a saved game.
# The menu entry starts with --from-menu: a desktop would start the game in the home folder, among
# the player's notes, so the menu's games go to a data folder of their own. A start from a terminal
# keeps the folder the player is in, unless the player may not write there (some launchers use "/").
launcher=$(readlink -f -- "$0")
program="${launcher%/*}/../lib/games/brummo/brummo"

# The player's language by the rule the game follows: the first of the languages the player named
# (LANGUAGE, then LC_ALL, LC_MESSAGES or LANG) that is German or English; German otherwise.
english=
for language in $(printf '%s' "${LANGUAGE:-}" | tr ':' ' ') "${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}"; do
    case $language in
        de | de[_.@]*) break ;;
        en | en[_.@]*) english=yes; break ;;
    esac
done
# Prints $1, or $2 to a player who reads English.
say() {
    if [ -n "$english" ]; then printf '%s' "$2"; else printf '%s' "$1"; fi
}

# The player's home folder. Where HOME is unset or names no folder (some service managers start
# programs so), the one the system's user list gives, as a shell does for "~".
home=${HOME:-}
case $home in
    /*) [ -d "$home" ] || home= ;;
    *) home= ;;
esac
[ -n "$home" ] || home=$(getent passwd "$(id -u)" 2>/dev/null | cut -d: -f6)

# Runs the game in the home folder, or where that is missing or cannot be written into, in the
# folder for temporary files, so that saving works; says on the error output why ($1) and where.
save_elsewhere() {
    for folder in "$home" "${TMPDIR:-}" /tmp; do
        case $folder in /*) ;; *) continue ;; esac
        if [ -d "$folder" ] && [ -w "$folder" ] && cd -- "$folder" 2>/dev/null; then
            echo "Brummo: $1, $(say "gespeichert wird in" "saving in") $folder." >&2
            return
        fi
    done
    echo "Brummo: $1, $(say "und kein anderer Ordner ist beschreibbar: Spielstände lassen sich nicht speichern" \
        "and no other folder is writable: games cannot be saved")." >&2
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
        save_elsewhere "$(say "Ordner für Spielstände nicht beschreibbar" "folder for saved games not writable") ($data)"
    fi
elif [ ! -w . ]; then
    save_elsewhere "$(say "Ordner nicht beschreibbar" "folder not writable") ($(pwd))"
fi

exec "$program" "$@"
