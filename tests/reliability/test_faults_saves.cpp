// Saving against unfriendly disks and names: a missing, closed or read-only folder, a full disk,
// umlauts and blanks. Whatever happens, the running game goes on and no earlier save is damaged.
// Files that are no saved game (binary, huge, vanished) are loaded in the saved-game tests' load table.
#include "tests/support/gamechecks.h"
#include "tests/support/syscallstop.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>

#include <csignal>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the folder the game saves into is like.
enum class Folder {
    Own,                 // the player's
    ReadOnlyMount,       // a small file system mounted over it, read-only ...
    FullDisk,            // ... with no block left ...
    NoInodesLeft,        // ... or no inode
    Closed,              // takes no new files
    ClosedSaveReadOnly,  // the same, and the earlier save is read-only
};

bool mountsSmallDisk(Folder folder)
{
    return folder == Folder::ReadOnlyMount || folder == Folder::FullDisk || folder == Folder::NoInodesLeft;
}

// Root writes into any folder, so for root these are not closed.
bool closesToThePlayer(Folder folder)
{
    return folder == Folder::Closed || folder == Folder::ClosedSaveReadOnly;
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

Q_DECLARE_METATYPE(Folder)

class TestFaultsSaves : public QObject {
    Q_OBJECT

private slots:
    void aSaveIsWrittenOrRefusedAndKeepsTheEarlierOne_data()
    {
        QTest::addColumn<Folder>("folderKind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");  // what the box says; empty: saved
        const auto row = [](const char *name, Folder folder, const QString &typed, const QString &reason = {}) {
            QTest::newRow(name) << folder << typed << reason;
        };
        const QString earlier = QStringLiteral("Übung ä ö ü ß");
        const QString noFolder = QStringLiteral("Der Ordner für den Spielstand existiert nicht");
        row("missing folder", Folder::Own, "gibtsnicht/spiel", noFolder);
        row("folder is a file", Folder::Own, "datei.bin/spiel", noFolder);
        row("name is a folder", Folder::Own, "ordner", "Unter diesem Namen gibt es schon einen Ordner");
        const QString refused = QStringLiteral("In diesem Ordner darf nicht gespeichert werden");
        row("/proc", Folder::Own, "/proc/spiel", refused);
        // Root may write anywhere else, so a read-only mount is the one refusal that also holds for root.
        row("read-only, same name", Folder::ReadOnlyMount, earlier, refused);
        row("read-only, new name", Folder::ReadOnlyMount, "neu", refused);
        row("full, same name", Folder::FullDisk, earlier, "Kein Speicherplatz");
        row("full, new name", Folder::FullDisk, "neu", "Kein Speicherplatz");
        row("no inodes left, same name", Folder::NoInodesLeft, earlier, "Kein Speicherplatz");
        row("no inodes left, new name", Folder::NoInodesLeft, "neu", "Kein Speicherplatz");
        // A name is at most 255 bytes, ".txt" included.
        row("longest name", Folder::Own, QString(251, QLatin1Char('n')));
        row("name too long", Folder::Own, QString(252, QLatin1Char('n')), "Der Name ist zu lang");
        // Replacing these would put an ordinary file where a device was (as root: /dev/null itself).
        row("name is a pipe", Folder::Own, "pipe", "Das ist keine gewöhnliche Datei");
        row("name links to a device", Folder::Own, "geraet", "Das ist keine gewöhnliche Datei");
        // The earlier save is written over where the player may change it, and refused where not.
        row("closed folder, same name", Folder::Closed, earlier);
        row("closed folder, read-only save", Folder::ClosedSaveReadOnly, earlier, refused);
        row("umlauts and blanks, new name", Folder::Own, "Zweiter Versuch mit Öl");
    }

    void aSaveIsWrittenOrRefusedAndKeepsTheEarlierOne()
    {
        QFETCH(Folder, folderKind);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        if (closesToThePlayer(folderKind) && geteuid() == 0)
            QSKIP("root writes into any folder; the test's unprivileged entry runs this");
        if (mountsSmallDisk(folderKind) && geteuid() != 0)
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
        if (mountsSmallDisk(folderKind)) {
            const QStringList tmpfs = {"-t", "tmpfs", "-o", "size=64k,nr_inodes=32", "tmpfs", folder};
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
        if (folderKind == Folder::ClosedSaveReadOnly)
            QVERIFY(QFile::setPermissions(earlier, QFile::ReadOwner));
        if (closesToThePlayer(folderKind))
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (folderKind == Folder::ReadOnlyMount)
            QCOMPARE(QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", folder}), 0);
        if (folderKind == Folder::FullDisk) {
            QFile filler(dir.filePath(QStringLiteral("fuellung")));
            QVERIFY(filler.open(QIODevice::WriteOnly));
            while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
            }
        }
        for (int number = 0; folderKind == Folder::NoInodesLeft; ++number) {
            QFile empty(dir.filePath(QStringLiteral("leer%1").arg(number)));
            if (!empty.open(QIODevice::WriteOnly))
                break;
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

    void aKilledSaveLeavesTheEarlierOrTheNewGame_data()
    {
        QTest::addColumn<bool>("closed");          // the folder takes no new files: the save is written in place
        QTest::addColumn<QByteArray>("earlier");
        QTest::addColumn<QList<int>>("killedOn");  // system calls; none: the save runs to its end
        QTest::addColumn<QList<int>>("loaded");    // the game loaded afterwards
        const QList<int> writing = {SYS_write, SYS_pwrite64, SYS_writev, SYS_pwritev};
        const QList<int> cutting = {SYS_ftruncate};
        const QList<int> syncing = {SYS_fsync, SYS_fdatasync};
        const QList<int> renaming = {SYS_rename, SYS_renameat, SYS_renameat2};
        const QByteArray longer = "142\r\n17\r\n15\r\n";  // than the new game, "75\r\n0\r\n0\r\n"
        const QList<int> earlier = {142, 17, 15};
        const QList<int> game = {75, 0, 0};
        QTest::newRow("in place, killed writing") << true << longer << writing << earlier;
        // The new lines, then the end of the earlier ones: the load reads three lines, the new ones.
        QTest::newRow("in place, killed cutting") << true << longer << cutting << game;
        const QByteArray shorter = "9\r\n1\r\n2\r\n";
        QTest::newRow("in place, longer game, killed cutting") << true << shorter << cutting << game;
        QTest::newRow("in place, killed syncing") << true << longer << syncing << game;
        QTest::newRow("in place, to the end") << true << longer << QList<int>{} << game;
        QTest::newRow("new file, killed writing") << false << longer << writing << earlier;
        QTest::newRow("new file, killed renaming") << false << longer << renaming << earlier;
        QTest::newRow("new file, to the end") << false << longer << QList<int>{} << game;
    }

    // The save runs in a copy of the game that the system kills as it enters one step; the game
    // then loads what the killed save left.
    void aKilledSaveLeavesTheEarlierOrTheNewGame()
    {
        QFETCH(bool, closed);
        QFETCH(QByteArray, earlier);
        QFETCH(QList<int>, killedOn);
        QFETCH(QList<int>, loaded);
        if (closed && geteuid() == 0)
            QSKIP("root writes into any folder; the test's unprivileged entry runs this");
        RecordedGame f;
        const QString folder = f.workingFolder.filePath(QStringLiteral("spiele"));
        QVERIFY(QDir().mkdir(folder));
        f.folders.working = folder;
        const QString path = QDir(folder).filePath(QStringLiteral("spiel.txt"));
        writeFile(path, earlier);
        const auto reopen = qScopeGuard([&folder] {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (closed)
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        startRunningGame(f);

        f.dialogs.inputAnswers = {QStringLiteral("spiel")};
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (!killOnEntering(killedOn))
                ::_exit(2);
            f.window->cmdSpeichern_Click();
            ::_exit(f.dialogs.shown.size() == 1 ? 0 : 1);  // the name's box, and no error
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
            QSKIP("this system lets no process filter its system calls");
        if (killedOn.isEmpty()) {
            QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, qPrintable(QString::number(status)));
            QCOMPARE(readAll(path), QByteArray("75\r\n0\r\n0\r\n"));  // cut to its length
        } else {
            QVERIFY2(WIFSIGNALED(status) && WTERMSIG(status) == SIGSYS, qPrintable(QString::number(status)));
        }

        startRunningGame(f);
        const auto listed = f.window->filLaden->findItems(QStringLiteral("spiel.txt"), Qt::MatchExactly);
        QCOMPARE(listed.size(), 1);
        f.window->filLaden->setCurrentItem(listed.first());
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{path, "0"}));
        QCOMPARE(fields(f), loaded);
    }

    // The folder the game runs in can be deleted meanwhile; the system then names no working folder,
    // and the box names the one the game started in.
    void aSaveIntoTheDeletedWorkingFolderSaysItIsGone()
    {
        RecordedGame f;
        const QString folder = f.workingFolder.filePath(QStringLiteral("weg"));
        QVERIFY(QDir().mkdir(folder));
        const QString started = QDir::currentPath();
        const auto back = qScopeGuard([&started] { QDir::setCurrent(started); });
        QVERIFY(QDir::setCurrent(folder));
        const SystemFolders system;   // made at the start, as the program makes it
        startRunningGame(f);
        QVERIFY(QDir().rmdir(folder));
        f.folders.working = system.workingFolder();

        f.dialogs.inputAnswers = {QStringLiteral("spiel")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), 2);
        const QString text = f.dialogs.shown.last().text;
        QCOMPARE(text, QStringLiteral("Der Ordner für den Spielstand existiert nicht:\n") + folder);
        checkGoesOn(f, 75);
    }
};

QTEST_MAIN(TestFaultsSaves)
#include "test_faults_saves.moc"
