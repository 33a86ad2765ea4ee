#include "platform/fileerrors.h"

#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

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
        return QStringLiteral("Kein Speicherplatz mehr frei, die Datei wurde nicht geschrieben:") + shown;
    case QFileDevice::WriteError:
        return QStringLiteral("Die Datei konnte nicht geschrieben werden:") + shown;
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
