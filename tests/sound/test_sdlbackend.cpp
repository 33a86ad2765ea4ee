// The real sound device path: SDL_mixer with SDL's disk driver, which writes what would be heard
// into a file as fast as it can. Time here is the amount of sound written, not the clock.

#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "tests/sound/midibytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

constexpr qint64 bytesPerSecond = SdlAudioBackend::sampleRate * 4;
// What SDL may still have mixed before a call took effect and not written yet: a few buffers.
constexpr qint64 settleBytes = 8 * SdlAudioBackend::bufferFrames * 4;
constexpr int patience = 60000;   // milliseconds; only a stuck audio thread ever needs them

qint64 bytesOf(double seconds)
{
    return static_cast<qint64>(seconds * bytesPerSecond) & ~qint64(3);
}

QByteArray readAsset(const QString &name)
{
    QFile file(qEnvironmentVariable("BRUMMO_SOURCE_DIR") + "/assets/" + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Counts queued calls delivered anywhere in the program: the end notice is one.
class QueuedCallCounter : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MetaCall)
            ++count;
        return QObject::eventFilter(watched, event);
    }
    int count = 0;
};

struct Ended {
    AudioBackend::PlayId play;
    bool onUiThread;
    bool afterStartReturned;
};

} // namespace

class TestSdlBackend : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(dir.isValid());
        output = dir.filePath("heard.raw");
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(output));
        qputenv("SDL_DISKAUDIODELAY", "0");
        crap = readAsset("crap.wav");
        QVERIFY2(crap.size() > 10000, "assets/crap.wav not found through BRUMMO_SOURCE_DIR");
        song = qEnvironmentVariable("BRUMMO_SOURCE_DIR") + "/assets/kol.mid";
        QVERIFY(QFile::exists(song));
        shortSong = dir.filePath("kurz.mid");
        writeFile(shortSong, midibytes::chord(120));   // an eighth of a second
    }

    void init()
    {
        ended.clear();
        startReturned = false;
        backend = std::make_unique<SdlAudioBackend>();
        QCOMPARE(backend->driverName(), QStringLiteral("disk"));
        backend->setMusicEndedHandler([this](AudioBackend::PlayId play) {
            ended.append({play, QThread::currentThread() == QCoreApplication::instance()->thread(), startReturned});
        });
        QVERIFY(waitForBytes(settleBytes, false));
        if (!FluidMusic::defaultSoundFont().isEmpty()) {
            // From here on a play starts with the next buffer, so the sound written after a call
            // is what the call did.
            QTRY_VERIFY_WITH_TIMEOUT(backend->musicReady(), patience);
        }
    }

    void cleanup()
    {
        backend.reset();
    }

    void waveIsHeard()
    {
        // The driver runs far ahead of the clock, so only what it writes after the call counts.
        backend->playWave(crap);
        const qint64 from = written();
        QVERIFY(waitForBytes(from + bytesOf(0.8), false));
        QVERIFY(peak(from, bytesOf(0.8)) > 3000);
    }

    void unplayableImagesPlayNothingAndCutTheOldWaveOff_data()
    {
        QTest::addColumn<QByteArray>("image");
        QByteArray header = readAsset("crap.wav").first(44);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("11 bytes") << header.first(11);
        QTest::newRow("43 bytes") << header.first(43);
        QTest::newRow("header without sound") << header;
        QTest::newRow("cut off in the sound") << readAsset("crap.wav").first(20000);
        QByteArray garbage(30000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = static_cast<char>((i * 131) ^ (i >> 3));
        QTest::newRow("garbage") << garbage;
        QTest::newRow("garbage behind a wave header") << header.first(12) + garbage;
        QTest::newRow("not a wave") << QByteArray("OggS") + garbage;
    }

    void unplayableImagesPlayNothingAndCutTheOldWaveOff()
    {
        QFETCH(QByteArray, image);
        backend->playWave(crap);
        qint64 from = written();
        QVERIFY(waitForBytes(from + bytesOf(0.2), false));
        QVERIFY(peak(from, bytesOf(0.2)) > 3000);

        backend->playWave(image);
        from = written() + settleBytes;
        QVERIFY(waitForBytes(from + bytesOf(1.0), false));
        QCOMPARE(peak(from, bytesOf(1.0)), 0);
    }

    void stopWaveSilencesItAndALaterWavePlays()
    {
        backend->playWave(crap);
        qint64 from = written();
        QVERIFY(waitForBytes(from + bytesOf(0.2), false));
        QVERIFY(peak(from, bytesOf(0.2)) > 3000);
        backend->stopWave();
        from = written() + settleBytes;
        QVERIFY(waitForBytes(from + bytesOf(1.0), false));
        QCOMPARE(peak(from, bytesOf(1.0)), 0);

        backend->playWave(crap);
        from = written();
        QVERIFY(waitForBytes(from + bytesOf(0.5), false));
        QVERIFY(peak(from, bytesOf(0.5)) > 3000);
    }

    void musicIsHeardAndStopsAtOnceButNotTheWave()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        backend->playMusic(song);
        qint64 from = written();
        QVERIFY(waitForBytes(from + bytesOf(0.5), false));
        QVERIFY(peak(from, bytesOf(0.5)) > 1000);

        backend->playWave(crap);
        backend->stopMusic();
        from = written() + settleBytes;
        QVERIFY(waitForBytes(from + bytesOf(0.5), false));
        QVERIFY2(peak(from, bytesOf(0.5)) > 3000, "stopping the music stopped the wave too");
        backend->stopWave();
        from = written() + settleBytes;
        QVERIFY(waitForBytes(from + bytesOf(2.0), false));
        QCOMPARE(peak(from, bytesOf(2.0)), 0);
    }

    void endNoticeComesOnTheUiThreadAfterTheStartReturned()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        const AudioBackend::PlayId play = backend->playMusic(shortSong);
        startReturned = true;
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, patience);
        QCOMPARE(ended.at(0).play, play);
        QVERIFY(ended.at(0).onUiThread);
        QVERIFY(ended.at(0).afterStartReturned);

        // once only
        const qint64 from = written();
        QVERIFY(waitForBytes(from + bytesOf(2.0), true));
        QCOMPARE(ended.size(), 1);
    }

    void pathsWithBlanksAndUmlautsWork()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        QVERIFY(QDir(dir.path()).mkpath("Bär und Öl/Fußweg"));
        const QString path = dir.filePath("Bär und Öl/Fußweg/Lied mit Lücke é.mid");
        writeFile(path, midibytes::chord(120));
        const AudioBackend::PlayId play = backend->playMusic(path);
        QTRY_COMPARE_WITH_TIMEOUT(ended.size(), 1, patience);
        QCOMPARE(ended.at(0).play, play);
    }

    void stoppedPlayNeverReportsItsEnd()
    {
        backend->playMusic(shortSong);
        backend->stopMusic();
        const qint64 from = written();
        QVERIFY(waitForBytes(from + bytesOf(3.0), true));
        QVERIFY(ended.isEmpty());
    }

    void noticeAlreadyQueuedIsDroppedAfterAStop()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        backend->playMusic(shortSong);
        // Without the event loop running, the audio thread plays the song to its end and posts
        // the notice, which waits in the queue.
        QVERIFY(waitForBytes(written() + bytesOf(1.0), false));
        backend->stopMusic();

        QueuedCallCounter counter;
        QCoreApplication::instance()->installEventFilter(&counter);
        QCoreApplication::processEvents();
        QCoreApplication::instance()->removeEventFilter(&counter);
        QVERIFY2(counter.count >= 1, "the notice was not queued, so the test proved nothing");
        QVERIFY(ended.isEmpty());
    }

    void noticeAlreadyQueuedIsDroppedAfterANewStart()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        backend->playMusic(shortSong);
        QVERIFY(waitForBytes(written() + bytesOf(1.0), false));
        const AudioBackend::PlayId next = backend->playMusic(song);

        QueuedCallCounter counter;
        QCoreApplication::instance()->installEventFilter(&counter);
        QCoreApplication::processEvents();
        QCoreApplication::instance()->removeEventFilter(&counter);
        QVERIFY2(counter.count >= 1, "the notice was not queued, so the test proved nothing");
        QVERIFY(ended.isEmpty());
        QVERIFY(next > 0);
    }

    void destroyedWhileEverythingPlays()
    {
        backend->playMusic(song);
        backend->playWave(crap);
        QVERIFY(waitForBytes(written() + bytesOf(0.2), false));
        backend.reset();
        backend = std::make_unique<SdlAudioBackend>();
        QCOMPARE(backend->driverName(), QStringLiteral("disk"));
    }

    void destroyedWithANoticeQueued()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        backend->playMusic(shortSong);
        QVERIFY(waitForBytes(written() + bytesOf(1.0), false));
        backend.reset();

        // The queued notice goes with the backend; delivered, it would reach freed memory.
        QueuedCallCounter counter;
        QCoreApplication::instance()->installEventFilter(&counter);
        QCoreApplication::processEvents();
        QCoreApplication::instance()->removeEventFilter(&counter);
        QCOMPARE(counter.count, 0);
        QVERIFY(ended.isEmpty());
    }

    void withoutADeviceItFallsBackToTheSilentDriver()
    {
        backend.reset();
        const QByteArray saved = qgetenv("SDL_AUDIODRIVER");
        qputenv("SDL_AUDIODRIVER", "kein-solcher-treiber");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("keine Tonausgabe"));
        backend = std::make_unique<SdlAudioBackend>();
        qputenv("SDL_AUDIODRIVER", saved);
        QCOMPARE(backend->driverName(), QStringLiteral("dummy"));
        backend->playWave(crap);
        backend->playWave(QByteArray(11, 'x'));
        backend->playMusic(song);
        backend->stopMusic();
        backend->stopWave();
    }

