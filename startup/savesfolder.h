#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class PlayerTexts;

// Where a start from the Windows Start menu runs: in the first of `folders` (most wanted first:
// the game's own under Saved Games, then the profile folder, then the one for temporary files)
// that `enter` makes the working folder. Gives the line that tells the player so when that is not
// the first one, the same as on Linux (startup/savesfoldernote.h); empty when it is.
QString enterSavesFolder(const QStringList &folders, const std::function<bool(const QString &)> &enter,
                         const PlayerTexts &texts);
