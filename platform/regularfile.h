#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Saved games and sound files come from folders the player controls, where a name can stand for a
// pipe or a device as well as for a file. Opening those the ordinary way waits for a writer that
// never comes (a pipe) or reads without end (/dev/zero), so files are opened this way instead.
namespace RegularFile {

// Opens `localPath` (the name's bytes as the system has them) for reading into `file`, but only when
// it is a regular file after following links; never waits on the way. Gives an empty text on
// success, otherwise the reason naming `shownPath` for the player's error box.
QString openForReading(QFile &file, const QByteArray &localPath, const QString &shownPath);

inline QString openForReading(QFile &file, const QString &path)
{
    return openForReading(file, QFile::encodeName(path), path);
}

// The sentence that refuses a name under which something other than a regular file stands: a
// device, a pipe or a socket, which a file operation must neither replace nor wait on.
QString notARegularFile(const QString &shownPath);

} // namespace RegularFile
