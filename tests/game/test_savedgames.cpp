// Saving a game to a text file and resuming it.
#include "game/savedgame.h"
#include "tests/support/gamefixture.h"

#include <QBuffer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTest>

#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

void setReadOuts(GameFixture &f, const char *zeit, const char *treffer, const char *punkte)
{
    f.label(QStringLiteral("lblZeit"))->setText(QString::fromLatin1(zeit));
    f.label(QStringLiteral("lblTreffer"))->setText(QString::fromLatin1(treffer));
    f.label(QStringLiteral("lblPunkte"))->setText(QString::fromLatin1(punkte));
}

// A fixture whose working folder holds one saved game, listed and selected.
struct LoadFixture : GameFixture {
    explicit LoadFixture(const QByteArray &content, const QString &name = QStringLiteral("spiel.txt"))
    {
        writeAll(workingFolder.filePath(name), content);
        window = std::make_unique<frmMain>(services);
        list()->setCurrentRow(0);
        dialogs.clear();
    }
    QListWidget *list() const { return window->controls().control<QListWidget>(QStringLiteral("filLaden")); }
    bool intervalsAssigned() const
    {
        return window->tmrZeit().interval() == 1000 && window->tmrÄndern().interval() == 2000
               && window->tmrVerschwinden().interval() == 1700;
    }
};

} // namespace

class TestSavedGames : public QObject {
    Q_OBJECT

private slots:
    void saveWritesTheThreeReadOuts()
    {
        GameFixture f;
        setReadOuts(f, "57", "12", "9");
        f.dialogs.inputAnswers = {QStringLiteral("spiel")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(readAll(f.workingFolder.filePath(QStringLiteral("spiel.txt"))),
                 QByteArray::fromHex("35370d0a31320d0a390d0a"));
        QCOMPARE(f.dialogs.shown.size(), 1);
        const FakeDialogs::Shown &box = f.dialogs.shown.first();
        QCOMPARE(box.kind, FakeDialogs::Shown::Kind::Input);
        QCOMPARE(box.title, QStringLiteral("Speichern"));
        QCOMPARE(box.text,
                 QStringLiteral("Bitte gib den Dateiname an, unter dem das aktuelle Spiel gespeichert werden soll?"));

        // A second save under the name overwrites without a question.
        setReadOuts(f, "3", "-1", "-32768");
        f.dialogs.inputAnswers = {QStringLiteral("spiel.txt")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(readAll(f.workingFolder.filePath(QStringLiteral("spiel.txt"))), QByteArray("3\r\n-1\r\n-32768\r\n"));
        QCOMPARE(f.dialogs.shown.size(), 2);
    }

    void saveBeforeTheFirstGameWritesThreeEmptyLines()
    {
        GameFixture f;
        f.dialogs.inputAnswers = {QStringLiteral("leer")};
        f.window->cmdSpeichern_Click();
        QCOMPARE(readAll(f.workingFolder.filePath(QStringLiteral("leer.txt"))), QByteArray("\r\n\r\n\r\n"));
    }

    void savedNameEndsInTxt_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("bare") << "spiel" << "spiel.txt";
        QTest::newRow("lower case") << "spiel.txt" << "spiel.txt";
        QTest::newRow("capital extension") << "spiel.TXT" << "spiel.TXT.txt";
        QTest::newRow("all capitals") << "SPIEL.TXT" << "SPIEL.TXT.txt";
        QTest::newRow("short") << "xt" << "xt.txt";
        QTest::newRow("sub-folder") << "sub/spiel" << "sub/spiel.txt";
        QTest::newRow("umlauts and blanks") << "Jörgs Spiel" << "Jörgs Spiel.txt";
    }

    void savedNameEndsInTxt()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        GameFixture f;
        QVERIFY(QDir(f.workingFolder.path()).mkdir(QStringLiteral("sub")));
        setReadOuts(f, "1", "2", "3");
        f.dialogs.inputAnswers = {typed};
        f.window->cmdSpeichern_Click();
        QCOMPARE(readAll(f.workingFolder.filePath(written)), QByteArray("1\r\n2\r\n3\r\n"));
        QCOMPARE(QDir(f.workingFolder.path()).entryList(QDir::Files).size(), written.contains('/') ? 0 : 1);
    }

