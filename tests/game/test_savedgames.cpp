// Saving a game to a text file and resuming it, also from files that are no saved game at all.
#include "game/savedgame.h"
#include "tests/support/procstats.h"
#include "tests/support/gamechecks.h"

#include <QDateTime>
#include <QDirIterator>
#include <QFileInfo>
#include <QListWidget>

#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const QList<int> running = {1000, 2000, 1700};
const QList<int> zeros = {0, 0, 0};

// One saved game in the working folder, listed and selected. The program folder is another one:
// a load that looked there instead of in the listed folder would not find the game.
struct LoadFixture : RecordedGame {
    explicit LoadFixture(const QByteArray &content, const QString &name = QStringLiteral("spiel.txt"))
    {
        writeFile(workingFolder.filePath(name), content);
        window = std::make_unique<frmMain>(services);
        window->filLaden->setCurrentRow(0);
    }
};

// Kind, size, time of writing and start of a file tell whether it was touched, without reading all
// of a 200 MB one. A pipe is not opened: that would wait for a writer.
QByteArray fingerprint(const QString &path)
{
    const QFileInfo info(path);
    QFile file(path);
    const QByteArray start = info.isFile() && file.open(QIODevice::ReadOnly) ? file.read(64 * 1024) : "";
    return QByteArray::number(info.exists() + info.isFile()) + ' ' + QByteArray::number(info.size()) + ' '
            + QByteArray::number(info.lastModified().toMSecsSinceEpoch()) + ' ' + start;
}

// What happens to the saved game or to the list between listing and loading.
enum class Change {
    Nothing,
    CapitalTxt,         // the game is listed as SPIEL.TXT
    GrownTo200MB,
    NoCurrentRow,
    Deselected,         // still the current row, as after a Ctrl+click on it or when the list took the focus
    Removed,
    BecameAFolder,
#ifndef _WIN32
    BecameAPipe,
    BecameALinkToADevice,
#endif
};

// A box the load shows after the one with the path: a message with this text, or an error box
// whose text begins so.
struct Box {
    bool error;
    QString text;
};

Box message(const QString &text)
{
    return {false, text};
}

Box error(const QString &start)
{
    return {true, start};
}

bool operator==(const Box &a, const Box &b)
{
    return a.error == b.error && a.text == b.text;
}

char *toString(const Box &box)
{
    return QTest::toString((box.error ? QStringLiteral("Fehler: ") : QString()) + box.text);
}

// Where a typed name leads: into the working folder, or by a full path into a folder apart from it.
enum class Leads { IntoWorkingFolder, Elsewhere };

// Every file below these folders, as the full names of their paths.
QStringList filesBelow(const QStringList &folders)
{
    QStringList files;
    for (const QString &folder : folders) {
        QDirIterator entries(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (entries.hasNext())
            files.append(entries.next());
    }
    files.sort();
    return files;
}

} // namespace

Q_DECLARE_METATYPE(Change)
Q_DECLARE_METATYPE(Box)
Q_DECLARE_METATYPE(Leads)

class TestSavedGames : public QObject {
    Q_OBJECT

private slots:
    void saveWritesTheReadOutsUnderANameEndingInTxt_data()
    {
        QTest::addColumn<Leads>("leads");
        QTest::addColumn<QString>("typed");    // with Elsewhere, after that folder's full path
        QTest::addColumn<QString>("written");  // in the folder the name leads to; empty: nothing
        QTest::addColumn<bool>("started");
        const Leads here = Leads::IntoWorkingFolder;
        QTest::newRow("nothing typed, as after Cancel") << here << "" << "" << true;
        QTest::newRow("before the first game") << here << "spiel" << "spiel.txt" << false;
        QTest::newRow("bare") << here << "spiel" << "spiel.txt" << true;
        QTest::newRow("lower case") << here << "spiel.txt" << "spiel.txt" << true;
        QTest::newRow("capital extension") << here << "spiel.TXT" << "spiel.TXT.txt" << true;
        QTest::newRow("short") << here << "xt" << "xt.txt" << true;
        QTest::newRow("sub-folder") << here << "sub/spiel" << "sub/spiel.txt" << true;
        QTest::newRow("full path") << Leads::Elsewhere << "weg" << "weg.txt" << true;
    }

