#include "game/savedgame.h"

#include "platform/localnames.h"

#include <QCoreApplication>
#include <QIODevice>

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace SavedGame {

QByteArray format(const QString &zeit, const QString &treffer, const QString &punkte)
{
    QByteArray bytes;
    for (const QString &text : {zeit, treffer, punkte})
        bytes += text.toLatin1() + "\r\n";
    return bytes;
}

QString fileName(const QString &typed)
{
    const QString extension = QStringLiteral(".txt");
    return typed.endsWith(extension, Qt::CaseSensitive) ? typed : typed + extension;
}

std::optional<QString> readLine(QIODevice &file, QString &error)
{
    QByteArray line;
    char byte = 0;
    bool readAnything = false;
    while (file.getChar(&byte)) {
        readAnything = true;
        if (byte == '\r') {
            char next = 0;
            if (file.peek(&next, 1) == 1 && next == '\n')
                file.getChar(&next);
            return QString::fromLatin1(line);
        }
        if (line.size() >= maxLineLength) {
            error = QCoreApplication::translate(
                        "SavedGame", "Die Datei ist kein Spielstand: eine Zeile ist länger als %1 Zeichen.")
                        .arg(maxLineLength);
            return std::nullopt;
        }
        line += byte;
    }
    if (file.isReadable() && !file.atEnd()) {
        error = QCoreApplication::translate("SavedGame", "Die Datei konnte nicht gelesen werden: %1")
                    .arg(file.errorString());
        return std::nullopt;
    }
    if (!readAnything) {
        error = QCoreApplication::translate("SavedGame", "Die Datei endet zu früh: ein Spielstand hat drei Zeilen.");
        return std::nullopt;
    }
    return QString::fromLatin1(line);
}

std::optional<qint16> toNumber(const QString &line)
{
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && isBlank(line.at(begin)))
        ++begin;
    while (end > begin && isBlank(line.at(end - 1)))
        --end;

    bool negative = false;
    if (begin < end && (line.at(begin) == QLatin1Char('-') || line.at(begin) == QLatin1Char('+'))) {
        negative = line.at(begin) == QLatin1Char('-');
        ++begin;
    }
    if (begin == end)
        return std::nullopt;

    int value = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const QChar c = line.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > 32768)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value > 32767)
        return std::nullopt;
    return static_cast<qint16>(value);
}

QList<Listed> listFolder(const QByteArray &localFolder)
{
    // Read by hand: Qt's own listing leaves out names that are not valid UTF-8.
    QList<Listed> games;
    DIR *directory = ::opendir(localFolder.constData());
    if (!directory)
        return games;
    while (const dirent *entry = ::readdir(directory)) {
        const QByteArray name(entry->d_name);
        // Dot names too: a game saved as ".spiel" is ".spiel.txt".
        if (name.size() < 4 || name.right(4).toLower() != ".txt")
            continue;
        struct stat status {};
        if (::fstatat(::dirfd(directory), entry->d_name, &status, 0) != 0 || !S_ISREG(status.st_mode))
            continue;
        games.append({readableName(name), name});
    }
    ::closedir(directory);
    std::sort(games.begin(), games.end(), [](const Listed &a, const Listed &b) {
        const int order = a.shown.compare(b.shown, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.local < b.local;
    });
    return games;
}

} // namespace SavedGame
