#pragma once

#include <QByteArray>

class PlayerTexts;

// Where the player cannot write into the folder saved games belong in, the launcher in /usr/games
// (packaging/brummo-launcher.sh) runs the game in another one and puts these in front of the
// player's arguments:
//   --data-folder-not-writable=FOLDER  started from the menu, and its data folder could not be used
//   --folder-not-writable=FOLDER       started from a terminal in a folder the player cannot write into
//   --saving-in=FOLDER                 the folder taken instead
//   --saving-in-runtime-folder=FOLDER  the same, the player's own folder that the system empties at
//                                      log-out ($XDG_RUNTIME_DIR)
// and neither of the last two where no folder could be written. The game says so itself, so that
// the line speaks the same language as the game by the game's one rule. Qt and the game pass over
// these arguments otherwise.

// That line for these arguments, in the terminal's character set (startup/terminaltext.h), with a
// line break, each folder as its bytes stand; empty when the launcher moved nothing.
QByteArray launcherNote(int argc, const char *const argv[], const PlayerTexts &texts);