    // During a game, which goes on while the name is asked for: what is saved is the game as it
    // stands when the box closes. A save already there is overwritten without a question.
    void saveWritesTheReadOutsUnderANameEndingInTxt()
    {
        QFETCH(Leads, leads);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(bool, started);
        RecordedGame f;
        const QDir folder(f.workingFolder.path());
        const QTemporaryDir elsewhere;
        const QDir target = leads == Leads::Elsewhere ? QDir(elsewhere.path()) : folder;
        if (leads == Leads::Elsewhere)
            typed = target.filePath(typed);
        QVERIFY(folder.mkdir(QStringLiteral("sub")));
        if (!written.isEmpty())
            writeFile(target.filePath(written), "alt");
        const QStringList files = filesBelow({folder.path(), elsewhere.path()});
        if (started)
            f.window->cmdStart_Click();
        f.dialogs.inputAnswers = {typed};
        f.dialogs.whileOpen = [&f] { f.clock.advance(3000); };
        f.window->cmdSpeichern_Click();
        const QString prompt =
            QStringLiteral("Bitte gib den Dateiname an, unter dem das aktuelle Spiel gespeichert werden soll?");
        QCOMPARE(f.dialogs.texts(), QStringList{prompt});
        QCOMPARE(filesBelow({folder.path(), elsewhere.path()}), files);  // and no file anywhere else
        const QByteArray labels = started ? "77\r\n0\r\n0\r\n" : "\r\n\r\n\r\n";  // not the fields, all 0
        if (!written.isEmpty())
            QCOMPARE(readAll(target.filePath(written)), labels);
        QCOMPARE(f.random.seeds.size(), started ? 1 : 0);
    }

#ifndef _WIN32
    // Links, permissions, pipes and devices in the folder are Linux's: a link on Windows is a
    // shortcut file, and its devices are names (tested with the Windows rule of names).

    // A name that links to a save elsewhere: that save is written and the link stays; and the earlier
    // save keeps who may read it (here only its owner).
    void saveKeepsTheLinkAndThePermissionsOfTheEarlierSave()
    {
        RecordedGame f;
        const QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath(QStringLiteral("spiel.txt"));
        writeFile(target, "alt");
        QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner));
        const QFileDevice::Permissions permissions = QFile::permissions(target);
        const QString link = f.workingFolder.filePath(QStringLiteral("verweis.txt"));
        QVERIFY(QFile::link(target, link));
        f.window->cmdStart_Click();
        f.clock.advance(1000);
        f.dialogs.inputAnswers = {QStringLiteral("verweis")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(QFileInfo(link).symLinkTarget(), target);
        QCOMPARE(readAll(target), QByteArray("79\r\n0\r\n0\r\n"));
        QCOMPARE(QFile::permissions(target), permissions);
    }
