// Sound faults met by the whole game on the real device (SDL_mixer and FluidSynth on SDL's dummy
// driver): whatever is missing or broken, the game shows what it must, stays silent where it
// cannot play, and goes on in virtual time.
#include "sound/waveheader.h"
#include "tests/support/midibytes.h"
#include "tests/support/procstats.h"
#include "tests/support/realsound.h"
#include "tests/support/wavebytes.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include <malloc.h>
#include <sys/stat.h>

namespace {

// What stands under the missing file's name instead.
enum class Instead {
    Nothing, Pipe, LinkToDevZero, GameWaveMadeHuge, WaveOf3000SamplesAt1Hz, AdpcmAt1500kHz, AdpcmWithBrokenLastBlock,
    AdpcmOfNineChannels
};

} // namespace

Q_DECLARE_METATYPE(Instead)

class TestFaultsSound : public QObject {
    Q_OBJECT

    // About half a second of sound: long enough for the music's first notes.
    static constexpr int listenBuffers = 45;

private slots:
    void oneSoundFaultAlone_data()
    {
        QTest::addColumn<QString>("file");         // of the program folder, replaced by the content
        QTest::addColumn<QByteArray>("content");   // null: no such file
        QTest::addColumn<Instead>("instead");
        QTest::addColumn<QByteArray>("driver");    // SDL_AUDIODRIVER, when it names no working device
        QTest::addColumn<QString>("soundFont");
        const auto row = [](const char *tag, const QString &file, const QByteArray &content,
                            Instead instead = Instead::Nothing, const QByteArray &driver = {},
                            const QString &soundFont = FluidMusic::defaultSoundFont()) {
            QTest::newRow(tag) << file << content << instead << driver << soundFont;
        };
        const QByteArray header = midibytes::file({}).first(14);
        QByteArray noise(5000, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>((i * 151) ^ (i >> 2));
        row("kol.mid missing", "kol.mid", {});
        row("crap.wav missing", "crap.wav", {});
        row("deadnow.wav missing", "deadnow.wav", {});
        row("no SoundFont", {}, {}, Instead::Nothing, {}, QStringLiteral("/nonexistent/brummo/none.sf2"));
        row("no sound device: ALSA", {}, {}, Instead::Nothing, "alsa");
        row("no sound device: PulseAudio", {}, {}, Instead::Nothing, "pulseaudio");
        row("no sound device: no such driver", {}, {}, Instead::Nothing, "kein-solcher-treiber");
        row("kol.mid empty", "kol.mid", QByteArray(""));
        row("kol.mid no MIDI at all", "kol.mid", noise);
        row("kol.mid header tag only", "kol.mid", "MThd");
        row("kol.mid header tag, then noise", "kol.mid", "MThd" + noise);
        row("kol.mid track of noise", "kol.mid", header + "MTrk" + midibytes::bigEndian(5000, 4) + noise);
        row("kol.mid cut off in the header", "kol.mid", gameAsset("kol.mid").first(10));
        row("kol.mid track longer than the file", "kol.mid",
            header + "MTrk" + midibytes::bigEndian(1000000, 4) + QByteArray("\x00\x90\x3c\x40", 4));
        // Ends where it begins: it would "end" in every buffer and be started over endlessly.
        row("kol.mid lasts no time", "kol.mid", midibytes::file({}));
        row("kol.mid larger than any MIDI file", "kol.mid", header + QByteArray(17 * 1024 * 1024, '\0'));
        // Neither may wait on a writer or read without end.
        row("kol.mid a pipe", "kol.mid", {}, Instead::Pipe);
        row("crap.wav a pipe", "crap.wav", {}, Instead::Pipe);
        row("kol.mid links to /dev/zero", "kol.mid", {}, Instead::LinkToDevZero);
        row("crap.wav links to /dev/zero", "crap.wav", {}, Instead::LinkToDevZero);
        row("crap.wav past the bound of a wave", "crap.wav", {}, Instead::GameWaveMadeHuge);
        // 3 kB, but 50 minutes long: 529 MB once decoded for the device.
        row("crap.wav 3000 samples at 1 Hz", "crap.wav", {}, Instead::WaveOf3000SamplesAt1Hz);
        // Under three minutes in 128 MiB, but 268 million samples: gigabytes and seconds to decode.
        row("crap.wav mono MS-ADPCM at 1.5 MHz", "crap.wav", {}, Instead::AdpcmAt1500kHz);
        // What SDL finds wrong only once it decoded all of it, or could not convert: said once.
        row("crap.wav MS-ADPCM, its last block broken", "crap.wav", {}, Instead::AdpcmWithBrokenLastBlock);
        row("crap.wav IMA-ADPCM of nine channels", "crap.wav", {}, Instead::AdpcmOfNineChannels);
    }

    // One game played to its won end: only the broken file's own sound is missing, only a wave
    // file that cannot be loaded or played is worth a box, once, nothing else is said, and the game
    // goes on in virtual time.
    void oneSoundFaultAlone()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, content);
        QFETCH(Instead, instead);
        QFETCH(QByteArray, driver);
        QFETCH(QString, soundFont);
        const auto restore = qScopeGuard([] { qputenv("SDL_AUDIODRIVER", "dummy"); });
        if (!driver.isEmpty()) {
            // ALSA and PulseAudio bring their own notes on stderr; ours is the one that matters, once.
            qputenv("SDL_AUDIODRIVER", driver);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("keine Tonausgabe")));
        }
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        RealSoundGame g(soundFont);
        if (g.device.driverName() == QString::fromLatin1(driver))
            QSKIP("this machine has a working sound device for the driver");
        QCOMPARE(g.device.driverName(), QStringLiteral("dummy"));
        const QString path = g.programFile(file);
        if (instead == Instead::GameWaveMadeHuge)   // sparse: it costs no disk
            QVERIFY(QFile::resize(path, Apis::largestWaveImage + 1));
        else if (!file.isEmpty() && content.isNull())
            QVERIFY(QFile::remove(path));
        else if (!file.isEmpty())
            writeFile(path, content);
        if (instead == Instead::WaveOf3000SamplesAt1Hz)
            writeFile(path, wavebytes::pcm(1, 1, 8, wavebytes::loud(3000)));
        if (instead == Instead::AdpcmAt1500kHz) {
            const std::uint32_t soundBytes = Apis::largestWaveImage - 100;
            const QByteArray header = wavebytes::file(wavebytes::adpcmFormat(1500000, 1, 2, 1024), soundBytes);
            writeFile(path, header);
            QVERIFY(QFile::resize(path, header.size() + soundBytes));   // sparse blocks of zeros: valid ones
        }
        if (instead == Instead::AdpcmWithBrokenLastBlock) {
            QByteArray wave = wavebytes::adpcm(2, 44100, 1, 100);
            wave[wave.size() - 1024] = '\x7f';   // a predictor no coefficient pair stands for
            writeFile(path, wave);
        }
        if (instead == Instead::AdpcmOfNineChannels)
            writeFile(path, wavebytes::adpcm(0x11, 44100, 9, 100));
        if (instead == Instead::Pipe)
            QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (instead == Instead::LinkToDevZero)
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        const bool musicBroken = file == u"kol.mid" || !g.soundFontPresent;

        g.window->cmdStart_Click();
        // On the dummy device everything plays as on a real one, only nobody hears it.
        if (g.waitForMusic() || musicBroken) {
            const int loudest = g.meter.loudestOver(listenBuffers);   // -1: the device stalled
            QVERIFY2(musicBroken ? loudest == 0 : loudest > 1000, qPrintable(QString::number(loudest)));
        }
        g.scoreToWin();
        g.clock.advance(70000);
        QCOMPARE(g.window->lblZeit->text(), QStringLiteral("10"));
        QCOMPARE(RealSoundGame::wavePlaying(), file != u"crap.wav");
        g.clock.advance(11000);
        QVERIFY(!g.window->imgWinner->isHidden());
        QCOMPARE(RealSoundGame::wavePlaying(), file != u"deadnow.wav");
        // Music that cannot play never ends either: it must not be started over and over.
        QCOMPARE(g.audio.musicStarts, 1);
        QCOMPARE(g.device.musicReady(), g.soundFontPresent);

        for (const FakeDialogs::Shown &box : g.dialogs.shown)
            QVERIFY(box.title == u"Fehler" && box.icon == Dialogs::Icon::Critical);
        const QStringList named = g.dialogs.texts().replaceInStrings(QRegularExpression("(?s).*/"), {});
        QCOMPARE(named, content.isNull() && file.endsWith(u".wav") ? QStringList{file} : QStringList{});

        if (musicBroken && g.soundFontPresent) {
            // The synthesiser is none the worse: mended, the next game's music plays.
            QFile::remove(g.programFile("kol.mid"));  // a pipe would wait for a reader
            writeFile(g.programFile("kol.mid"), gameAsset("kol.mid"));
            g.window->cmdStart_Click();
            QVERIFY(g.meter.loudestOver(listenBuffers) > 1000);
        }
    }

    void aWaveOfThreeMinutesIsPlayedAndReleased()
    {
        // The longest a wave may play, in the device's own format (PCM, 16-bit stereo at 44100 Hz),
        // so the decoded copy is no larger than the image: 31.8 MB.
        constexpr quint32 soundBytes = longestWaveSeconds * 44100 * 4;
        // Blocks this large come straight from the kernel and go back to it when freed, unless glibc
        // raises its threshold for that after the first such free (up to 32 MiB, just above these):
        // then the next ones stay in its heap, and resident memory would tell nothing.
        mallopt(M_MMAP_THRESHOLD, 128 * 1024);
        RealSoundGame g;
        const QByteArray header = wavebytes::file(wavebytes::format(44100, 2, 16), soundBytes);
        writeFile(g.programFile("crap.wav"), header);
        // Sparse: the silence costs no disk, but WavLaden reads it all.
        QVERIFY(QFile::resize(g.programFile("crap.wav"), header.size() + soundBytes));
        const qint64 before = procstats::residentBytes();
        for (int game = 0; game < 2; ++game) {
            g.window->cmdStart_Click();
            QCOMPARE(g.sound.WavDaten->image.size(), qsizetype(44) + soundBytes);
            g.clock.advance(70000);
            QVERIFY(RealSoundGame::wavePlaying());
            const qint64 playing = procstats::residentBytes();
            g.scoreToWin();
            g.clock.advance(11000);
            QVERIFY(!g.window->imgWinner->isHidden());
            QCOMPARE(g.sound.WavDaten->image.size(), gameAsset("deadnow.wav").size());
            QVERIFY(RealSoundGame::wavePlaying());
            if (!procstats::underAddressSanitizer) {
                // The image and its decoded copy were both held, and both are given back.
                QCOMPARE_GT(playing - before, 2 * qint64(soundBytes) * 9 / 10);
                QCOMPARE_LT(procstats::residentBytes() - before, soundBytes / 2);
            }
        }
        QVERIFY(g.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestFaultsSound)
#include "test_faults_sound.moc"
