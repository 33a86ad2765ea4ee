#!/bin/sh
# Starts the game from its own folder, where its music and sounds lie beside it.
#
# The game saves into the working directory and lists every *.txt file found there as a saved game.
# The menu entry starts with --from-menu: a desktop would start the game in the home folder, among
# the player's notes, so the menu's games go to a data folder of their own. A start from a terminal
# keeps the folder the player is in, unless the player may not write there (some launchers use "/").
launcher=$(readlink -f -- "$0")
program="${launcher%/*}/../lib/games/brummo/brummo"

if [ "${1:-}" = --from-menu ]; then
    shift
    # A relative XDG_DATA_HOME is to be ignored, as desktops do: it would depend on where we stand.
    case "${XDG_DATA_HOME:-}" in
        /*) data="$XDG_DATA_HOME/brummo" ;;
        *) data="${HOME:-}/.local/share/brummo" ;;
    esac
    if mkdir -p -- "$data" 2>/dev/null && [ -w "$data" ] && cd -- "$data" 2>/dev/null; then
        :
    else
        echo "Brummo: Ordner für Spielstände nicht beschreibbar ($data), gespeichert wird im persönlichen Ordner." >&2
        cd "${HOME:-/}" || :
    fi
elif [ ! -w . ] && [ -n "${HOME:-}" ] && [ -d "$HOME" ]; then
    cd "$HOME" || :
fi

exec "$program" "$@"