#endif

    // Windows keeps names for its devices in every folder: a save under one is refused with a box
    // that says why and names the path as Windows writes it, and nothing is written anywhere. On
    // Linux it is a name like any other.
    void aSaveUnderADeviceNameIsRefusedOnWindows()
    {
        RecordedGame f;
        f.window->cmdStart_Click();
        f.clock.advance(1000);
        f.dialogs.inputAnswers = {QStringLiteral("nul")};
        f.window->cmdSpeichern_Click();
        const QString path = QDir::toNativeSeparators(f.workingFolder.filePath(QStringLiteral("nul.txt")));
        const QStringList boxes = f.dialogs.texts();
#ifdef _WIN32
        QCOMPARE(boxes.size(), 2);
        QVERIFY2(boxes.last().startsWith(QStringLiteral("Unter diesem Namen lässt sich nicht speichern"))
                     && boxes.last().endsWith(u'\n' + path),
                 qPrintable(boxes.last()));
        QCOMPARE(filesBelow({f.workingFolder.path()}), QStringList());
#else
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(readAll(path), QByteArray("79\r\n0\r\n0\r\n"));
#endif
    }

    void loadShowsItsBoxesAndKeepsWhatItRead_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<Change>("change");
        QTest::addColumn<QList<Box>>("boxes");      // after the path box
        QTest::addColumn<QStringList>("readOuts");  // afterwards
        QTest::addColumn<QList<int>>("fields");     // Zeit, Treffer, Punkte afterwards
        const auto row = [](const char *name, const QByteArray &content, const QList<Box> &boxes,
                            const QStringList &readOuts, const QList<int> &fields, Change change = Change::Nothing) {
            QTest::newRow(name) << content << change << boxes << readOuts << fields;
        };
        const QStringList none = {"", "", ""};
        const QString notANumber = QStringLiteral("Zeile %1 des Spielstands ist keine ganze Zahl");
        const Box tooLong = error(QStringLiteral("Die Datei ist kein Spielstand"));
        const Box zero = message(QStringLiteral("0"));
        const Box tooShort = error(QStringLiteral("Die Datei endet zu früh"));
        const Box wrongPath = error(QStringLiteral("Fehler in der Pfadangabe"));
        row("good", "57\r\n12\r\n9\r\n", {zero}, {"57", "12", "9"}, {57, 12, 9});
        row("blanks and signs", " +5 \r\n-3\r\n  -32768\r\n", {zero}, {" +5 ", "-3", "  -32768"}, {5, -3, -32768});
        row("lone CR", "8\r9\r10", {zero}, {"8", "9", "10"}, {8, 9, 10});
        row("200 MB after three lines", "1\r\n2\r\n3\r\nviel mehr\r\n", {zero}, {"1", "2", "3"}, {1, 2, 3}, Change::GrownTo200MB);
        row("empty first line", "\r\n\r\n\r\n", {zero, error(notANumber.arg(1))}, none, zeros);
        row("two lines", "30\r\n4\r\n", {zero, tooShort}, {"30", "4", ""}, {30, 4, 0});
        row("out of range", "30\r\n32768\r\n1\r\n", {zero, error(notANumber.arg(2))}, {"30", "32768", ""}, {30, 0, 0});
        row("lone LF", "30\n4\n5\n", {zero, error(notANumber.arg(1))}, {"30\n4\n5\n", "", ""}, zeros);
        row("empty file", "", {tooShort}, none, zeros);
        row("binary", QByteArray::fromHex("00ff01fe0d0a80"), {zero, error(notANumber.arg(1))},
            {QString::fromLatin1("\x00\xff\x01\xfe", 4), "", ""}, zeros);
        // The longest line still read is no number; one more byte and the file is no saved game.
        const QByteArray longest(SavedGame::maxLineLength, '7');
        row("longest line", longest, {zero, error(notANumber.arg(1))}, {QString::fromLatin1(longest), "", ""}, zeros);
        row("line one byte too long", longest + '7', {tooLong}, none, zeros);
        row("good line, then 200 MB", "12\r\n", {zero, tooLong}, {"12", "", ""}, {12, 0, 0}, Change::GrownTo200MB);
        row("capital TXT", "57\r\n12\r\n9\r\n", {wrongPath}, none, zeros, Change::CapitalTxt);
        row("nothing selected", "57\r\n12\r\n9\r\n", {wrongPath}, none, zeros, Change::NoCurrentRow);
        row("deselected", "57\r\n12\r\n9\r\n", {wrongPath}, none, zeros, Change::Deselected);
        row("vanished", "57\r\n12\r\n9\r\n", {error(QStringLiteral("Datei nicht gefunden"))}, none, zeros, Change::Removed);
        row("became a folder", "57\r\n12\r\n9\r\n", {error(QStringLiteral("Das ist ein Ordner"))}, none, zeros, Change::BecameAFolder);
#ifndef _WIN32
        const Box special = error(QStringLiteral("Das ist keine gewöhnliche Datei"));
        row("became a pipe", "57\r\n12\r\n9\r\n", {special}, none, zeros, Change::BecameAPipe);
        row("became a link to a device", "57\r\n12\r\n9\r\n", {special}, none, zeros, Change::BecameALinkToADevice);
