// The game's sound module: music that starts over at its end, and wave files from the program folder.

#include "sound/apis.h"
#include "sound/waveheader.h"
#include "tests/support/wavebytes.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/fakeplatform.h"
#include "tests/support/recordingaudio.h"

#include <QtTest>

#include <functional>
#include <optional>

namespace {

struct Fixture {
    RecordingAudio audio;
    FakeDialogs dialogs;
    FakeFolders folders;
    std::optional<Apis> apis{std::in_place, audio, dialogs, folders};
};

// One thing the game does to its sound, or the device does back.
using Step = std::function<void(Fixture &)>;

void start(Fixture &f) { f.apis->MusikStarten(); }
void stop(Fixture &f) { f.apis->MusikStoppen(); }
void wave(Fixture &f) { f.apis->WavAbspielen(); }
void destroy(Fixture &f) { f.apis.reset(); }

Step song(const QString &file)
{
    return [file](Fixture &f) { f.apis->MidiDatei = file; };
}

// The first n bytes of an image with blanks and zero bytes as WavDaten, prepared by the device.
Step image(int bytes)
{
    return [bytes](Fixture &f) {
        const QByteArray image = QByteArray(" RIFF\0\0 WAVE ", 13).first(bytes);
        f.apis->WavDaten = LoadedWave{image, f.audio.prepareWave(image)};
    };
}

// The device's notice that a play reached its end, of the play started last unless another is
// named; the device sends none for a play that was cut off.
Step end(std::optional<AudioBackend::PlayId> play = std::nullopt)
{
    return [play](Fixture &f) { f.audio.finishMusic(play.value_or(f.audio.lastPlay)); };
}

// Why WavLaden turns a file down.
enum class Refusal { None, Missing, TooLong, TooLarge, Unplayable };

// What its box says, before the path.
QString boxText(Refusal refusal)
{
    switch (refusal) {
    case Refusal::Missing:
        return QStringLiteral("nicht gefunden");
    case Refusal::TooLong:
        return QStringLiteral("Der Klang in dieser Datei dauert zu lange (mehr als 3 Minuten):\n");
    case Refusal::TooLarge:
        return QStringLiteral("Der Klang in dieser Datei ist zu groß zum Abspielen (mehr als 3 Minuten Stereo bei "
                              "48 kHz):\n");
    case Refusal::Unplayable:
        return QStringLiteral("Der Klang in dieser Datei lässt sich nicht abspielen:\n");
    case Refusal::None:
        break;
    }
    return {};
}

} // namespace

Q_DECLARE_METATYPE(QList<Step>)
Q_DECLARE_METATYPE(Refusal)

class TestApis : public QObject {
    Q_OBJECT

private slots:
    void musicAndWaves_data()
    {
        QTest::addColumn<QList<Step>>("steps");
        QTest::addColumn<QList<SoundEvent>>("events");   // what reached the device
        const SoundEvent on = SoundEvent::handlerOn();
        const SoundEvent off = SoundEvent::handlerOff();
        const SoundEvent play = SoundEvent::play(QStringLiteral("kol.mid"));
        const SoundEvent stopped = SoundEvent::stop();
        const auto row = [](const char *tag, const QList<Step> &steps, const QList<SoundEvent> &events) {
            QTest::newRow(tag) << steps << events;
        };
        row("each natural end starts over, with the file named last", {start, end(), song("neu.mid"), end()},
            {on, play, play, SoundEvent::play(QStringLiteral("neu.mid"))});
        row("a start during play restarts, no second handler; the newer play's end starts it over",
            {start, start, end(1), end()}, {on, play, play, play});
        row("a stop: harmless alone; else the restart off till the next start",
            {stop, start, stop, end(), start, end()}, {stopped, on, play, stopped, off, on, play, play});
        row("going, it switches the handler off", {start, destroy}, {on, play, off});
        row("a wave with no image stops; an empty one, blanks and zeros are handed over; music stops alone",
            {wave, image(0), wave, image(13), wave, start, stop},
            {SoundEvent::waveStop(), SoundEvent::wave(0), SoundEvent::wave(13), on, play, stopped, off});
    }

    void musicAndWaves()
    {
        QFETCH(QList<Step>, steps);
        QFETCH(QList<SoundEvent>, events);
        Fixture f;
        f.apis->MidiDatei = QStringLiteral("kol.mid");
        for (const Step &step : steps) {
            step(f);
            if (QTest::currentTestFailed())
                return;
        }
        QCOMPARE(f.audio.events, events);
    }

