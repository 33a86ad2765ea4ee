#!/bin/sh
# Starts the game from its own folder, where its music and sounds lie beside it.
#
# The game saves into the working directory and lists the saved games found there. A start from
# the desktop menu usually runs in the home folder already; a start from a folder the player may
# not write into (some launchers use "/") would make saving fail, so that one starts at home.
launcher=$(readlink -f -- "$0")
program="${launcher%/*}/../lib/brummo/brummo"

if [ ! -w . ] && [ -n "${HOME:-}" ] && [ -d "$HOME" ]; then
    cd "$HOME" || :
fi

exec "$program" "$@"
