// Saving against unfriendly disks and names: a missing, closed or read-only folder, a full disk,
// umlauts and blanks. Whatever happens, the running game goes on and no earlier save is damaged.
// Files that are no saved game (binary, huge, vanished) are loaded in the saved-game tests' load table.
#include "tests/support/gamechecks.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>

#include <sys/stat.h>
#include <unistd.h>

namespace {

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
    void aSaveIsWrittenOrRefusedAndKeepsTheEarlierOne_data()
    {
        // "ro", "full": a small file system mounted over the folder; "closed": it takes no new files.
        QTest::addColumn<QString>("disk");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");  // what the box says; empty: saved
        const QString earlier = QStringLiteral("Übung ä ö ü ß");
        const QString noFolder = QStringLiteral("Der Ordner für den Spielstand existiert nicht");
        QTest::newRow("missing folder") << "" << "gibtsnicht/spiel" << noFolder;
        QTest::newRow("folder is a file") << "" << "datei.bin/spiel" << noFolder;
        QTest::newRow("name is a folder")
            << "" << "ordner" << "Unter diesem Namen gibt es schon einen Ordner";
        const QString refused = QStringLiteral("In diesem Ordner darf nicht gespeichert werden");
        QTest::newRow("/proc") << "" << "/proc/spiel" << refused;
        // Root may write anywhere else, so a read-only mount is the one refusal that also holds for root.
        QTest::newRow("read-only, same name") << "ro" << earlier << refused;
        QTest::newRow("read-only, new name") << "ro" << "neu" << refused;
        QTest::newRow("full, same name") << "full" << earlier << "Kein Speicherplatz";
        QTest::newRow("full, new name") << "full" << "neu" << "Kein Speicherplatz";
        // Replacing these would put an ordinary file where a device was (as root: /dev/null itself).
        QTest::newRow("name is a pipe") << "" << "pipe" << "Das ist keine gewöhnliche Datei";
        QTest::newRow("name links to a device") << "" << "geraet" << "Das ist keine gewöhnliche Datei";
        // The earlier save is written over where the player may change it, and refused where not.
        QTest::newRow("closed folder, same name") << "closed" << earlier << "";
        QTest::newRow("closed folder, read-only save") << "closed, save read-only" << earlier << refused;
        QTest::newRow("umlauts and blanks, new name") << "" << "Zweiter Versuch mit Öl" << "";
    }

    void aSaveIsWrittenOrRefusedAndKeepsTheEarlierOne()
    {
        QFETCH(QString, disk);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        if (disk.startsWith(u"closed") && geteuid() == 0)
            QSKIP("root writes into any folder; the test's unprivileged entry runs this");
        if ((disk == u"ro" || disk == u"full") && geteuid() != 0)
            QSKIP("mounting a file system needs root");
        RecordedGame f;
        const QString folder = f.workingFolder.filePath(QStringLiteral("Jörgs Spielstände"));
        QVERIFY(QDir().mkpath(folder));
        f.folders.working = folder;
        const QDir dir(folder);
        bool mounted = false;
        const auto undo = qScopeGuard([&] {
            if (mounted)
                QProcess::execute(QStringLiteral("umount"), {folder});
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (disk == u"ro" || disk == u"full") {
            const QStringList tmpfs = {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder};
            mounted = QProcess::execute(QStringLiteral("mount"), tmpfs) == 0;
            QVERIFY(mounted);
        }
        const QString earlier = dir.filePath(QStringLiteral("Übung ä ö ü ß.txt"));
        writeFile(earlier, "42\r\n7\r\n5\r\n");
        writeFile(dir.filePath(QStringLiteral("datei.bin")), "x");
        QVERIFY(dir.mkdir(QStringLiteral("ordner.txt")));
        QCOMPARE(mkfifo(QFile::encodeName(dir.filePath(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
        const QString link = dir.filePath(QStringLiteral("geraet.txt"));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), link));
        if (disk.endsWith(u"read-only"))
            QVERIFY(QFile::setPermissions(earlier, QFile::ReadOwner));
        if (disk.startsWith(u"closed"))
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (disk == u"ro")
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", folder}), 0);
        if (disk == u"full") {
            QFile filler(dir.filePath(QStringLiteral("fuellung")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
            }
        }
        const bool saved = reason.isEmpty();
        const QString savedAs = dir.filePath(typed + QStringLiteral(".txt"));
        const QDir::Filters everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
        const QStringList before = dir.entryList(everything);
        startRunningGame(f);

        f.dialogs.inputAnswers = {typed};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), saved ? 1 : 2);
        const QByteArray game = "75\r\n0\r\n0\r\n";   // five seconds into a new one
        if (saved) {
            QCOMPARE(readAll(savedAs), game);
        } else {
            const FakeDialogs::Shown &box = f.dialogs.shown.last();
            QCOMPARE(box.title, QStringLiteral("Fehler"));
            QCOMPARE(box.icon, Dialogs::Icon::Critical);
            QVERIFY2(box.text.contains(reason), qPrintable(box.text));
        }
        QCOMPARE(readAll(earlier), saved && savedAs == earlier ? game : QByteArray("42\r\n7\r\n5\r\n"));
        // Nothing half-written is left behind either.
        QStringList after = dir.entryList(everything);
        if (saved && savedAs != earlier)
            QVERIFY(after.removeOne(QFileInfo(savedAs).fileName()));
        QCOMPARE(after, before);
        QCOMPARE(QFileInfo(link).symLinkTarget(), QStringLiteral("/dev/null"));
        checkGoesOn(f, 75);

        // What stands there loads, and the game goes on from it; a new save is listed only in a
        // window made after it.
        if (saved)
            startRunningGame(f);
        f.dialogs.clear();
        const QString loaded = saved ? savedAs : earlier;
        const auto listed = f.window->filLaden->findItems(QFileInfo(loaded).fileName(), Qt::MatchExactly);
        QCOMPARE(listed.size(), 1);
        f.window->filLaden->setCurrentItem(listed.first());
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{loaded, "0"}));
        QCOMPARE(fields(f), (saved ? QList<int>{75, 0, 0} : QList<int>{42, 7, 5}));
        checkGoesOn(f, saved ? 75 : 42);
    }
};

QTEST_MAIN(TestFaultsSaves)
#include "test_faults_saves.moc"
