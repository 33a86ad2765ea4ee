// Saving the current game to a text file and resuming a saved one.
#include "game/frmmain.h"

#include "game/savedgame.h"
#include "platform/dialogs.h"
#include "platform/fileerrors.h"
#include "platform/folders.h"
#include "platform/regularfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QSaveFile>

namespace {

QString saveFailure(const QSaveFile &file, const QString &path)
{
    const QFileInfo info(path);
    const QString folder = info.absolutePath();
    if (!info.absoluteDir().exists())
        return QCoreApplication::translate("frmMain", "Der Ordner für den Spielstand existiert nicht:\n%1").arg(folder);
    if (info.isDir())
        return QCoreApplication::translate("frmMain", "Unter diesem Namen gibt es schon einen Ordner:\n%1").arg(path);
    // A folder that takes no new files refuses a new save, and an earlier one the player may not
    // change; some refusals show only when the file is opened.
    if (!QFileInfo(folder).isWritable() || file.error() == QFileDevice::OpenError)
        return QCoreApplication::translate("frmMain", "In diesem Ordner darf nicht gespeichert werden "
                                                      "(keine Berechtigung oder schreibgeschützt):\n%1")
            .arg(folder);
    return germanFileError(file, path);
}

} // namespace

void frmMain::cmdSpeichern_Click()
{
    const QString typed = services.dialogs.input(
        tr("Bitte gib den Dateiname an, unter dem das aktuelle Spiel gespeichert werden soll?"), tr("Speichern"));
    if (typed.isEmpty())
        return;

    const QString path = QDir(services.folders.workingFolder()).filePath(SavedGame::fileName(typed));
    // A save puts a new file in place of what stands under its name; a device or pipe there (or
    // behind a link there) must stay what it is, and writing into it could wait for good.
    if (RegularFile::isSpecialFile(path)) {
        services.dialogs.error(RegularFile::notARegularFile(path));
        return;
    }
    // Written to a new file first and put in place only when complete, so a failed save never
    // destroys the game that was saved under this name before. A folder that takes no new files
    // may still hold an earlier save the player may change: that one is written over in place.
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly)) {
        services.dialogs.error(saveFailure(file, path));
        return;
    }
    // The game ran on while the name was asked for: save it as it stands now.
    const QByteArray bytes = SavedGame::format(lblZeit->text(), lblTreffer->text(), lblPunkte->text());
    // flush() is asked on its own: commit() alone was seen to put an empty file in place on a full disk.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        const QString reason = saveFailure(file, path);
        file.cancelWriting();
        services.dialogs.error(reason);
    }
}

void frmMain::cmdLaden_Click()
{
    // The selection, not the current row: Qt makes a row current without selecting it when the
    // list takes the focus, and a player who deselected a name loads nothing.
    const QList<QListWidgetItem *> selected = filLaden->selectedItems();
    const QListWidgetItem *item = selected.isEmpty() ? nullptr : selected.first();
    // The list shows the folder it was filled from, so the game is loaded from there too.
    const QString path = savedGamesFolder + (item ? item->text() : QString());
    services.dialogs.message(path);
    if (!item || !path.endsWith(QStringLiteral("txt"), Qt::CaseSensitive)) {
        services.dialogs.error(tr("Fehler in der Pfadangabe"));
        return;
    }
    if (loadSavedGame(QFile::encodeName(savedGamesFolder) + item->data(localNameRole).toByteArray(), path))
        startTimers();
}

bool frmMain::loadSavedGame(const QByteArray &localPath, const QString &shownPath)
{
    QFile file;
    if (const QString refusal = RegularFile::openForReading(file, localPath, shownPath); !refusal.isEmpty()) {
        services.dialogs.error(refusal);
        return false;
    }

    struct Target {
        QLabel *label;
        qint16 &field;
    };
    const Target targets[] = {{lblZeit, Zeit}, {lblTreffer, Treffer}, {lblPunkte, Punkte}};
    for (int lineNumber = 0; lineNumber < 3; ++lineNumber) {
        QString error;
        const std::optional<QString> line = SavedGame::readLine(file, error);
        if (!line) {
            file.close();
            services.dialogs.error(error);
            return false;
        }
        if (lineNumber == 0)
            services.dialogs.message(QString::number(lineNumber));
        targets[lineNumber].label->setText(*line);
        const std::optional<qint16> number = SavedGame::toNumber(*line);
        if (!number) {
            file.close();
            services.dialogs.error(
                tr("Zeile %1 des Spielstands ist keine ganze Zahl von -32768 bis 32767: „%2“")
                    .arg(lineNumber + 1)
                    .arg(*line));
            return false;
        }
        targets[lineNumber].field = *number;
    }
    file.close();
    return true;
}
