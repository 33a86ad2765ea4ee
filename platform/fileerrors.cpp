#include "platform/fileerrors.h"

#include <QCoreApplication>
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
        return QCoreApplication::translate("FileErrors", "Keine Berechtigung für die Datei:") + shown;
    case QFileDevice::ResourceError:
        return QCoreApplication::translate("FileErrors",
                                           "Kein Speicherplatz mehr frei, die Datei wurde nicht geschrieben:")
               + shown;
    case QFileDevice::WriteError:
        return QCoreApplication::translate("FileErrors", "Die Datei konnte nicht geschrieben werden:") + shown;
    case QFileDevice::ReadError:
        return QCoreApplication::translate("FileErrors", "Die Datei konnte nicht gelesen werden:") + shown;
    default:
        return QCoreApplication::translate("FileErrors", "Fehler beim Zugriff auf die Datei:") + shown;
    }
}

QString germanOpenError(int error, const QString &path)
{
    const QString shown = QStringLiteral("\n%1").arg(path);
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return QCoreApplication::translate("FileErrors", "Datei nicht gefunden:") + shown;
    case EISDIR:
        return QCoreApplication::translate("FileErrors", "Das ist ein Ordner, keine Datei:") + shown;
    case EACCES:
    case EPERM:
        return QCoreApplication::translate("FileErrors",
                                           "Die Datei konnte nicht geöffnet werden (keine Berechtigung?):")
               + shown;
    case ELOOP:
        return QCoreApplication::translate("FileErrors",
                                           "Die Datei ist ein Verweis, der im Kreis auf sich selbst zeigt:")
               + shown;
    default:
        return QCoreApplication::translate("FileErrors", "Fehler beim Zugriff auf die Datei:") + shown;
    }
}
