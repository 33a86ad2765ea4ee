#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

class QIODevice;

// The saved-game file: three lines of 8-bit text, each ended by CR LF: seconds left, hits, score.
namespace SavedGame {

// A line longer than this is no saved game: reading stops there instead of swallowing a huge file.
constexpr qsizetype maxLineLength = 4096;

// The bytes of a file holding these three texts.
QByteArray format(const QString &zeit, const QString &treffer, const QString &punkte);

// The name the game is saved under: ".txt" appended unless the name already ends in exactly ".txt".
QString fileName(const QString &typed);

// Reads one line. A line ends at CR LF or at a lone CR; a lone LF belongs to the line.
// On failure (end of file before the line, an overlong line, a read error) gives nothing and a
// reason for the player in `error`.
std::optional<QString> readLine(QIODevice &file, QString &error);

// A line as a 16-bit signed number: optional sign and digits, blanks around them.
std::optional<qint16> toNumber(const QString &line);

// A saved game of a folder: its name for the list, and the name's bytes to open it by. Names from
// older systems are often Latin-1, not UTF-8; they are shown as Latin-1 and still open.
struct Listed {
    QString shown;
    QByteArray local;
};

// The regular files (after following links) of the folder named by these bytes whose names end in
// ".txt" in any case, names beginning with a dot included, sorted by name regardless of case.
QList<Listed> listFolder(const QByteArray &localFolder);

} // namespace SavedGame
