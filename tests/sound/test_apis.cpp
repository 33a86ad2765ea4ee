// The game's sound module: music that starts over at its end, and wave files from the program folder.

#include "sound/apis.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/recordingaudio.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

namespace {

// Records through RecordingAudio and keeps every end handler it is given, so a test can deliver a
// notice the way a device would that had queued it before the handler was switched off.
class KeepingAudio final : public AudioBackend {
public:
    PlayId playMusic(const QString &path) override { return recording.playMusic(path); }
    void stopMusic() override { recording.stopMusic(); }
    void setMusicEndedHandler(MusicEndedHandler handler) override
    {
        if (handler)
            handlers.append(handler);
        recording.setMusicEndedHandler(std::move(handler));
    }
    void playWave(const QByteArray &image) override { recording.playWave(image); }
    void stopWave() override { recording.stopWave(); }

    RecordingAudio recording;
    QList<MusicEndedHandler> handlers;
};

struct Fixture {
    KeepingAudio audio;
    FakeDialogs dialogs;
    FakeFolders folders;
    std::optional<Apis> apis{std::in_place, audio, dialogs, folders};
};

} // namespace

class TestApis : public QObject {
    Q_OBJECT

private slots:
    void music_data()
    {
        QTest::addColumn<QStringList>("steps");    // start, stop, song <file>, end [<play>], destroy
        QTest::addColumn<QStringList>("events");   // what reached the device
        const QString on = QStringLiteral("handler on");
        const QString off = QStringLiteral("handler off");
        const QString play = QStringLiteral("play kol.mid");
        const QString stop = QStringLiteral("stop");
        const auto row = [](const char *tag, const QStringList &steps, const QStringList &events) {
            QTest::newRow(tag) << steps << events;
        };
        row("the first start installs the handler, once", {"start", "start"}, {on, play, play});
        row("a natural end starts over", {"start", "end", "end"}, {on, play, play, play});
        row("the restart plays the file named last", {"start", "song neu.mid", "end"}, {on, play, "play neu.mid"});
        row("a start during play restarts once; the cut-off play's notice restarts nothing",
            {"start", "start", "end 1", "end"}, {on, play, play, play});
        row("a stop switches the restart off; a queued notice restarts nothing", {"start", "stop", "end"},
            {on, play, stop, off});
        row("a start after a stop restarts again", {"start", "stop", "start", "end"},
            {on, play, stop, off, on, play, play});
        row("a stop without a start is harmless", {"stop", "stop"}, {stop, stop});
        row("going, it switches the handler off", {"start", "destroy"}, {on, play, off});
    }

    void music()
    {
        QFETCH(QStringList, steps);
        QFETCH(QStringList, events);
        Fixture f;
        f.apis->MidiDatei = QStringLiteral("kol.mid");
        for (const QString &step : steps) {
            const QString argument = step.section(u' ', 1);
            if (step == u"start") {
                f.apis->MusikStarten();
            } else if (step == u"stop") {
                f.apis->MusikStoppen();
            } else if (step.startsWith(u"song")) {
                f.apis->MidiDatei = argument;
            } else if (step == u"destroy") {
                f.apis.reset();
            } else {
                QVERIFY(!f.audio.handlers.isEmpty());
                f.audio.handlers.last()(argument.isEmpty() ? f.audio.recording.lastPlay : argument.toULongLong());
            }
        }
        QCOMPARE(f.audio.recording.events, events);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void wavLaden_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("image");
        const QByteArray zeros("\0\0", 2);
        QTest::newRow("both ends trimmed, inner blanks kept") << QByteArray("  R I  F F ") << QByteArray("R I  F F");
        QTest::newRow("zero bytes are no blanks") << " " + zeros + " x " + zeros + " " << zeros + " x " + zeros;
        QTest::newRow("tabs and line ends are no blanks") << QByteArray("\t x \r\n") << QByteArray("\t x \r\n");
        QTest::newRow("high bytes are no blanks") << QByteArray(" \xA0\xFF ") << QByteArray("\xA0\xFF");
        QTest::newRow("empty file") << QByteArray() << QByteArray();
        QTest::newRow("only blanks") << QByteArray(5, ' ') << QByteArray();
    }

    void wavLaden()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, image);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("ton.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
        file.close();
        Fixture f;
        f.folders.program = dir.path();

        QCOMPARE(f.apis->WavLaden(QStringLiteral("ton.wav")), image);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void wavLadenFailure_data()
    {
        QTest::addColumn<QString>("folder");   // empty: a scratch folder holding a folder ordner.wav
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cause");
        QTest::newRow("missing file") << QString() << "fehlt.wav" << "nicht gefunden";
        QTest::newRow("a folder") << QString() << "ordner.wav" << "Ordner";
        QTest::newRow("program folder /: one separator") << "/" << "brummo-fehlt.wav" << "nicht gefunden";
    }

    void wavLadenFailure()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.wav")));
        Fixture f;
        f.folders.program = folder.isEmpty() ? dir.path() : folder;

        QVERIFY(f.apis->WavLaden(name).isEmpty());
        QCOMPARE(f.dialogs.shown.size(), 1);
        const FakeDialogs::Shown &box = f.dialogs.shown.first();
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.title, QStringLiteral("Fehler"));
        QVERIFY2(box.text.contains(cause), qPrintable(box.text));
        QVERIFY2(box.text.contains(QDir(f.folders.program).filePath(name)), qPrintable(box.text));
        QVERIFY2(!box.text.contains(QStringLiteral("//")), qPrintable(box.text));
    }

    void wavAbspielen_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("no image stops the wave") << false << QByteArray() << QStringList{"wave stop"};
        QTest::newRow("an empty image is handed over") << true << QByteArray() << QStringList{"wave 0"};
        QTest::newRow("blanks and zeros stay") << true << QByteArray(" RIFF\0\0 WAVE ", 13) << QStringList{"wave 13"};
    }

    void wavAbspielen()
    {
        QFETCH(bool, loaded);
        QFETCH(QByteArray, image);
        QFETCH(QStringList, events);
        Fixture f;
        if (loaded)
            f.apis->WavDaten = image;

        f.apis->WavAbspielen();

        QCOMPARE(f.audio.recording.events, events);
        QCOMPARE(f.audio.recording.waves, loaded ? QList<QByteArray>{image} : QList<QByteArray>());
        QVERIFY2(f.apis->WavDaten == (loaded ? std::optional(image) : std::nullopt), "the image stays as it was");
    }
};

QTEST_GUILESS_MAIN(TestApis)
#include "test_apis.moc"
