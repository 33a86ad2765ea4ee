// Saving against unfriendly disks and names: a missing or read-only folder, a full disk, umlauts and
// blanks. Whatever happens, the running game goes on and no earlier save is damaged. Files that
// are no saved game (binary, huge, vanished) are loaded in the saved-game tests' load table.
#include "tests/support/gamechecks.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Selects the listed game of that name; false if it is not listed.
bool select(const GameFixture &f, const QString &name)
{
    QListWidget *list = f.window->filLaden;
    const QList<QListWidgetItem *> found = list->findItems(name, Qt::MatchExactly);
    if (found.size() == 1)
        list->setCurrentItem(found.first());
    return found.size() == 1;
}

// A fresh window on the folder as it is now, with a game five seconds under way.
void startRunningGame(GameFixture &f)
{
    f.window = std::make_unique<frmMain>(f.services);
    f.window->cmdStart_Click();
    f.clock.advance(5000);
    f.dialogs.clear();
}

void checkGoesOn(GameFixture &f, int zeitBefore)
{
    f.clock.advance(1000);
    QCOMPARE(f.window->lblZeit->text(), QString::number(zeitBefore - 1));
    QCOMPARE(intervals(f), (QList<int>{1000, 2000, 1700}));
}

} // namespace

class TestFaultsSaves : public QObject {
    Q_OBJECT

private slots:
    void aRefusedSaveSaysWhyAndKeepsTheEarlierOne_data()
    {
        QTest::addColumn<QString>("disk");    // a small file system mounted over the working folder
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");  // what the box says
        const QString noFolder = QStringLiteral("Der Ordner für den Spielstand existiert nicht");
        QTest::newRow("missing folder") << "" << "gibtsnicht/spiel" << noFolder;
        QTest::newRow("folder is a file") << "" << "datei.bin/spiel" << noFolder;
        const QString refused = QStringLiteral("In diesem Ordner darf nicht gespeichert werden");
        QTest::newRow("name is a folder") << "" << "ordner" << "Unter diesem Namen gibt es schon einen Ordner";
        QTest::newRow("/proc") << "" << "/proc/spiel" << refused;
        // Root may write anywhere else, so a read-only mount is the one refusal that also holds for root.
        QTest::newRow("read-only, same name") << "ro" << "spiel" << refused;
        QTest::newRow("read-only, new name") << "ro" << "neu" << refused;
        QTest::newRow("full, same name") << "full" << "spiel" << "Kein Speicherplatz";
        QTest::newRow("full, new name") << "full" << "neu" << "Kein Speicherplatz";
        // Replacing these would put an ordinary file where a device was (as root: /dev/null itself).
        const QString special = QStringLiteral("Das ist keine gewöhnliche Datei");
        QTest::newRow("name is a pipe") << "" << "pipe" << special;
        QTest::newRow("name links to a device") << "" << "geraet" << special;
    }