#endif
    }

    void loadShowsItsBoxesAndKeepsWhatItRead()
    {
        QFETCH(QByteArray, content);
        QFETCH(Change, change);
        QFETCH(QList<Box>, boxes);
        QFETCH(QStringList, readOuts);
        QFETCH(QList<int>, fields);
        const QString name = change == Change::CapitalTxt ? QStringLiteral("SPIEL.TXT") : QStringLiteral("spiel.txt");
        LoadFixture f(content, name);
        const QString path = f.workingFolder.filePath(name);
        switch (change) {
        case Change::GrownTo200MB:
            QVERIFY(QFile::resize(path, qint64(200) << 20));
            break;
        case Change::NoCurrentRow:
            f.window->filLaden->setCurrentRow(-1);
            break;
        case Change::Deselected:
            f.window->filLaden->clearSelection();
            break;
        case Change::Removed:
            QVERIFY(QFile::remove(path));
            break;
        case Change::BecameAFolder:
            QVERIFY(QFile::remove(path) && QDir().mkdir(path));
            break;
#ifndef _WIN32
        case Change::BecameAPipe:
            QVERIFY(QFile::remove(path));
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
            break;
        case Change::BecameALinkToADevice:
            QVERIFY(QFile::remove(path) && QFile::link(QStringLiteral("/dev/zero"), path));
            break;
#endif
        case Change::Nothing:
        case Change::CapitalTxt:
            break;
        }
        const QByteArray before = fingerprint(path);

        const qint64 readBefore = procstats::bytesRead();
        f.window->cmdLaden_Click();
        const qint64 read = procstats::bytesRead() - readBefore;
        const bool noneSelected = change == Change::NoCurrentRow || change == Change::Deselected;
        const QString selected = noneSelected ? QString() : name;
        const QList<Box> expected = QList<Box>{message(QDir::toNativeSeparators(f.workingFolder.path() + '/' + selected))} + boxes;
        QList<Box> shown;  // an error as far as the expected start of its text
        for (const FakeDialogs::Shown &box : f.dialogs.shown) {
            const bool isError = box.icon == Dialogs::Icon::Critical;
            QCOMPARE(box.title, isError ? QStringLiteral("Fehler") : QStringLiteral("Krop"));
            shown.append({isError, isError ? box.text.left(expected.value(shown.size()).text.size()) : box.text});
        }
        QCOMPARE(shown, expected);
        QCOMPARE(::readOuts(f), readOuts);
        QCOMPARE(::fields(f), fields);
        const bool loads = !boxes.last().error;
        QCOMPARE(intervals(f), loads ? running : zeros);

        // Once more during a running game, which goes on while each box is open (a target shows every
        // two seconds) and after the load, from whatever the load left.
        f.window->cmdStart_Click();
        f.clock.advance(5000);
        const qsizetype shows = f.random.seeds.size();
        f.dialogs.whileOpen = [&f] { f.clock.advance(2000); };
        f.window->cmdLaden_Click();
        QCOMPARE(f.random.seeds.size(), shows + expected.size());
        if (loads)  // what the file says, not what the time running during the boxes made of it
            QCOMPARE(::fields(f), fields);
        const int left = f.window->Zeit;
        f.clock.advance(1000);
        QCOMPARE(f.window->lblZeit->text(), QString::number(left - 1));
        QCOMPARE(intervals(f), running);
        QCOMPARE(fingerprint(path), before);
        // Where /proc/self/io cannot be read, the bytes the load read are unknown.
        QVERIFY2(readBefore < 0 || read < 2 << 20, qPrintable(QStringLiteral("%1 bytes read").arg(read)));
    }

    // Names from older systems may be Latin-1 on Linux; names beginning with a dot are games the
    // game saves too (".txt", ".spiel"); folders, pipes and devices are no games.
    void theListShowsEverySavedGameThatOpens()
    {
        RecordedGame f;
        const QDir folder(f.workingFolder.path());
        for (const char *name : {"b.txt", "A.TXT", "C.Txt", ".spiel.txt", ".txt", "notiz.md", "c.txt.bak"})
            writeFile(folder.filePath(QString::fromLatin1(name)), "1\r\n2\r\n3\r\n");
        QVERIFY(folder.mkdir(QStringLiteral("ordner.txt")));
#ifdef _WIN32
        // Windows names every file in Unicode.
        writeFile(folder.filePath(QStringLiteral("Über.txt")), "4\r\n5\r\n6\r\n");
#else
        const QByteArray latin1 = QFile::encodeName(folder.path()) + "/\xDC" "ber.txt";
        std::ofstream(latin1.constData()) << "4\r\n5\r\n6\r\n";
        // Qt cannot remove what it cannot name, so the temporary folder could not go otherwise.
        const auto removeOld = qScopeGuard([&latin1] { ::unlink(latin1.constData()); });
        QCOMPARE(mkfifo(QFile::encodeName(folder.filePath(QStringLiteral("pipe.txt"))).constData(), 0600), 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), folder.filePath(QStringLiteral("geraet.txt"))));
