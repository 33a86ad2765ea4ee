// Saving against unfriendly disks, names and neighbours: a missing, closed or read-only folder, a
// full disk, umlauts, blanks and Latin-1, links someone else put there, a second save at the same
// moment. Whatever happens, the running game goes on, no earlier save is damaged and no other file
// of the player is touched. Files that are no saved game (binary, huge, vanished) are loaded in the
// saved-game tests' load table.
#include "tests/support/gamechecks.h"
#include "tests/support/syscallstop.h"

#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>

#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// What the folder the game saves into is like.
enum class Folder {
    Own,                    // the player's, its name in UTF-8
    Latin1Name,             // its name in Latin-1, from an older system
    ReadOnlyMount,          // a small file system mounted over it, read-only ...
    FullDisk,               // ... with no block left ...
    NoInodesLeft,           // ... or no inode
    Closed,                 // takes no new files, nor does the folder of the player's other files
    ClosedSaveReadOnly,     // the same, and the earlier save is read-only
    Sticky,                 // anyone may add files, as in /tmp
    ClosedButGroupWritable, // the player may add no files, the folder's group may; the other files' folder is closed
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

const QFileDevice::Permissions ownerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
const QFileDevice::Permissions closedToOwner = QFile::ReadOwner | QFile::ExeOwner;

// A user the links of "someone else" belong to: not root, not the player.
constexpr uid_t someoneElse = 65534;

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

void loadListed(GameFixture &f, const QString &name)
{
    const auto listed = f.window->filLaden->findItems(name, Qt::MatchExactly);
    QCOMPARE(listed.size(), 1);
    f.window->filLaden->setCurrentItem(listed.first());
    f.window->cmdLaden_Click();
}

// The player's files outside the game's folder that a link can lead to: a save of the player's own
// and what someone else would like to overwrite.
const QByteArray otherSaveContent = "9\r\n1\r\n2\r\n";
const QByteArray keysContent = "ssh-ed25519 AAAAC3NzaC1lZDI1NTE5 jörg@haus\n";
struct OtherFiles {
    QTemporaryDir folder;
    const QString save = folder.filePath(QStringLiteral("spiel.txt"));
    const QString keys = folder.filePath(QStringLiteral("authorized_keys"));

    OtherFiles()
    {
        writeFile(save, otherSaveContent);
        writeFile(keys, keysContent);
    }
};

// A link the test puts into the game's folder.
struct Link {
    QString path;
    QString target;
    bool someoneElses;
};

// What happens while a save stands at a system call.
enum class Meanwhile {
    LinkSwappedIn,  // its file is replaced by a link to another file of the player's
    SameNameSaved,  // a second game saves under the same name
};

} // namespace

Q_DECLARE_METATYPE(Folder)
Q_DECLARE_METATYPE(Meanwhile)
Q_DECLARE_METATYPE(SystemCall)