    void aRefusedSaveSaysWhyAndKeepsTheEarlierOne()
    {
        QFETCH(QString, disk);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        RecordedGame f;
        const QString folder = f.workingFolder.path();
        bool mounted = false;
        const auto unmount = qScopeGuard([&] {
            if (mounted)
                QProcess::execute(QStringLiteral("umount"), {folder});
        });
        if (!disk.isEmpty()) {
            if (geteuid() != 0)
                QSKIP("mounting a file system needs root");
            const QStringList tmpfs = {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder};
            mounted = QProcess::execute(QStringLiteral("mount"), tmpfs) == 0;
            QVERIFY(mounted);
        }
        const QString earlier = f.workingFolder.filePath(QStringLiteral("spiel.txt"));
        writeAll(earlier, "42\r\n7\r\n5\r\n");
        writeAll(f.workingFolder.filePath(QStringLiteral("datei.bin")), "x");
        QVERIFY(QDir(folder).mkdir(QStringLiteral("ordner.txt")));
        QCOMPARE(mkfifo(QFile::encodeName(f.workingFolder.filePath(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
        const QString link = f.workingFolder.filePath(QStringLiteral("geraet.txt"));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), link));
        if (disk == QStringLiteral("ro"))
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", folder}), 0);
        if (disk == QStringLiteral("full")) {
            QFile filler(f.workingFolder.filePath(QStringLiteral("fuellung")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
            }
        }
        const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        startRunningGame(f);

        f.dialogs.inputAnswers = {typed};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), 2);
        const FakeDialogs::Shown &box = f.dialogs.shown.last();
        QCOMPARE(box.title, QStringLiteral("Fehler"));
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QVERIFY2(box.text.contains(reason), qPrintable(box.text));
        QCOMPARE(readAll(earlier), QByteArray("42\r\n7\r\n5\r\n"));
        // Nothing half-written is left behind either.
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), entries);
        QCOMPARE(QFileInfo(link).symLinkTarget(), QStringLiteral("/dev/null"));
        checkGoesOn(f, 75);

        // The earlier game still loads from there, and the game goes on from it.
        f.dialogs.clear();
        QVERIFY(select(f, QStringLiteral("spiel.txt")));
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{earlier, "0"}));
        QCOMPARE(fields(f), (QList<int>{42, 7, 5}));
        checkGoesOn(f, 42);
    }

    void anEarlierSaveInAClosedFolderIsWrittenOver_data()
    {
        QTest::addColumn<QFile::Permissions>("earlier");
        QTest::addColumn<bool>("written");
        QTest::newRow("the player may change it") << (QFile::ReadOwner | QFile::WriteOwner) << true;
        QTest::newRow("read-only") << QFile::Permissions(QFile::ReadOwner) << false;
    }

    // A folder that takes no new files: the earlier save is written over where the player may
    // change it, and refused, untouched, where not.
    void anEarlierSaveInAClosedFolderIsWrittenOver()
    {
        QFETCH(QFile::Permissions, earlier);
        QFETCH(bool, written);
        if (geteuid() == 0)
            QSKIP("root writes into any folder; the test's unprivileged entry runs this");
        RecordedGame f;
        const QString folder = f.workingFolder.path();
        const QString path = f.workingFolder.filePath(QStringLiteral("spiel.txt"));
        writeAll(path, "42\r\n7\r\n5\r\n");
        QVERIFY(QFile::setPermissions(path, earlier));
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        const auto reopen = qScopeGuard([&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        startRunningGame(f);
        f.dialogs.inputAnswers = {QStringLiteral("spiel")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), written ? 1 : 2);
        if (!written)
            QVERIFY(f.dialogs.shown.last().text.contains(QStringLiteral("In diesem Ordner darf nicht gespeichert werden")));
        QCOMPARE(readAll(path), written ? QByteArray("75\r\n0\r\n0\r\n") : QByteArray("42\r\n7\r\n5\r\n"));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"spiel.txt"});
        checkGoesOn(f, 75);
    }

    void umlautsAndBlanksInNameAndFolderRoundTrip()
    {
        RecordedGame f;
        const QString folder = f.workingFolder.filePath(QStringLiteral("Jörgs Spielstände"));
        QVERIFY(QDir().mkpath(folder));
        f.folders.working = folder;
        const QString earlier = folder + QStringLiteral("/Übung ä ö ü ß.txt");
        writeAll(earlier, "1\r\n2\r\n3\r\n");
        startRunningGame(f);
        setReadOuts(f, {"61", "14", "-3"});
        f.dialogs.inputAnswers = {QStringLiteral("Zweiter Versuch mit Öl")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        const QString saved = folder + QStringLiteral("/Zweiter Versuch mit Öl.txt");
        QCOMPARE(readAll(saved), QByteArray("61\r\n14\r\n-3\r\n"));
        QCOMPARE(readAll(earlier), QByteArray("1\r\n2\r\n3\r\n"));

        // A later start of the game lists both, and the new one loads with its odd name.
        startRunningGame(f);
        QVERIFY(select(f, QStringLiteral("Übung ä ö ü ß.txt")));
        QVERIFY(select(f, QStringLiteral("Zweiter Versuch mit Öl.txt")));
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{saved, "0"}));
        QCOMPARE(fields(f), (QList<int>{61, 14, -3}));
        checkGoesOn(f, 61);
    }
};

QTEST_MAIN(TestFaultsSaves)
#include "test_faults_saves.moc"
