#pragma once

#include <QString>

class PlayerTexts;

// The one line that tells the player that the game does not run in the folder meant for it and
// where it saves instead: the data folder of a start from the menu (Linux's data folder, Windows'
// Saved Games), or the folder a terminal started it in.
enum class FolderMeant { SavesFolder, WorkingFolder };

// The folder taken instead: another one, the player's own that the system empties at log-out
// (Linux's $XDG_RUNTIME_DIR), or none, where no folder could be written.
enum class FolderTaken { Other, RuntimeFolder, None };

// That sentence in the player's language, with %1 for the folder meant and %2 for the one taken.
QString savesFolderSentence(const PlayerTexts &texts, FolderMeant meant, FolderTaken taken);
