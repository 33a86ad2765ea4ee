// Saved games against unfriendly disks and files: a read-only folder, files that vanish, binary
// and huge files, names with umlauts and blanks. Whatever happens, the running game goes on and
// no earlier save is damaged.
#include "tests/reliability/procstats.h"
#include "tests/support/gamefixture.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Enough to tell whether a file was touched: any write changes its time of modification, and its
// start is where a reader would have left traces. Hashing all of a 200 MB file would only cost time.
QByteArray fingerprint(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return "<fehlt>";
    const QFileInfo info(file);
    return QByteArray::number(info.size()) + ' '
        + QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + ' '
        + QCryptographicHash::hash(file.read(64 * 1024), QCryptographicHash::Sha256).toHex();
}

QListWidget *fileList(const GameFixture &f)
{
    return f.window->controls().control<QListWidget>(QStringLiteral("filLaden"));
}

// Selects the listed game of that name; false if it is not listed.
bool select(const GameFixture &f, const QString &name)
{
    const QList<QListWidgetItem *> found = fileList(f)->findItems(name, Qt::MatchExactly);
    if (found.size() != 1)
        return false;
    fileList(f)->setCurrentItem(found.first());
    return true;
}

void setReadOuts(GameFixture &f, const char *zeit, const char *treffer, const char *punkte)
{
    f.label(QStringLiteral("lblZeit"))->setText(QString::fromLatin1(zeit));
    f.label(QStringLiteral("lblTreffer"))->setText(QString::fromLatin1(treffer));
    f.label(QStringLiteral("lblPunkte"))->setText(QString::fromLatin1(punkte));
}

// Starts a game and lets five seconds pass, so that "goes on" can be seen in the countdown.
void startRunningGame(GameFixture &f)
{
    f.window->cmdStart_Click();
    f.clock.advance(5000);
    QCOMPARE(f.text(QStringLiteral("lblZeit")), QStringLiteral("75"));
    f.dialogs.clear();
}

void checkGoesOn(GameFixture &f, int zeitBefore)
{
    f.clock.advance(1000);
    QCOMPARE(f.window->Zeit, zeitBefore - 1);
    QCOMPARE(f.text(QStringLiteral("lblZeit")), QString::number(zeitBefore - 1));
    QCOMPARE(f.window->tmrÄndern().interval(), 2000);
}

void checkLastBoxIsAnError(const GameFixture &f, const QString &reason)
{
    QVERIFY(!f.dialogs.shown.isEmpty());
    const FakeDialogs::Shown &box = f.dialogs.shown.last();
    QCOMPARE(box.title, QStringLiteral("Fehler"));
    QCOMPARE(box.icon, Dialogs::Icon::Critical);
    QVERIFY2(box.text.contains(reason), qPrintable(box.text));
}

// Mounts a small tmpfs over a folder for the life of the object; root only.
class Mount {
public:
    explicit Mount(const QString &folder) : folder(folder)
    {
        mounted = QProcess::execute(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", folder}) == 0;
    }
    ~Mount()
    {
        if (mounted)
            QProcess::execute(QStringLiteral("umount"), {folder});
    }
    bool makeReadOnly()
    {
        return QProcess::execute(QStringLiteral("mount"), {"-o", "remount,ro", folder}) == 0;
    }
    const QString folder;
    bool mounted = false;
};

} // namespace

