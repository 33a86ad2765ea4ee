#include "platform/fileerrors.h"

#include <QFileDevice>
#include <QFileInfo>

QString germanFileError(const QFileDevice &file, const QString &path)
{
    const QString shown = QStringLiteral("\n%1").arg(path);
    const QFileInfo info(path);
    switch (file.error()) {
    case QFileDevice::OpenError:
        if (!info.exists())
            return QStringLiteral("Datei nicht gefunden:") + shown;
        if (info.isDir())
            return QStringLiteral("Das ist ein Ordner, keine Datei:") + shown;
        return QStringLiteral("Die Datei konnte nicht geöffnet werden (keine Berechtigung?):") + shown;
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
