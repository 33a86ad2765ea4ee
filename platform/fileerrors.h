#pragma once

#include <QString>

class QFileDevice;

// A German sentence naming why a file operation failed, for the player's error box.
QString germanFileError(const QFileDevice &file, const QString &path);

// The same for an open that the system refused with this error number.
QString germanOpenError(int error, const QString &path);

// The same for a saved game that could not be written under `path`, by the system's error number.
QString germanSaveError(int error, const QString &path);