#endif

        f.window = std::make_unique<frmMain>(f.services);
        QListWidget *list = f.window->filLaden;
        QStringList shown;
        for (int row = 0; row < list->count(); ++row)
            shown.append(list->item(row)->text());
        QCOMPARE(shown, (QStringList{".spiel.txt", ".txt", "A.TXT", "b.txt", "C.Txt", QStringLiteral("Über.txt")}));
        // Never refreshed: a game saved later is not listed.
        writeFile(folder.filePath(QStringLiteral("später.txt")), {});
        QCOMPARE(list->count(), 6);
        list->setCurrentRow(5);
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.texts(), (QStringList{QDir::toNativeSeparators(folder.filePath(QStringLiteral("Über.txt"))), "0"}));
        QCOMPARE(fields(f), (QList<int>{4, 5, 6}));
    }

    void loadedTimeCarriesOn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("afterAWin");
        QTest::addColumn<QString>("nextTick");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QList<SoundEvent>>("sounds");  // from the load on
        QTest::addColumn<QString>("result");
        const auto row = [](const char *name, const char *content, bool afterAWin, const char *nextTick, bool red,
                            const QList<SoundEvent> &sounds, const char *result) {
            QTest::newRow(name) << QByteArray(content) << afterAWin << QString::fromLatin1(nextTick) << red << sounds
                                << QString::fromLatin1(result);
        };
        const SoundEvent stop = SoundEvent::stop();
        const SoundEvent winner = SoundEvent::wave(GameFixture::winnerBytes);
        row("0 ends, won", "0\r\n30\r\n21\r\n", false, "0", false, {stop, winner}, "imgWinner lblSuper");
        row("0 ends, lost", "0\r\n30\r\n20\r\n", false, "0", false, {stop}, "imgLoser lblBesser");
        row("below 0 ends", "-5\r\n0\r\n0\r\n", false, "-5", false, {stop}, "imgLoser lblBesser");
        // No game has loaded the warning sound yet: it is stopped, not played.
        row("11 warns", "11\r\n0\r\n0\r\n", false, "10", true, {SoundEvent::waveStop()}, "");
        row("10 never warns", "10\r\n0\r\n0\r\n", false, "9", true, {}, "");
        // The won game's result stays until the next start, and its sound is the warning now.
        row("11 after a win", "11\r\n0\r\n0\r\n", true, "10", true, {winner}, "imgWinner lblSuper");
        row("0 after a win, lost", "0\r\n1\r\n-2\r\n", true, "0", true, {stop}, "imgLoser lblBesser");
    }

    void loadedTimeCarriesOn()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, afterAWin);
        QFETCH(QString, nextTick);
        QFETCH(bool, red);
        QFETCH(QList<SoundEvent>, sounds);
        QFETCH(QString, result);
        LoadFixture f(content);
        if (afterAWin) {
            f.window->cmdStart_Click();
            f.window->lblPunkte->setText(QStringLiteral("30"));
            f.clock.advanceTo(81000);  // won, which the row after a win still shows
            f.audio.events.clear();
        }
        f.window->cmdLaden_Click();
        f.clock.advance(1000);
        QCOMPARE(f.window->lblZeit->text(), nextTick);
        QCOMPARE(f.countdownColour() == QColor(255, 0, 0), red);
        QCOMPARE(f.audio.events, sounds);
        QCOMPARE(shownResult(f), result);
    }

    void numbersAreSixteenBitWithBlanksAndSign()
    {
        const std::pair<QString, std::optional<int>> cases[] = {
            {"0", 0}, {"32767", 32767}, {"-32768", -32768}, {"007", 7}, {"\t 12 ", 12}, {"+12", 12},
            {"32768", {}}, {"-32769", {}}, {"99999999999999999999", {}}, {"", {}}, {"-", {}}, {"1 2", {}},
            {"1.5", {}}, {QString::fromUtf8("\u0661"), {}}, {"--1", {}}};
        for (const auto &[line, value] : cases)
            QVERIFY2(SavedGame::toNumber(line) == value, qPrintable(line));
    }
};

QTEST_MAIN(TestSavedGames)
#include "test_savedgames.moc"
