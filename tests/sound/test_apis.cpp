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

struct Fixture {
    RecordingAudio audio;
    FakeDialogs dialogs;
    FakeFolders folders;
    std::optional<Apis> apis{std::in_place, audio, dialogs, folders};
};

} // namespace

class TestApis : public QObject {
    Q_OBJECT

private slots:
    void musicAndWaves_data()
    {
        // start, stop, song <file>, end [<play>], destroy, wave; image [<n>]: the first n bytes of
        // one with blanks and zero bytes, none for an empty one
        QTest::addColumn<QStringList>("steps");
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
        row("a wave before any image stops the wave", {"wave"}, {"wave stop"});
        row("an empty image is handed over", {"image", "wave"}, {"wave 0"});
        row("blanks and zeros stay, and stopping the music leaves the wave", {"image 13", "wave", "start", "stop"},
            {"wave 13", on, play, stop, off});
    }

    void musicAndWaves()
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
            } else if (step.startsWith(u"image")) {
                f.apis->WavDaten = QByteArray(" RIFF\0\0 WAVE ", 13).first(argument.toInt());
            } else if (step == u"wave") {
                f.apis->WavAbspielen();
            } else {
                // Through the handler given last, as a device does that queued the notice before
                // the handler was switched off.
                QVERIFY(f.audio.lastHandler);
                f.audio.lastHandler(argument.isEmpty() ? f.audio.lastPlay : argument.toULongLong());
            }
        }
        QCOMPARE(f.audio.events, events);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void wavLaden_data()
    {
        QTest::addColumn<QString>("folder");      // the program folder; empty: a scratch folder
        QTest::addColumn<QString>("name");        // there, ton.wav holds the content, ordner.wav is a folder
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("cause");       // named by the one error box; empty: no box
        const auto loads = [](const char *tag, const QByteArray &content, const QByteArray &image) {
            QTest::newRow(tag) << QString() << QStringLiteral("ton.wav") << content << image << QString();
        };
        const auto fails = [](const char *tag, const QString &folder, const QString &name, const QString &cause) {
            QTest::newRow(tag) << folder << name << QByteArray() << QByteArray() << cause;
        };
        const QByteArray zeros("\0\0", 2);
        loads("both ends trimmed, inner blanks kept", "  R I  F F ", "R I  F F");
        loads("zero bytes are no blanks", " " + zeros + " x " + zeros + " ", zeros + " x " + zeros);
        loads("tabs and line ends are no blanks", "\t x \r\n", "\t x \r\n");
        loads("high bytes are no blanks", " \xA0\xFF ", "\xA0\xFF");
        loads("empty file", QByteArray(), QByteArray());
        loads("only blanks", QByteArray(5, ' '), QByteArray());
        fails("missing file", {}, "fehlt.wav", "nicht gefunden");
        fails("a folder", {}, "ordner.wav", "Ordner");
        fails("program folder /: one separator", "/", "brummo-fehlt.wav", "nicht gefunden");
    }

    void wavLaden()
    {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, image);
        QFETCH(QString, cause);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("ordner.wav")));
        QFile file(dir.filePath(QStringLiteral("ton.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        Fixture f;
        f.folders.program = folder.isEmpty() ? dir.path() : folder;

        QCOMPARE(f.apis->WavLaden(name), image);
        QCOMPARE(f.dialogs.shown.size(), cause.isEmpty() ? 0 : 1);
        if (cause.isEmpty())
            return;
        const FakeDialogs::Shown &box = f.dialogs.shown.first();
        QCOMPARE(box.icon, Dialogs::Icon::Critical);
        QCOMPARE(box.title, QStringLiteral("Fehler"));
        QVERIFY2(box.text.contains(cause), qPrintable(box.text));
        QVERIFY2(box.text.contains(QDir(f.folders.program).filePath(name)), qPrintable(box.text));
        QVERIFY2(!box.text.contains(QStringLiteral("//")), qPrintable(box.text));
    }
};

QTEST_GUILESS_MAIN(TestApis)
#include "test_apis.moc"