private:
    qint64 written() const { return QFileInfo(output).size(); }

    // Waits until the driver has written up to the given size; optionally lets queued calls run.
    bool waitForBytes(qint64 size, bool runEvents) const
    {
        QElapsedTimer clock;
        clock.start();
        while (QFileInfo(output).size() < size) {
            if (clock.elapsed() > patience)
                return false;
            if (runEvents)
                QCoreApplication::processEvents();
            QThread::usleep(200);
        }
        return true;
    }

    int peak(qint64 from, qint64 bytes) const
    {
        QFile file(output);
        if (!file.open(QIODevice::ReadOnly) || !file.seek(from & ~qint64(1)))
            return -1;
        const QByteArray data = file.read(bytes);
        if (data.size() < bytes)
            return -1;
        int loudest = 0;
        for (qsizetype i = 0; i + 1 < data.size(); i += 2) {
            std::int16_t sample;
            std::memcpy(&sample, data.constData() + i, 2);
            loudest = std::max(loudest, std::abs(static_cast<int>(sample)));
        }
        return loudest;
    }

    static void writeFile(const QString &path, const QByteArray &content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(content), content.size());
    }

    QTemporaryDir dir;
    QString output;
    QByteArray crap;
    QString song;
    QString shortSong;
    std::unique_ptr<SdlAudioBackend> backend;
    QList<Ended> ended;
    bool startReturned = false;
};

QTEST_GUILESS_MAIN(TestSdlBackend)
#include "test_sdlbackend.moc"