class TestFaultsSaves : public QObject {
    Q_OBJECT

private slots:
    void aReadOnlyFolderRefusesTheSaveAndKeepsTheEarlierOne()
    {
        if (geteuid() != 0)
            QSKIP("mounting a read-only file system needs root");
        GameFixture f;
        Mount mount(f.workingFolder.path());
        QVERIFY(mount.mounted);
        const QString earlier = f.workingFolder.filePath(QStringLiteral("spiel.txt"));
        writeAll(earlier, "42\r\n7\r\n5\r\n");
        QVERIFY(mount.makeReadOnly());
        f.window = std::make_unique<frmMain>(f.services);
        startRunningGame(f);

        // Root may write anywhere except on a read-only file system, so this is the one refusal
        // that also holds for root.
        for (const char *name : {"spiel", "neu"}) {
            f.dialogs.clear();
            f.dialogs.inputAnswers = {QString::fromLatin1(name)};
            f.window->cmdSpeichern_Click();
            QCOMPARE(f.dialogs.shown.size(), 2);
            checkLastBoxIsAnError(f, f.workingFolder.path());
            QCOMPARE(readAll(earlier), QByteArray("42\r\n7\r\n5\r\n"));
            QCOMPARE(QDir(f.workingFolder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"spiel.txt"});
        }
        checkGoesOn(f, 75);

        // The earlier game still loads from there, and the game goes on from it.
        f.dialogs.clear();
        QVERIFY(select(f, QStringLiteral("spiel.txt")));
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{earlier, "0"}));
        QCOMPARE((QList<int>{f.window->Zeit, f.window->Treffer, f.window->Punkte}), (QList<int>{42, 7, 5}));
        checkGoesOn(f, 42);
    }

    void aFailedLoadLeavesTheGameAndTheFileAsTheyWere_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("sparseSize");   // > 0: extended with zeros to this size
        QTest::addColumn<QString>("change");      // done between listing and loading
        QTest::addColumn<QString>("reason");
        QTest::addColumn<int>("zeit");            // seconds left afterwards: lines read before the fault count
        QTest::newRow("vanished") << QByteArray("33\r\n1\r\n2\r\n") << qint64(0) << "remove" << "nicht gefunden" << 75;
        QTest::newRow("became a folder") << QByteArray("33\r\n1\r\n2\r\n") << qint64(0) << "folder" << "Ordner" << 75;
        QTest::newRow("binary") << QByteArray::fromHex("00ff01fe0d0a80") << qint64(0) << "" << "keine ganze Zahl" << 75;
        QTest::newRow("1 MB first line") << QByteArray(1 << 20, '7') << qint64(0) << "" << "kein Spielstand" << 75;
        QTest::newRow("200 MB of zeros") << QByteArray() << qint64(200) << "" << "kein Spielstand" << 75;
        QTest::newRow("good line, then 200 MB") << QByteArray("12\r\n") << qint64(200) << "" << "kein Spielstand" << 12;
    }

    void aFailedLoadLeavesTheGameAndTheFileAsTheyWere()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, sparseSize);
        QFETCH(QString, change);
        QFETCH(QString, reason);
        QFETCH(int, zeit);
        GameFixture f;
        const QString path = f.workingFolder.filePath(QStringLiteral("spiel.txt"));
        writeAll(path, content);
        if (sparseSize > 0)
            QVERIFY(QFile::resize(path, sparseSize * 1024 * 1024));
        const QString other = f.workingFolder.filePath(QStringLiteral("anderes.txt"));
        writeAll(other, "9\r\n8\r\n7\r\n");
        f.window = std::make_unique<frmMain>(f.services);
        QVERIFY(select(f, QStringLiteral("spiel.txt")));
        if (change == QStringLiteral("remove") || change == QStringLiteral("folder"))
            QVERIFY(QFile::remove(path));
        if (change == QStringLiteral("folder"))
            QVERIFY(QDir().mkdir(path));
        const QByteArray before = fingerprint(path);
        startRunningGame(f);

        const qint64 readBefore = procstats::bytesRead();
        f.window->cmdLaden_Click();
        const qint64 read = procstats::bytesRead() - readBefore;
        checkLastBoxIsAnError(f, reason);
        // Fails fast: only the start of a huge file is ever read.
        QVERIFY2(read < 2 * 1024 * 1024, qPrintable(QString::number(read)));
        QCOMPARE(f.window->tmrZeit().interval(), 1000);
        QCOMPARE(f.window->Zeit, zeit);
        checkGoesOn(f, zeit);
        QCOMPARE(fingerprint(path), before);
        QCOMPARE(readAll(other), QByteArray("9\r\n8\r\n7\r\n"));
    }

    void aHugeFileWithAGoodStartLoadsWithoutReadingTheRest()
    {
        GameFixture f;
        const QString path = f.workingFolder.filePath(QStringLiteral("riesig.txt"));
        writeAll(path, "44\r\n3\r\n-2\r\n");
        QVERIFY(QFile::resize(path, qint64(200) * 1024 * 1024));
        f.window = std::make_unique<frmMain>(f.services);
        QVERIFY(select(f, QStringLiteral("riesig.txt")));
        startRunningGame(f);
        const qint64 readBefore = procstats::bytesRead();
        f.window->cmdLaden_Click();
        QVERIFY(procstats::bytesRead() - readBefore < 2 * 1024 * 1024);
        QCOMPARE(f.dialogs.texts(), (QStringList{path, "0"}));
        QCOMPARE((QList<int>{f.window->Zeit, f.window->Treffer, f.window->Punkte}), (QList<int>{44, 3, -2}));
        checkGoesOn(f, 44);
    }

    void umlautsAndBlanksInNameAndFolderRoundTrip()
    {
        GameFixture f;
        const QString folder = f.workingFolder.filePath(QStringLiteral("Jörgs Spielstände"));
        QVERIFY(QDir().mkpath(folder));
        f.folders.working = folder;
        f.window = std::make_unique<frmMain>(f.services);
        const QString earlier = folder + QStringLiteral("/Übung ä ö ü ß.txt");
        writeAll(earlier, "1\r\n2\r\n3\r\n");
        startRunningGame(f);
        setReadOuts(f, "61", "14", "-3");
        f.dialogs.inputAnswers = {QStringLiteral("Zweiter Versuch mit Öl")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(readAll(folder + QStringLiteral("/Zweiter Versuch mit Öl.txt")), QByteArray("61\r\n14\r\n-3\r\n"));
        QCOMPARE(readAll(earlier), QByteArray("1\r\n2\r\n3\r\n"));

        // A later start of the game lists both, and the new one loads with its odd name.
        f.window = std::make_unique<frmMain>(f.services);
        QVERIFY(select(f, QStringLiteral("Übung ä ö ü ß.txt")));
        QVERIFY(select(f, QStringLiteral("Zweiter Versuch mit Öl.txt")));
        startRunningGame(f);
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{folder + QStringLiteral("/Zweiter Versuch mit Öl.txt"), "0"}));
        QCOMPARE((QList<int>{f.window->Zeit, f.window->Treffer, f.window->Punkte}), (QList<int>{61, 14, -3}));
        checkGoesOn(f, 61);
    }
};

QTEST_MAIN(TestFaultsSaves)
#include "test_faults_saves.moc"
