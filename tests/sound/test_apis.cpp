// The game's sound module: music that starts over at its end, and wave files from the program folder.

#include "sound/apis.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/recordingaudio.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {

// Keeps every end handler it is given, so a test can deliver a notice the way a device would
// that had queued it before the handler was switched off.
class HandlerKeepingAudio final : public AudioBackend {
public:
    PlayId playMusic(const QString &) override { return ++lastPlay; }
    void stopMusic() override {}
    void setMusicEndedHandler(MusicEndedHandler handler) override
    {
        if (handler)
            handlers.append(std::move(handler));
    }
    void playWave(const QByteArray &) override {}
    void stopWave() override {}

    QList<MusicEndedHandler> handlers;
    PlayId lastPlay = 0;
};

struct Fixture {
    RecordingAudio audio;
    FakeDialogs dialogs;
    FakeFolders folders;
    Apis apis{audio, dialogs, folders};
};

const QString song = QStringLiteral("/spiel/kol.mid");

} // namespace

class TestApis : public QObject {
    Q_OBJECT

private slots:
    // --- music ---

    void firstStartInstallsTheEndHandlerOnce()
    {
        Fixture f;
        f.apis.MidiDatei = song;
        f.apis.MusikStarten();
        QCOMPARE(f.audio.events, QStringList({"handler on", "play " + song}));
        QVERIFY(f.apis.Umgeleitet);

        f.apis.MusikStarten();
        QCOMPARE(f.audio.handlerInstalls, 1);
        QCOMPARE(f.audio.count("play "), 2);
    }

    void naturalEndStartsTheMusicOverFromItsBeginning()
    {
        Fixture f;
        f.apis.MidiDatei = song;
        f.apis.MusikStarten();
        for (int pass = 2; pass <= 4; ++pass) {
            f.audio.finishCurrentMusic();
            QCOMPARE(f.audio.count("play "), pass);
            QCOMPARE(f.audio.events.last(), "play " + song);
            QVERIFY(f.audio.musicPlaying);
        }
        QCOMPARE(f.audio.handlerInstalls, 1);
        QCOMPARE(f.audio.count("stop"), 0);
    }

    void restartPlaysTheFileNamedLast()
    {
        Fixture f;
        f.apis.MidiDatei = song;
        f.apis.MusikStarten();
        f.apis.MidiDatei = QStringLiteral("/anderswo/neu.mid");
        f.audio.finishCurrentMusic();
        QCOMPARE(f.audio.events.last(), QStringLiteral("play /anderswo/neu.mid"));
    }

    void startDuringPlayRestartsOnceAndTheCutOffNoticeRestartsNothing()
    {
        Fixture f;
        f.apis.MidiDatei = song;
        f.apis.MusikStarten();
        const AudioBackend::PlayId cutOff = f.audio.lastPlay;
        f.apis.MusikStarten();
        QCOMPARE(f.audio.count("play "), 2);

        f.audio.finishMusic(cutOff);
        QCOMPARE(f.audio.count("play "), 2);

        f.audio.finishCurrentMusic();
        QCOMPARE(f.audio.count("play "), 3);
        QCOMPARE(f.audio.handlerInstalls, 1);
    }

    void stopSwitchesTheRestartOff()
    {
        Fixture f;
        f.apis.MidiDatei = song;
        f.apis.MusikStarten();
        f.apis.MusikStoppen();
        QCOMPARE(f.audio.events, QStringList({"handler on", "play " + song, "stop", "handler off"}));
        QVERIFY(!f.apis.Umgeleitet);
        QVERIFY(!f.audio.musicPlaying);

        f.audio.finishCurrentMusic();
        QCOMPARE(f.audio.count("play "), 1);
    }

    void noticeQueuedBeforeTheStopRestartsNothing()
    {
        HandlerKeepingAudio audio;
        FakeDialogs dialogs;
        FakeFolders folders;
        Apis apis(audio, dialogs, folders);
        apis.MidiDatei = song;
        apis.MusikStarten();
        QCOMPARE(audio.handlers.size(), 1);
        const AudioBackend::PlayId playing = audio.lastPlay;

        apis.MusikStoppen();
        audio.handlers.first()(playing);
        QCOMPARE(audio.lastPlay, playing);

        // Started again, the same kind of late notice of the current play does restart it.
        apis.MusikStarten();
        audio.handlers.last()(audio.lastPlay);
        QCOMPARE(audio.lastPlay, playing + 2);
    }

    void startAfterStopInstallsTheHandlerAgain()
    {
        Fixture f;
        f.apis.MidiDatei = song;
        f.apis.MusikStarten();
        f.apis.MusikStoppen();
        f.apis.MusikStarten();
        QCOMPARE(f.audio.handlerInstalls, 2);
        QVERIFY(f.apis.Umgeleitet);
        f.audio.finishCurrentMusic();
        QCOMPARE(f.audio.count("play "), 3);
    }

    void stopWithoutStartIsHarmless()
    {
        Fixture f;
        f.apis.MusikStoppen();
        f.apis.MusikStoppen();
        QCOMPARE(f.audio.events, QStringList({"stop", "stop"}));
        QCOMPARE(f.audio.handlerInstalls, 0);
        QVERIFY(!f.apis.Umgeleitet);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // --- WavLaden ---

    void wavLadenTrimsOnlyLeadingAndTrailingBlanks_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray zeros("\0\0", 2);
        QTest::newRow("nothing to trim") << QByteArray("RIFFdata") << QByteArray("RIFFdata");
        QTest::newRow("leading blanks") << QByteArray("   RIFF") << QByteArray("RIFF");
        QTest::newRow("trailing blanks") << QByteArray("RIFF    ") << QByteArray("RIFF");
        QTest::newRow("both ends, inner blanks kept") << QByteArray("  R I  F F ") << QByteArray("R I  F F");
        QTest::newRow("zero bytes are no blanks") << QByteArray(" ") + zeros + " x " + zeros + " "
                                                  << zeros + " x " + zeros;
        QTest::newRow("tabs and line ends are no blanks") << QByteArray("\t x \r\n") << QByteArray("\t x \r\n");
        QTest::newRow("high bytes kept") << QByteArray(" \xA0\xFF ") << QByteArray("\xA0\xFF");
        QTest::newRow("one byte") << QByteArray("A") << QByteArray("A");
    }

