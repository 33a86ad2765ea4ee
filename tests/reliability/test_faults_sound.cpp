// Sound faults met by the whole game on the real device (SDL_mixer and FluidSynth on SDL's dummy
// driver): whatever is missing or broken, the game shows what it must, stays silent where it
// cannot play, and goes on in virtual time.
#include "tests/reliability/procstats.h"
#include "tests/reliability/realsound.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

namespace {

// About half a second of sound: long enough for the music's first notes.
constexpr int listenBuffers = 45;

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray bigEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

QByteArray littleEndian(quint32 value, int bytes)
{
    QByteArray out;
    for (int i = 0; i < bytes; ++i)
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    return out;
}

// A wave file of 16-bit stereo at 44100 Hz whose sound is `dataBytes` of silence.
QByteArray silentWave(quint32 dataBytes)
{
    QByteArray image = "RIFF" + littleEndian(36 + dataBytes, 4) + "WAVEfmt " + littleEndian(16, 4)
        + littleEndian(1, 2) + littleEndian(2, 2) + littleEndian(44100, 4) + littleEndian(44100 * 4, 4)
        + littleEndian(4, 2) + littleEndian(16, 2) + "data" + littleEndian(dataBytes, 4);
    image.resize(image.size() + dataBytes, '\0');
    return image;
}

} // namespace

class TestFaultsSound : public QObject {
    Q_OBJECT

private:
    // Plays one game to its won end and checks, at each step, what is heard and shown.
    static void playWonGame(RealSoundGame &g, bool musicHeard, bool warningPlays, bool winnerPlays)
    {
        g.window->cmdStart_Click();
        const qsizetype boxesAtStart = g.dialogs.shown.size();
        if (g.waitForMusic() || !musicHeard) {
            const int loudest = g.meter.loudestOver(listenBuffers);
            QVERIFY2(loudest >= 0, "the device stalled");
            QVERIFY2(musicHeard ? loudest > 1000 : loudest == 0, qPrintable(QString::number(loudest)));
        }
        // Music that cannot play never ends either: it must not be started over and over.
        QCOMPARE(g.audio.musicStarts, 1);

        g.scoreToWin();
        g.clock.advance(70000);
        QCOMPARE(g.text("lblZeit"), QStringLiteral("10"));
        QCOMPARE(RealSoundGame::wavePlaying(), warningPlays);

        g.clock.advance(11000);
        QCOMPARE(g.text("lblZeit"), QStringLiteral("0"));
        QVERIFY(!g.label("imgWinner")->isHidden());
        QCOMPARE(RealSoundGame::wavePlaying(), winnerPlays);
        QCOMPARE(g.audio.musicStarts, 1);
        QVERIFY(g.dialogs.shown.size() >= boxesAtStart);
    }