    void aFullPathNamesItsFolder()
    {
        GameFixture f;
        QTemporaryDir elsewhere;
        setReadOuts(f, "1", "2", "3");
        f.dialogs.inputAnswers = {elsewhere.filePath(QStringLiteral("weg"))};
        f.window->cmdSpeichern_Click();
        QCOMPARE(readAll(elsewhere.filePath(QStringLiteral("weg.txt"))), QByteArray("1\r\n2\r\n3\r\n"));
    }

    void cancelWritesNothing()
    {
        GameFixture f;
        f.dialogs.inputAnswers = {QString()};
        f.window->cmdSpeichern_Click();
        f.window->cmdSpeichern_Click();  // no answer left: Cancel
        QCOMPARE(QDir(f.workingFolder.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
        QCOMPARE(f.dialogs.shown.size(), 2);
    }

    void saveTakesTheGameAsItStandsWhenTheBoxCloses()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        f.dialogs.inputAnswers = {QStringLiteral("spaeter")};
        f.dialogs.whileOpen = [&f] { f.clock.advance(3000); };
        f.window->cmdSpeichern_Click();
        QCOMPARE(readAll(f.workingFolder.filePath(QStringLiteral("spaeter.txt"))), QByteArray("77\r\n0\r\n0\r\n"));
    }

    void failedSaveSaysWhyAndTheGameGoesOn_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << "gibtsnicht/spiel" << "Ordner";
        QTest::newRow("folder is a file") << "datei.bin/spiel" << "Ordner";
        QTest::newRow("read-only file system") << "/proc/spiel" << "";
        QTest::newRow("name is a folder") << "ordner.txt" << "";
    }

