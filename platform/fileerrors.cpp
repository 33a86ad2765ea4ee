#include "platform/fileerrors.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

namespace {

QString noSpaceLeft(const QString &path)
{
    return QStringLiteral("Kein Speicherplatz mehr frei, die Datei wurde nicht geschrieben:\n%1").arg(path);
}

QString notWritten(const QString &path)
{
    return QStringLiteral("Die Datei konnte nicht geschrieben werden:\n%1").arg(path);
}

} // namespace

QString germanFileError(const QFileDevice &file, const QString &path)
{
    const QString shown = QStringLiteral("\n%1").arg(path);
    const QFileInfo info(path);
    switch (file.error()) {
    case QFileDevice::OpenError:
        return germanOpenError(!info.exists() ? ENOENT : info.isDir() ? EISDIR : EACCES, path);
    case QFileDevice::PermissionsError:
        return QStringLiteral("Keine Berechtigung für die Datei:") + shown;
    case QFileDevice::ResourceError:
        return noSpaceLeft(path);
    case QFileDevice::WriteError:
        return notWritten(path);
    case QFileDevice::ReadError:
        return QStringLiteral("Die Datei konnte nicht gelesen werden:") + shown;
    default:
        return QStringLiteral("Fehler beim Zugriff auf die Datei:") + shown;
    }
}

QString germanOpenError(int error, const QString &path)
{
    const QString shown = QStringLiteral("\n%1").arg(path);
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Datei nicht gefunden:") + shown;
    case EISDIR:
        return QStringLiteral("Das ist ein Ordner, keine Datei:") + shown;
    case EACCES:
    case EPERM:
        return QStringLiteral("Die Datei konnte nicht geöffnet werden (keine Berechtigung?):") + shown;
    case ELOOP:
        return QStringLiteral("Die Datei ist ein Verweis, der im Kreis auf sich selbst zeigt:") + shown;
    default:
        return QStringLiteral("Fehler beim Zugriff auf die Datei:") + shown;
    }
}

QString germanSaveError(int error, const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    switch (error) {
    case ENOSPC:  // no blocks or no inodes left
    case EDQUOT:
        return noSpaceLeft(path);
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Der Ordner für den Spielstand existiert nicht:\n%1").arg(folder);
    case ENAMETOOLONG:
        return QStringLiteral("Der Name ist zu lang für einen Spielstand, bitte wähle einen kürzeren:\n%1")
            .arg(path);
    case EISDIR:
        return QStringLiteral("Unter diesem Namen gibt es schon einen Ordner:\n%1").arg(path);
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("In diesem Ordner darf nicht gespeichert werden "
                              "(keine Berechtigung oder schreibgeschützt):\n%1")
            .arg(folder);
    default:
        return notWritten(path);
    }
}