    void wavLaden_data()
    {
        QTest::addColumn<QByteArray>("content");   // of ton.wav; null: no such file, in the program folder /
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<Refusal>("refusal");
        QTest::addColumn<bool>("deviceRefuses");   // the device cannot play what it is given
        const auto row = [](const char *tag, const QByteArray &content, const QByteArray &image,
                            Refusal refusal = Refusal::None, bool deviceRefuses = false) {
            QTest::newRow(tag) << content << image << refusal << deviceRefuses;
        };
        // At each end, right after the blanks, a byte that some other idea of a blank would take.
        row("both ends trimmed, inner blanks kept; tabs and zeros are no blanks", QByteArray("  \t R I  F F \0 ", 15),
            QByteArray("\t R I  F F \0", 12));
        row("high bytes and line ends are no blanks", QByteArray(" \xA0 x \r\n "), QByteArray("\xA0 x \r\n"));
        row("empty file", QByteArray(""), QByteArray());
        row("empty file, which the device cannot play either: nothing to say", QByteArray(""), QByteArray(),
            Refusal::None, true);
        row("only blanks", QByteArray(5, ' '), QByteArray());
        row("missing, in the program folder /: one separator", QByteArray(), QByteArray(), Refusal::Missing);
        // The length in time, not the file's size, is what a wave costs once decoded.
        using namespace wavebytes;
        const QByteArray threeMinutes = pcm(1, 1, 8, loud(180));
        row("three minutes at 1 Hz, blanks around", "  " + threeMinutes + " ", threeMinutes);
        row("a second more, in 181 bytes", pcm(1, 1, 8, loud(181)), QByteArray(), Refusal::TooLong);
        row("50 minutes in 3 kB", pcm(1, 1, 8, loud(3000)), QByteArray(), Refusal::TooLong);
        const QByteArray stereo = pcm(2, 2, 16, QByteArray(4 * 360, '\x7F'));
        row("three minutes of 16-bit stereo at 2 Hz", stereo, stereo);
        row("4-bit samples (ADPCM): 91 bytes hold 182 of them",
            file(format(1, 1, 4, 0x11), 91, QByteArray(91, '\x77')), QByteArray(), Refusal::TooLong);
        const QByteArray cutOff = file(format(1, 1, 8), 1000000, loud(180));
        row("a data chunk that says more than the file holds", cutOff, cutOff);
        row("an odd chunk before the format, padded to even length",
            file("LIST" + littleEndian(3, 4) + QByteArray("abc\0", 4) + format(1, 1, 8), 181, loud(181)), QByteArray(),
            Refusal::TooLong);
        // Short enough, but decoded at 96 kHz and made stereo: as many samples as three minutes of
        // stereo at 48 kHz, and one more.
        const auto adpcmAt96kHz = [](qsizetype bytes) {
            return file(format(96000, 1, 4, 0x11), static_cast<std::uint32_t>(bytes), QByteArray(bytes, '\x77'));
        };
        const QByteArray mostSamples = adpcmAt96kHz(mostWaveSamples / 2 / 2);
        row("90 s of 4-bit mono at 96 kHz", mostSamples, mostSamples);
        row("a byte more: two frames more", adpcmAt96kHz(mostWaveSamples / 2 / 2 + 1), QByteArray(), Refusal::TooLarge);
        // Refused once, when loaded; playing it later plays nothing and says nothing.
        row("a wave the device cannot play", threeMinutes, QByteArray(), Refusal::Unplayable, true);
    }

    void wavLaden()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, image);
        QFETCH(Refusal, refusal);
        QFETCH(bool, deviceRefuses);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("ton.wav")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        Fixture f;
        f.folders.program = QDir::toNativeSeparators(content.isNull() ? QStringLiteral("/") : dir.path());
        f.audio.refuseWaves = deviceRefuses;

        const LoadedWave loaded = f.apis->WavLaden(QStringLiteral("ton.wav"));
        QCOMPARE(loaded.image, image);
        QCOMPARE(f.dialogs.shown.size(), refusal == Refusal::None ? 0 : 1);
        if (refusal != Refusal::None) {
            const QString &text = f.dialogs.shown.first().text;
            QVERIFY2(text.contains(boxText(refusal)), qPrintable(text));
            const QString separator = QDir::separator();
            QVERIFY2(text.contains(separator + QStringLiteral("ton.wav")) && !text.contains(separator + separator),
                     qPrintable(text));
        }
        // What it hands on, the device has prepared: that very image, so that its play plays it. A
        // wave its header refuses never reaches the device, only the device's own refusal costs
        // a decode.
        QCOMPARE(f.audio.prepared, loaded.image);
        QCOMPARE(bool(loaded.prepared), !deviceRefuses);
        QCOMPARE(f.audio.preparations, refusal == Refusal::Unplayable ? 2 : 1);
    }
};

QTEST_GUILESS_MAIN(TestApis)
#include "test_apis.moc"