    void failedSaveSaysWhyAndTheGameGoesOn()
    {
        QFETCH(QString, name);
        QFETCH(QString, reason);
        GameFixture f;
        writeAll(f.workingFolder.filePath(QStringLiteral("datei.bin")), "x");
        QVERIFY(QDir(f.workingFolder.path()).mkdir(QStringLiteral("ordner.txt")));
        f.window->cmdStart_Click();
        f.dialogs.clear();
        f.dialogs.inputAnswers = {name};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), 2);
        const FakeDialogs::Shown &box = f.dialogs.shown.last();
        QCOMPARE(box.title, QStringLiteral("Fehler"));
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QVERIFY2(box.text.contains(reason), qPrintable(box.text));
        f.clock.advance(1000);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("79"));
    }

    void aFullDiskKeepsTheEarlierSave()
    {
        if (geteuid() != 0)
            QSKIP("mounting a tiny file system needs root");
        GameFixture f;
        const QString folder = f.workingFolder.filePath(QStringLiteral("klein"));
        QVERIFY(QDir().mkpath(folder));
        QCOMPARE(QProcess::execute(QStringLiteral("mount"),
                                   {"-t", "tmpfs", "-o", "size=8k", "tmpfs", folder}), 0);
        const auto unmount = qScopeGuard([&] { QProcess::execute(QStringLiteral("umount"), {folder}); });
        const QString saved = folder + QStringLiteral("/spiel.txt");
        writeAll(saved, "42\r\n7\r\n5\r\n");
        writeAll(folder + QStringLiteral("/ballast"), QByteArray(4096, 'x'));
        QFile filler(folder + QStringLiteral("/fuellung"));
        QVERIFY(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(512, 'x')) == 512 && filler.flush()) {
        }
        filler.close();

        setReadOuts(f, "11", "22", "33");
        f.dialogs.inputAnswers = {saved};
        f.window->cmdSpeichern_Click();
        QCOMPARE(f.dialogs.shown.size(), 2);
        QCOMPARE(f.dialogs.shown.last().title, QStringLiteral("Fehler"));
        QCOMPARE(readAll(saved), QByteArray("42\r\n7\r\n5\r\n"));
    }

    void loadShowsItsBoxesInOrder_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("boxes");       // after the path box
        QTest::addColumn<QStringList>("readOuts");    // lblZeit, lblTreffer, lblPunkte afterwards
        QTest::addColumn<QList<int>>("fields");       // Zeit, Treffer, Punkte afterwards
        QTest::addColumn<bool>("assigned");
        const QString error = QStringLiteral("Fehler");
        QTest::newRow("good") << QByteArray("57\r\n12\r\n9\r\n") << QStringList{"0"}
                              << QStringList{"57", "12", "9"} << QList<int>{57, 12, 9} << true;
        QTest::newRow("blanks and signs") << QByteArray(" +5 \r\n-3\r\n  -32768\r\n") << QStringList{"0"}
                                          << QStringList{" +5 ", "-3", "  -32768"} << QList<int>{5, -3, -32768}
                                          << true;
        QTest::newRow("lone CR") << QByteArray("8\r9\r10") << QStringList{"0"} << QStringList{"8", "9", "10"}
                                 << QList<int>{8, 9, 10} << true;
        QTest::newRow("more than three lines") << QByteArray("1\r\n2\r\n3\r\nviel mehr\r\n") << QStringList{"0"}
                                               << QStringList{"1", "2", "3"} << QList<int>{1, 2, 3} << true;
        QTest::newRow("empty first line") << QByteArray("\r\n\r\n\r\n") << QStringList{"0", error}
                                          << QStringList{"", "", ""} << QList<int>{0, 0, 0} << false;
        QTest::newRow("12x") << QByteArray("12x\r\n1\r\n1\r\n") << QStringList{"0", error}
                             << QStringList{"12x", "", ""} << QList<int>{0, 0, 0} << false;
        QTest::newRow("two lines") << QByteArray("30\r\n4\r\n") << QStringList{"0", error}
                                   << QStringList{"30", "4", ""} << QList<int>{30, 4, 0} << false;
        QTest::newRow("out of range") << QByteArray("30\r\n32768\r\n1\r\n") << QStringList{"0", error}
                                      << QStringList{"30", "32768", ""} << QList<int>{30, 0, 0} << false;
        QTest::newRow("lone LF") << QByteArray("30\n4\n5\n") << QStringList{"0", error}
                                 << QStringList{"30\n4\n5\n", "", ""} << QList<int>{0, 0, 0} << false;
        QTest::newRow("empty file") << QByteArray() << QStringList{error} << QStringList{"", "", ""}
                                    << QList<int>{0, 0, 0} << false;
        QTest::newRow("binary") << QByteArray("\x00\xff\x01\r\n", 5) << QStringList{"0", error}
                                << QStringList{QString::fromLatin1("\x00\xff\x01", 3), "", ""}
                                << QList<int>{0, 0, 0} << false;
        QTest::newRow("1 MB first line") << QByteArray(1 << 20, '7') << QStringList{error}
                                         << QStringList{"", "", ""} << QList<int>{0, 0, 0} << false;
    }

    void loadShowsItsBoxesInOrder()
    {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, readOuts);
        QFETCH(QList<int>, fields);
        QFETCH(bool, assigned);
        LoadFixture f(content);
        f.window->cmdLaden_Click();
        const QString path = f.workingFolder.path() + QStringLiteral("/spiel.txt");
        QStringList titles;
        QStringList texts;
        for (const FakeDialogs::Shown &box : f.dialogs.shown) {
            titles.append(box.title);
            texts.append(box.title == QStringLiteral("Fehler") ? box.title : box.text);
            QCOMPARE(box.icon, box.title == QStringLiteral("Fehler") ? Dialogs::Icon::Critical : Dialogs::Icon::None);
        }
        QCOMPARE(texts, QStringList{path} + boxes);
        QCOMPARE(titles.first(), QStringLiteral("Krop"));
        QCOMPARE((QStringList{f.text("lblZeit"), f.text("lblTreffer"), f.text("lblPunkte")}), readOuts);
        QCOMPARE((QList<int>{f.window->Zeit, f.window->Treffer, f.window->Punkte}), fields);
        QCOMPARE(f.intervalsAssigned(), assigned);
        if (!assigned)
            QCOMPARE(f.window->tmrZeit().interval(), 0);
    }

    void loadNeedsASelectedTxtName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("select");
        QTest::newRow("capital TXT") << "SPIEL.TXT" << true;
        QTest::newRow("nothing selected") << "spiel.txt" << false;
    }

    void loadNeedsASelectedTxtName()
    {
        QFETCH(QString, name);
        QFETCH(bool, select);
        LoadFixture f("57\r\n12\r\n9\r\n", name);
        if (!select)
            f.list()->setCurrentRow(-1);
        f.window->cmdLaden_Click();
        const QString folder = f.workingFolder.path() + QLatin1Char('/');
        QCOMPARE(f.dialogs.texts(), (QStringList{folder + (select ? name : QString()), "Fehler in der Pfadangabe"}));
        QCOMPARE(f.dialogs.shown.last().title, QStringLiteral("Fehler"));
        QCOMPARE(f.text("lblZeit"), QString());
        QCOMPARE(f.window->tmrZeit().interval(), 0);
    }

    void aListedGameLoadsWhereverTheProgramLives()
    {
        LoadFixture f("33\r\n1\r\n2\r\n");
        QVERIFY(f.folders.program != f.folders.working);
        f.window->cmdLaden_Click();
        QCOMPARE(f.window->Zeit, 33);
        QVERIFY(f.intervalsAssigned());
    }

    void aGameThatVanishedAfterListingSaysSo()
    {
        LoadFixture f("33\r\n1\r\n2\r\n");
        QVERIFY(QFile::remove(f.workingFolder.filePath(QStringLiteral("spiel.txt"))));
        f.window->cmdLaden_Click();
        QCOMPARE(f.dialogs.shown.size(), 2);
        QVERIFY(f.dialogs.shown.last().text.contains(QStringLiteral("nicht gefunden")));
    }

    void loadedTimeCarriesOn_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("nextTick");
        QTest::addColumn<bool>("red");
        QTest::addColumn<int>("waves");
        QTest::addColumn<QString>("result");
        QTest::newRow("0 ends, won") << QByteArray("0\r\n30\r\n21\r\n") << "" << false << 1 << "imgWinner";
        QTest::newRow("0 ends, lost") << QByteArray("0\r\n30\r\n20\r\n") << "" << false << 0 << "imgLoser";
        QTest::newRow("11 warns") << QByteArray("11\r\n0\r\n0\r\n") << "10" << true << 1 << "";
        QTest::newRow("10 never warns") << QByteArray("10\r\n0\r\n0\r\n") << "9" << true << 0 << "";
        QTest::newRow("below 0 ends") << QByteArray("-5\r\n0\r\n0\r\n") << "" << false << 0 << "imgLoser";
    }

    void loadedTimeCarriesOn()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, nextTick);
        QFETCH(bool, red);
        QFETCH(int, waves);
        QFETCH(QString, result);
        LoadFixture f(content);
        f.window->cmdLaden_Click();
        f.clock.advance(1000);
        if (!nextTick.isEmpty())
            QCOMPARE(f.text("lblZeit"), nextTick);
        QCOMPARE(f.countdownColour() == QColor(255, 0, 0), red);
        QCOMPARE(f.audio.count("wave "), waves);
        if (!result.isEmpty())
            QVERIFY(!f.label(result)->isHidden());
        // Resumed from idle: no music was started.
        QCOMPARE(f.audio.count("play "), 0);
    }

    void anIdleLoadWarnsWithNoSound()
    {
        LoadFixture f("11\r\n0\r\n0\r\n");
        f.window->cmdLaden_Click();
        f.clock.advance(1000);
        QCOMPARE(f.audio.events, QStringList{"wave stop"});
    }

    void afterAWonGameTheWarningIsTheWinnerSound()
    {
        LoadFixture f("11\r\n0\r\n0\r\n");
        f.window->cmdStart_Click();
        f.window->Punkte = 30;
        f.label("lblPunkte")->setText(QStringLiteral("30"));
        f.clock.advanceTo(81000);
        QVERIFY(!f.label("imgWinner")->isHidden());
        f.window->cmdLaden_Click();
        f.clock.advance(1000);
        QCOMPARE(f.audio.waves.size(), 3);
        QCOMPARE(f.audio.waves.last().size(), GameFixture::winnerBytes);
        // The result stays until the next start; the music stays off.
        QVERIFY(!f.label("imgWinner")->isHidden());
        QVERIFY(!f.audio.musicPlaying);
    }

    void aResumedGameThatEndsShowsOnlyItsOwnResult()
    {
        LoadFixture f("0\r\n1\r\n-2\r\n");
        f.window->cmdStart_Click();
        f.window->Punkte = 30;
        f.label("lblPunkte")->setText(QStringLiteral("30"));
        f.clock.advanceTo(81000);
        QVERIFY(!f.label("imgWinner")->isHidden());
        f.window->cmdLaden_Click();
        f.clock.advance(1000);
        QVERIFY(!f.label("imgLoser")->isHidden());
        QVERIFY(!f.label("lblBesser")->isHidden());
        QVERIFY(f.label("imgWinner")->isHidden());
        QVERIFY(f.label("lblSuper")->isHidden());
    }

    void aRunningGameGoesOnWhileTheLoadBoxesAreOpen()
    {
        LoadFixture f("40\r\n3\r\n4\r\n");
        f.window->cmdStart_Click();
        f.dialogs.whileOpen = [&f] { f.clock.advance(2000); };
        f.window->cmdLaden_Click();
        QCOMPARE(f.text("lblZeit"), QStringLiteral("40"));
        QCOMPARE(f.random.seeds.size(), 2);
        f.dialogs.whileOpen = nullptr;
        f.clock.advance(1000);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("39"));
    }

    void numbersAreSixteenBitWithBlanksAndSign_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("value");   // 99999: not a number
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("max") << "32767" << 32767;
        QTest::newRow("min") << "-32768" << -32768;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("tab and blanks") << "\t 12 " << 12;
        QTest::newRow("plus") << "+12" << 12;
        QTest::newRow("too big") << "32768" << 99999;
        QTest::newRow("too small") << "-32769" << 99999;
        QTest::newRow("huge") << "99999999999999999999" << 99999;
        QTest::newRow("empty") << "" << 99999;
        QTest::newRow("sign only") << "-" << 99999;
        QTest::newRow("inner blank") << "1 2" << 99999;
        QTest::newRow("fraction") << "1.5" << 99999;
        QTest::newRow("arabic digit") << QString::fromUtf8("\u0661") << 99999;
        QTest::newRow("double sign") << "--1" << 99999;
    }

    void numbersAreSixteenBitWithBlanksAndSign()
    {
        QFETCH(QString, line);
        QFETCH(int, value);
        const std::optional<qint16> number = SavedGame::toNumber(line);
        QCOMPARE(number.has_value(), value != 99999);
        if (number)
            QCOMPARE(int(*number), value);
    }

    void lineReaderStopsAtAnOverlongLine()
    {
        QByteArray bytes(SavedGame::maxLineLength, '1');
        QBuffer exact(&bytes);
        QVERIFY(exact.open(QIODevice::ReadOnly));
        QString error;
        QCOMPARE(SavedGame::readLine(exact, error)->size(), SavedGame::maxLineLength);
        bytes.append('1');
        QBuffer tooLong(&bytes);
        QVERIFY(tooLong.open(QIODevice::ReadOnly));
        QVERIFY(!SavedGame::readLine(tooLong, error));
        QVERIFY(error.contains(QStringLiteral("kein Spielstand")));
    }
};

QTEST_MAIN(TestSavedGames)
#include "test_savedgames.moc"