class TestFaultsSaves : public QObject {
    Q_OBJECT

private slots:
    void aSaveIsWrittenOrRefusedAndKeepsTheEarlierOne_data()
    {
        QTest::addColumn<Folder>("folderKind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("reason");            // what the box says; empty: saved
        QTest::addColumn<bool>("throughSomeoneElses");  // a link of someone else's is on the way
        const auto row = [](const char *name, Folder folder, const QString &typed, const QString &reason = {},
                            bool throughSomeoneElses = false) {
            QTest::newRow(name) << folder << typed << reason << throughSomeoneElses;
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
        row("Latin-1 folder, same name", Folder::Latin1Name, earlier);
        row("Latin-1 folder, new name", Folder::Latin1Name, "neu");
        row("Latin-1 folder, missing folder", Folder::Latin1Name, "gibtsnicht/spiel", noFolder);
        // "verweis.txt" leads to the player's other save, "fremd.txt" to the player's keys, "fremd"
        // to the folder of both. The player's own link in the player's own folder is followed, by
        // either way of writing; every other link is refused.
        row("own link", Folder::Own, "verweis");
        row("own link, written in place", Folder::Closed, "verweis");
        const QString notFollowed = QStringLiteral("Hier wird nicht gespeichert: Der Name führt über einen Verweis");
        row("someone else's link", Folder::Own, "fremd", notFollowed, true);
        row("someone else's link in a sticky folder", Folder::Sticky, "fremd", notFollowed, true);
        row("someone else's link on the way", Folder::Own, "fremd/spiel", notFollowed, true);
        row("own link in a sticky folder", Folder::Sticky, "verweis", notFollowed);
        row("own link in a group's folder, in place", Folder::ClosedButGroupWritable, "verweis", notFollowed);
        row("new name in a sticky folder", Folder::Sticky, "neu");
    }

    void aSaveIsWrittenOrRefusedAndKeepsTheEarlierOne()
    {
        QFETCH(Folder, folderKind);
        QFETCH(QString, typed);
        QFETCH(QString, reason);
        QFETCH(bool, throughSomeoneElses);
        const bool root = geteuid() == 0;
        if (closesToThePlayer(folderKind) && root)
            QSKIP("root writes into any folder; the test's unprivileged entry runs this");
        if (mountsSmallDisk(folderKind) && !root)
            QSKIP("mounting a file system needs root");
        if (throughSomeoneElses && !root)
            QSKIP("only root can give a link to someone else; the test run as root has this");
        RecordedGame f;
        OtherFiles others;
        // The folder as the game names it in its boxes; the test itself reaches it through `dir`.
        const QString folder = f.workingFolder.filePath(QStringLiteral("Jörgs Spielstände"));
        const QByteArray latin1Folder = QFile::encodeName(f.workingFolder.path()) + "/J\xF6rgs Spielst\xE4nde";
        int heldLatin1Folder = -1;
        bool mounted = false;
        const auto undo = qScopeGuard([&] {
            if (mounted)
                QProcess::execute(QStringLiteral("umount"), {folder});
            QFile::setPermissions(folder, ownerOnly);
            QFile::setPermissions(others.folder.path(), ownerOnly);
            if (heldLatin1Folder >= 0) {
                // Qt cannot remove what it cannot name, so the temporary folder could not go otherwise.
                QDir(QStringLiteral("/proc/self/fd/%1").arg(heldLatin1Folder)).removeRecursively();
                ::close(heldLatin1Folder);
                ::rmdir(latin1Folder.constData());
            }
        });
        QDir dir(folder);
        if (folderKind == Folder::Latin1Name) {
            QCOMPARE(::mkdir(latin1Folder.constData(), 0700), 0);
            heldLatin1Folder = ::open(latin1Folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            QVERIFY(heldLatin1Folder >= 0);
            dir.setPath(QStringLiteral("/proc/self/fd/%1").arg(heldLatin1Folder));
            // The game takes its working folder from the system at the start, as the program does.
            const QString started = QDir::currentPath();
            QCOMPARE(::chdir(latin1Folder.constData()), 0);
            const SystemFolders system;
            QVERIFY(QDir::setCurrent(started));
            f.folders.working = system.workingFolder();
            f.folders.localWorking = system.localWorkingFolder();
        } else {
            QVERIFY(QDir().mkpath(folder));
            f.folders.working = folder;
        }
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
        const QList<Link> links = {{dir.filePath(QStringLiteral("geraet.txt")), QStringLiteral("/dev/null"), false},
                                   {dir.filePath(QStringLiteral("verweis.txt")), others.save, false},
                                   {dir.filePath(QStringLiteral("fremd.txt")), others.keys, true},
                                   {dir.filePath(QStringLiteral("fremd")), others.folder.path(), true}};
        for (const Link &link : links) {
            QVERIFY(QFile::link(link.target, link.path));
            if (link.someoneElses && root)
                QCOMPARE(::lchown(QFile::encodeName(link.path).constData(), someoneElse, someoneElse), 0);
        }
        if (folderKind == Folder::ClosedSaveReadOnly)
            QVERIFY(QFile::setPermissions(earlier, QFile::ReadOwner));
        if (folderKind == Folder::Closed || folderKind == Folder::ClosedSaveReadOnly)
            QVERIFY(QFile::setPermissions(dir.path(), closedToOwner));
        if (folderKind == Folder::ClosedButGroupWritable)
            QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0575), 0);
        if (folderKind == Folder::Closed || folderKind == Folder::ClosedButGroupWritable)
            QVERIFY(QFile::setPermissions(others.folder.path(), closedToOwner));
        if (folderKind == Folder::Sticky)
            QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 01777), 0);
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
        const QString name = typed + QStringLiteral(".txt");
        const QString savedAs = dir.filePath(name);
        const bool throughOwnLink = QFileInfo(savedAs).isSymLink();
        const QDir::Filters everything = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System;
        const QStringList before = dir.entryList(everything);
        const QStringList othersBefore = QDir(others.folder.path()).entryList(everything);
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
            // It names the file, or the folder it would have gone into, as the player reads it.
            const QString shownFolder = QFileInfo(QDir(folder).filePath(name)).absolutePath();
            QVERIFY2(box.text.contains(shownFolder), qPrintable(box.text));
        }
        QCOMPARE(readAll(earlier), saved && savedAs == earlier ? game : QByteArray("42\r\n7\r\n5\r\n"));
        QCOMPARE(readAll(others.save), saved && throughOwnLink ? game : otherSaveContent);
        QCOMPARE(readAll(others.keys), keysContent);
        // Nothing half-written is left behind either, nor any link changed.
        QStringList after = dir.entryList(everything);
        if (saved && !before.contains(name))
            QVERIFY(after.removeOne(name));
        QCOMPARE(after, before);
        QCOMPARE(QDir(others.folder.path()).entryList(everything), othersBefore);
        for (const Link &link : links)
            QCOMPARE(QFileInfo(link.path).symLinkTarget(), link.target);
        checkGoesOn(f, 75);

        // What stands there loads, and the game goes on from it; a new save is listed only in a
        // window made after it.
        if (saved)
            startRunningGame(f);
        f.dialogs.clear();
        const QString loaded = saved ? name : QFileInfo(earlier).fileName();
        loadListed(f, loaded);
        QCOMPARE(f.dialogs.texts(), (QStringList{folder + '/' + loaded, "0"}));
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
        const auto reopen = qScopeGuard([&folder] { QFile::setPermissions(folder, ownerOnly); });
        if (closed)
            QVERIFY(QFile::setPermissions(folder, closedToOwner));
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
        loadListed(f, QStringLiteral("spiel.txt"));
        QCOMPARE(f.dialogs.texts(), (QStringList{path, "0"}));
        QCOMPARE(fields(f), loaded);
    }

    void aSaveOvertakenMidwayWritesNoOtherFileAndOnlyWholeGames_data()
    {
        QTest::addColumn<bool>("closed");  // the folder takes no new files: the save is written in place
        QTest::addColumn<SystemCall>("pausedOn");
        QTest::addColumn<Meanwhile>("meanwhile");
        QTest::addColumn<QString>("reason");     // what the paused save's box says; empty: saved
        QTest::addColumn<QByteArray>("content");  // under the name afterwards, through a link there
        const QByteArray game = "75\r\n0\r\n0\r\n";
        // Paused as it makes its new file, after it looked at the name; the closed folder refuses
        // that file, and the earlier one is written in place. The new file's rename replaces the
        // link itself.
        const SystemCall makingTheNewFile = SystemCall::withFlags(SYS_openat, 2, O_CREAT);
        QTest::newRow("new file, link swapped in after the look")
            << false << makingTheNewFile << Meanwhile::LinkSwappedIn << "" << game;
        QTest::newRow("in place, link swapped in after the look")
            << true << makingTheNewFile << Meanwhile::LinkSwappedIn
            << "Hier wird nicht gespeichert: Der Name führt über einen Verweis" << otherSaveContent;
        // The second save's cut would otherwise come between this one's writing and cutting.
        QTest::newRow("in place, the same name saved between writing and cutting")
            << true << SystemCall::onOwnFile(SYS_ftruncate) << Meanwhile::SameNameSaved << "" << game;
    }

    // The save runs in a copy of the game that stands still as it enters one step, while the test
    // changes the folder or saves a second game; then the copy goes on.
    void aSaveOvertakenMidwayWritesNoOtherFileAndOnlyWholeGames()
    {
        QFETCH(bool, closed);
        QFETCH(SystemCall, pausedOn);
        QFETCH(Meanwhile, meanwhile);
        QFETCH(QString, reason);
        QFETCH(QByteArray, content);
        if (closed && geteuid() == 0)
            QSKIP("root writes into any folder; the test's unprivileged entry runs this");
        RecordedGame f;
        OtherFiles others;
        const QString folder = f.workingFolder.filePath(QStringLiteral("spiele"));
        QVERIFY(QDir().mkdir(folder));
        f.folders.working = folder;
        const QString path = QDir(folder).filePath(QStringLiteral("spiel.txt"));
        writeFile(path, "142\r\n17\r\n15\r\n");  // longer than either game saved here
        const auto reopen = qScopeGuard([&folder] { QFile::setPermissions(folder, ownerOnly); });
        if (closed)
            QVERIFY(QFile::setPermissions(folder, closedToOwner));
        startRunningGame(f);

        f.dialogs.inputAnswers = {QStringLiteral("spiel")};
        PauseOnEntering pause;
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            if (!pause.install(pausedOn))
                ::_exit(2);
            f.window->cmdSpeichern_Click();
            const bool boxes = f.dialogs.shown.size() == (reason.isEmpty() ? 1 : 2)
                               && f.dialogs.shown.last().text.contains(reason);
            ::_exit(boxes ? 0 : 1);
        }
        // Nothing here may end the test while the copy stands still; it is checked once the copy is done.
        const bool paused = pause.awaitPause();
        bool swapped = false;
        if (paused && meanwhile == Meanwhile::LinkSwappedIn) {
            swapped = QFile::setPermissions(folder, ownerOnly) && QFile::remove(path) && QFile::link(others.save, path)
                      && QFile::setPermissions(folder, closed ? closedToOwner : ownerOnly);
        }
        if (paused && meanwhile == Meanwhile::SameNameSaved) {
            f.dialogs.clear();
            setReadOuts(f, {QStringLiteral("9"), QStringLiteral("1"), QStringLiteral("2")});
            f.dialogs.inputAnswers = {QStringLiteral("spiel")};
            f.window->cmdSpeichern_Click();
        }
        if (paused)
            pause.goOn();
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
            QSKIP("this system lets no process filter its system calls");
        QVERIFY(paused);
        QVERIFY2(WIFEXITED(status) && WEXITSTATUS(status) == 0, qPrintable(QString::number(status)));
        if (meanwhile == Meanwhile::LinkSwappedIn)
            QVERIFY(swapped);
        if (meanwhile == Meanwhile::SameNameSaved) {
            QCOMPARE(f.dialogs.shown.size(), 2);
            const QString busy = QStringLiteral("Unter diesem Namen wird gerade schon gespeichert");
            QVERIFY2(f.dialogs.shown.last().text.startsWith(busy), qPrintable(f.dialogs.shown.last().text));
        }
        QCOMPARE(readAll(path), content);
        QCOMPARE(readAll(others.save), otherSaveContent);
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
