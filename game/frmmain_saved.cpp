// Saving the current game to a text file and resuming a saved one.
#include "game/frmmain.h"

#include "game/savedgame.h"
#include "platform/dialogs.h"
#include "platform/folders.h"
#include "platform/localnames.h"
#include "platform/regularfile.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>

void frmMain::cmdSpeichern_Click()
{
    const QString typed = services.dialogs.input(
        tr("Bitte gib den Dateiname an, unter dem das aktuelle Spiel gespeichert werden soll?"), tr("Speichern"));
    if (typed.isEmpty())
        return;

    const QString name = SavedGame::fileName(typed);
    const QString shownPath = QDir::toNativeSeparators(QDir(services.folders.workingFolder()).filePath(name));
    // By the working folder's bytes: its name need not be UTF-8, and only the bytes lead there.
    const QByteArray localPath = QDir::isAbsolutePath(name)
                                     ? QFile::encodeName(name)
                                     : withTrailingSeparator(services.folders.localWorkingFolder()) + QFile::encodeName(name);
    // The game ran on while the name was asked for: save it as it stands now. A failed save leaves
    // the game saved under this name before as it was.
    const QByteArray bytes = SavedGame::format(lblZeit->text(), lblTreffer->text(), lblPunkte->text());
    if (const SaveFile::Result result = SaveFile::write(localPath, bytes); !result.written())
        services.dialogs.error(SaveFile::explanation(result, shownPath));
}

void frmMain::cmdLaden_Click()
{
    // The selection, not the current row: Qt makes a row current without selecting it when the
    // list takes the focus, and a player who deselected a name loads nothing.
    const QList<QListWidgetItem *> selected = filLaden->selectedItems();
    const QListWidgetItem *item = selected.isEmpty() ? nullptr : selected.first();
    // The list shows the folder it was filled from, so the game is loaded from there too.
    const QString path = savedGamesFolder + (item ? item->text() : QString());
    // Every load first shows the full path, so the player sees which file is read before anything changes.
    services.dialogs.message(path);
    // Exactly "txt", as every save writes it: a listed "A.TXT" was not saved by the game and is refused.
    if (!item || !path.endsWith(QStringLiteral("txt"), Qt::CaseSensitive)) {
        services.dialogs.error(tr("Fehler in der Pfadangabe"));
        return;
    }
    if (loadSavedGame(localSavedGamesFolder + item->data(localNameRole).toByteArray(), path))
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
        // A box "0" announces the first line: with the path box before it and an error box after it,
        // the player can tell how far a failed load got.
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
