#pragma once

#include <QString>

class QFileDevice;

// Why a file operation failed, as one sentence naming the file for the player's error box: German,
// or the player's language where the game speaks it.
QString fileErrorText(const QFileDevice &file, const QString &path);

// The same for an open that the system refused with this error number.
QString openErrorText(int error, const QString &path);

// The same for a saved game that could not be written under `path`, by the system's error number.
QString saveErrorText(int error, const QString &path);
