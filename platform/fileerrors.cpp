#include "platform/fileerrors.h"

#include <QCoreApplication>
#include <QFileDevice>
#include <QFileInfo>

#include <cerrno>

namespace {

QString noSpaceLeft(const QString &path)
{
    return QCoreApplication::translate("FileErrors", "Kein Speicherplatz mehr frei, die Datei wurde nicht geschrieben:")
           + QStringLiteral("\n") + path;
}

QString notWritten(const QString &path)
{
    return QCoreApplication::translate("FileErrors", "Die Datei konnte nicht geschrieben werden:") + QStringLiteral("\n")
           + path;
}

} // namespace

QString fileErrorText(const QFileDevice &file, const QString &path)
{
    const QString shown = QStringLiteral("\n%1").arg(path);
    const QFileInfo info(path);
    switch (file.error()) {
    case QFileDevice::OpenError:
        return openErrorText(!info.exists() ? ENOENT : info.isDir() ? EISDIR : EACCES, path);
    case QFileDevice::PermissionsError:
        return QCoreApplication::translate("FileErrors", "Keine Berechtigung für die Datei:") + shown;
    case QFileDevice::ResourceError:
        return noSpaceLeft(path);
    case QFileDevice::WriteError:
        return notWritten(path);
    case QFileDevice::ReadError:
        return QCoreApplication::translate("FileErrors", "Die Datei konnte nicht gelesen werden:") + shown;
    default:
        return QCoreApplication::translate("FileErrors", "Fehler beim Zugriff auf die Datei:") + shown;
    }
}

QString openErrorText(int error, const QString &path)
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

QString saveErrorText(int error, const QString &path)
{
    const QString folder = QFileInfo(path).absolutePath();
    switch (error) {
    case ENOSPC:  // no blocks or no inodes left
    case EDQUOT:
        return noSpaceLeft(path);
    case ENOENT:
    case ENOTDIR:
        return QCoreApplication::translate("FileErrors", "Der Ordner für den Spielstand existiert nicht:\n%1").arg(folder);
    case ENAMETOOLONG:
        return QCoreApplication::translate("FileErrors",
                                           "Der Name ist zu lang für einen Spielstand, bitte wähle einen kürzeren:\n%1")
            .arg(path);
    case EISDIR:
        return QCoreApplication::translate("FileErrors", "Unter diesem Namen gibt es schon einen Ordner:\n%1").arg(path);
    case EWOULDBLOCK:  // the lock of a save written in place
        return QCoreApplication::translate("FileErrors",
                                           "Unter diesem Namen wird gerade schon gespeichert (von einem zweiten "
                                           "Spiel oder einem anderen Programm). Bitte speichere gleich noch einmal:\n%1")
            .arg(path);
    case EACCES:
    case EPERM:
    case EROFS:
        return QCoreApplication::translate("FileErrors", "In diesem Ordner darf nicht gespeichert werden "
                                                         "(keine Berechtigung oder schreibgeschützt):\n%1")
            .arg(folder);
    default:
        return notWritten(path);
    }
}