    void wavLadenTrimsOnlyLeadingAndTrailingBlanks()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath("ton.wav"), content);
        Fixture f;
        f.folders.program = dir.path();

        QCOMPARE(f.apis.WavLaden("ton.wav"), expected);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void wavLadenOfNothingButBlanksGivesAnEmptyImageAndNoBox_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("one blank") << QByteArray(" ");
        QTest::newRow("many blanks") << QByteArray(5000, ' ');
    }

    void wavLadenOfNothingButBlanksGivesAnEmptyImageAndNoBox()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath("leer.wav"), content);
        Fixture f;
        f.folders.program = dir.path();

        const QByteArray image = f.apis.WavLaden("leer.wav");
        QVERIFY(image.isEmpty());
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void wavLadenOfAnUnreadableFileShowsOneErrorBox_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing") << QStringLiteral("fehlt.wav") << QStringLiteral("nicht gefunden");
        QTest::newRow("a folder") << QStringLiteral("ordner.wav") << QStringLiteral("Ordner");
    }

    void wavLadenOfAnUnreadableFileShowsOneErrorBox()
    {
        QFETCH(QString, name);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir("ordner.wav"));
        Fixture f;
        f.folders.program = dir.path();

        const QByteArray image = f.apis.WavLaden(name);
        QVERIFY(image.isEmpty());
        QCOMPARE(f.dialogs.shown.size(), 1);
        const FakeDialogs::Shown &box = f.dialogs.shown.first();
        QCOMPARE(box.kind, FakeDialogs::Shown::Kind::Message);
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.title, QStringLiteral("Fehler"));
        QVERIFY2(box.text.contains(cause), qPrintable(box.text));
        QVERIFY2(box.text.contains(dir.path() + "/" + name), qPrintable(box.text));
        QVERIFY(f.audio.events.isEmpty());
    }

    void programFolderGetsExactlyOneSeparator_data()
    {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("root") << QStringLiteral("/") << QStringLiteral("/");
        QTest::newRow("ending in a separator") << QStringLiteral("/opt/brummo/") << QStringLiteral("/opt/brummo/");
        QTest::newRow("without one") << QStringLiteral("/opt/brummo") << QStringLiteral("/opt/brummo/");
        QTest::newRow("blanks and umlauts") << QStringLiteral("/home/jörg/Mein Spiel") << QStringLiteral("/home/jörg/Mein Spiel/");
    }

    void programFolderGetsExactlyOneSeparator()
    {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        Fixture f;
        f.folders.program = folder;
        QCOMPARE(f.apis.Programmordner(), expected);

        f.apis.WavLaden("brummo-fehlt.wav");
        QCOMPARE(f.dialogs.shown.size(), 1);
        QVERIFY2(f.dialogs.shown.first().text.contains(expected + "brummo-fehlt.wav"),
                 qPrintable(f.dialogs.shown.first().text));
        QVERIFY(!f.dialogs.shown.first().text.contains("//"));
    }

    void wavLadenReadsFromAFolderEndingInASeparator()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath("crap.wav"), "RIFF");
        Fixture f;
        f.folders.program = dir.path() + "/";
        QCOMPARE(f.apis.WavLaden("crap.wav"), QByteArray("RIFF"));
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // --- WavAbspielen ---

    void wavAbspielenWithoutAnImageStopsTheWave()
    {
        Fixture f;
        QVERIFY(!f.apis.WavDaten.has_value());
        f.apis.WavAbspielen();
        QCOMPARE(f.audio.events, QStringList({"wave stop"}));
        QVERIFY(f.audio.waves.isEmpty());
    }

    void wavAbspielenHandsTheImageOverUnchanged_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("blanks and zeros") << QByteArray(" RIFF\0\0 WAVE ", 13);
        QByteArray large(70000, '\0');
        for (int i = 0; i < large.size(); ++i)
            large[i] = static_cast<char>(i * 7);
        QTest::newRow("large") << large;
    }

    void wavAbspielenHandsTheImageOverUnchanged()
    {
        QFETCH(QByteArray, image);
        Fixture f;
        f.apis.WavDaten = image;
        f.apis.WavAbspielen();
        f.apis.WavAbspielen();
        QCOMPARE(f.audio.events, QStringList({QStringLiteral("wave %1").arg(image.size()),
                                              QStringLiteral("wave %1").arg(image.size())}));
        QCOMPARE(f.audio.waves.size(), 2);
        QCOMPARE(f.audio.waves.at(0), image);
        QCOMPARE(f.audio.waves.at(1), image);
        QVERIFY(f.apis.WavDaten.has_value());
        QCOMPARE(*f.apis.WavDaten, image);
    }

    void loadedWaveIsPlayedAsLoaded()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        writeFile(dir.filePath("deadnow.wav"), "  RIFF WAVE  ");
        Fixture f;
        f.folders.program = dir.path();
        f.apis.WavDaten = f.apis.WavLaden("deadnow.wav");
        f.apis.WavAbspielen();
        QCOMPARE(f.audio.waves, QList<QByteArray>({"RIFF WAVE"}));
    }

private:
    static void writeFile(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }
};

QTEST_GUILESS_MAIN(TestApis)
#include "test_apis.moc"