    static void checkErrorBoxes(const RealSoundGame &g, const QStringList &expectedFiles)
    {
        QStringList named;
        for (const FakeDialogs::Shown &box : g.dialogs.shown) {
            QCOMPARE(box.title, QStringLiteral("Fehler"));
            QCOMPARE(box.icon, Dialogs::Icon::Critical);
            named.append(box.text.section(QLatin1Char('/'), -1));
        }
        QCOMPARE(named, expectedFiles);
    }

private slots:
    void eachMissingSoundFileAlone_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<bool>("musicHeard");
        QTest::addColumn<bool>("warningPlays");
        QTest::addColumn<bool>("winnerPlays");
        QTest::addColumn<QStringList>("boxes");    // the files named by error boxes, in order
        QTest::newRow("kol.mid") << "kol.mid" << false << true << true << QStringList{};
        QTest::newRow("crap.wav") << "crap.wav" << true << false << true << QStringList{"crap.wav"};
        QTest::newRow("deadnow.wav") << "deadnow.wav" << true << true << false << QStringList{"deadnow.wav"};
    }

    void eachMissingSoundFileAlone()
    {
        QFETCH(QString, missing);
        QFETCH(bool, musicHeard);
        QFETCH(bool, warningPlays);
        QFETCH(bool, winnerPlays);
        QFETCH(QStringList, boxes);
        RealSoundGame g;
        QVERIFY(QFile::remove(g.programFile(missing)));
        playWonGame(g, musicHeard, warningPlays, winnerPlays);
        checkErrorBoxes(g, boxes);
    }

    void aCorruptMusicFileIsSilentAndNotRestarted_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray header = "MThd" + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(480, 2);
        QByteArray noise(5000, '\0');
        for (int i = 0; i < noise.size(); ++i)
            noise[i] = static_cast<char>((i * 151) ^ (i >> 2));
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("no MIDI at all") << noise;
        QTest::newRow("header, then noise") << header + "MTrk" + bigEndian(5000, 4) + noise;
        QTest::newRow("cut off in the header") << gameAsset("kol.mid").first(10);
        QTest::newRow("track longer than the file") << header + "MTrk" + bigEndian(1000000, 4) + QByteArray("\x00\x90\x3c\x40", 4);
        // Ends where it begins: it would "end" in every buffer and be started over endlessly.
        QTest::newRow("lasts no time") << header + "MTrk" + bigEndian(4, 4) + QByteArray("\x00\xff\x2f\x00", 4);
        QTest::newRow("larger than any MIDI file") << header + QByteArray(17 * 1024 * 1024, '\0');
    }

    void aCorruptMusicFileIsSilentAndNotRestarted()
    {
        QFETCH(QByteArray, content);
        RealSoundGame g;
        writeFile(g.programFile("kol.mid"), content);
        playWonGame(g, false, true, true);
        checkErrorBoxes(g, {});
    }

    void withoutTheSoundFontOnlyTheMusicIsMissing()
    {
        QTemporaryDir elsewhere;
        RealSoundGame g(elsewhere.filePath(QStringLiteral("gibt-es-nicht.sf2")));
        playWonGame(g, false, true, true);
        QVERIFY(!g.device.musicReady());
        checkErrorBoxes(g, {});
    }

    void withoutASoundDeviceTheGamePlaysSilently_data()
    {
        QTest::addColumn<QByteArray>("driver");
        QTest::newRow("ALSA") << QByteArray("alsa");
        QTest::newRow("PulseAudio") << QByteArray("pulseaudio");
        QTest::newRow("no such driver") << QByteArray("kein-solcher-treiber");
    }

    void withoutASoundDeviceTheGamePlaysSilently()
    {
        QFETCH(QByteArray, driver);
        const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
        const auto restore = qScopeGuard([&] { qputenv("SDL_AUDIODRIVER", saved); });
        qputenv("SDL_AUDIODRIVER", driver);
        // ALSA and PulseAudio bring their own notes on stderr; ours is the one that matters.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("keine Tonausgabe")));
        RealSoundGame g;
        if (g.device.driverName() != QStringLiteral("dummy"))
            QSKIP("this machine has a working sound device for the driver");
        // On the stand-in device everything plays as it would, only nobody hears it.
        playWonGame(g, true, true, true);
        checkErrorBoxes(g, {});
    }

    void waveFilesThatCannotPlayLeaveTheGameGoing_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray crap = gameAsset("crap.wav");
        QTest::newRow("0 bytes") << QByteArray();
        QTest::newRow("11 bytes") << crap.first(11);
        QTest::newRow("43 bytes") << crap.first(43);
        QTest::newRow("header only") << crap.first(44);
        QTest::newRow("cut off in the sound") << crap.first(crap.size() / 2);
        QTest::newRow("only blanks") << QByteArray(3000, ' ');
    }

    void waveFilesThatCannotPlayLeaveTheGameGoing()
    {
        QFETCH(QByteArray, content);
        RealSoundGame g;
        writeFile(g.programFile("crap.wav"), content);
        g.window->cmdStart_Click();
        g.clock.advance(70000);
        QCOMPARE(g.text("lblZeit"), QStringLiteral("10"));
        QCOMPARE(g.audio.waveSizes.size(), 1);
        QVERIFY(!RealSoundGame::wavePlaying());
        g.scoreToWin();
        g.clock.advance(11000);
        QVERIFY(!g.label("imgWinner")->isHidden());
        QVERIFY(RealSoundGame::wavePlaying());
        checkErrorBoxes(g, {});
    }

    void aHundredMegabyteWaveIsPlayedAndReleased()
    {
        constexpr quint32 soundBytes = 100 * 1024 * 1024;
        RealSoundGame g;
        {
            QFile file(g.programFile("crap.wav"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            const QByteArray header = silentWave(0).first(40) + littleEndian(soundBytes, 4);
            QCOMPARE(file.write(header), header.size());
            // Sparse: the silence costs no disk, but WavLaden reads it all.
            QVERIFY(file.resize(header.size() + soundBytes));
        }
        const qint64 before = procstats::residentBytes();
        for (int game = 0; game < 2; ++game) {
            g.window->cmdStart_Click();
            QCOMPARE(g.sound.WavDaten->size(), qsizetype(44) + soundBytes);
            g.clock.advance(70000);
            QVERIFY(RealSoundGame::wavePlaying());
            const qint64 playing = procstats::residentBytes();
            g.scoreToWin();
            g.clock.advance(11000);
            QVERIFY(!g.label("imgWinner")->isHidden());
            QCOMPARE(g.sound.WavDaten->size(), gameAsset("deadnow.wav").size());
            const qint64 after = procstats::residentBytes();
            qInfo("game %d: resident %.1f MB before, %.1f MB while the 100 MB wave plays, %.1f MB after",
                  game + 1, procstats::megabytes(before), procstats::megabytes(playing), procstats::megabytes(after));
            if (!procstats::underAddressSanitizer) {
                // The image and SDL's decoded copy were both held, and both are given back.
                QVERIFY(playing - before > 2 * qint64(soundBytes) * 9 / 10);
                QVERIFY2(after - before < 32 * 1024 * 1024, "the large wave was not released");
            }
        }
        QCOMPARE(g.audio.waveSizes.size(), 4);
        checkErrorBoxes(g, {});
    }
};

QTEST_MAIN(TestFaultsSound)
#include "test_faults_sound.moc"
