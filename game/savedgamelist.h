#pragma once

#include "game/savedgame.h"

#include <QByteArrayView>

// What listing a folder's saved games is alike in on every system; each system reads the folder
// by its own calls (savedgame_linux.cpp, savedgame_windows.cpp).
namespace SavedGame {

// The name ends in ".txt" in any case.
bool hasGameEnding(QByteArrayView name);

// In the list's order: by the shown name regardless of case, then by the system's bytes.
void sortForList(QList<Listed> &games);

} // namespace SavedGame
