// The real sound device under load: a thousand starts and stops of the music and a thousand wave
// sounds through SDL_mixer and FluidSynth on SDL's dummy driver leave no file descriptor, thread
// or memory behind. LeakSanitizer checks the memory in the sanitizer build; here, resident memory.
#include "tests/reliability/procstats.h"
#include "tests/reliability/realsound.h"

#include <QDir>
#include <QTest>

#include <memory>

namespace {

int threads()
{
    return static_cast<int>(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

struct Usage {
    int descriptors = procstats::openFileDescriptors();
    int threadCount = threads();
    qint64 resident = procstats::residentBytes();
};

void report(const char *what, const Usage &before, const Usage &after)
{
    qInfo("%s: descriptors %d -> %d, threads %d -> %d, resident %.1f MB -> %.1f MB", what, before.descriptors,
          after.descriptors, before.threadCount, after.threadCount, procstats::megabytes(before.resident),
          procstats::megabytes(after.resident));
}

} // namespace

class TestBackendSoak : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QCOMPARE(qgetenv("SDL_AUDIODRIVER"), QByteArray("dummy"));
        song = QDir(qEnvironmentVariable("BRUMMO_SOURCE_DIR")).filePath(QStringLiteral("assets/kol.mid"));
        QVERIFY(QFile::exists(song));
    }

    void aThousandMusicStartsAndStops()
    {
        const Usage beforeDevice;
        {
            auto device = std::make_unique<SdlAudioBackend>();
            QCOMPARE(device->driverName(), QStringLiteral("dummy"));
            MixMeter meter;
            if (!FluidMusic::defaultSoundFont().isEmpty())
                QVERIFY(QTest::qWaitFor([&] { return device->musicReady(); }, 60000));
            // One round first: whatever SDL and FluidSynth set up once is not a leak.
            device->playMusic(song);
            QVERIFY(meter.waitForBuffers(2));
            device->stopMusic();
            QVERIFY(meter.waitForBuffers(2));
            const Usage before;

            for (int round = 0; round < 1000; ++round) {
                device->playMusic(song);
                // The audio thread takes a request at the start of the next buffer it mixes, and
                // builds a player for it. Only a start posted while a buffer is already past that
                // point waits a buffer longer, and is then replaced by the stop unplayed.
                QVERIFY(meter.waitForBuffers(1));
                device->stopMusic();
                // Mostly the next start replaces the stop before the audio thread sees it, which
                // cuts the play off there; every tenth stop is let through on its own.
                if (round % 10 == 0)
                    QVERIFY(meter.waitForBuffers(2));
            }
            QVERIFY(meter.waitForBuffers(2));
            const Usage after;
            report("1000 music starts and stops", before, after);
            if (device->musicReady()) {
                // And the music still plays.
                device->playMusic(song);
                QVERIFY(meter.loudestOver(40) > 1000);
                device->stopMusic();
            }
            QCOMPARE(after.descriptors, before.descriptors);
            QVERIFY(after.threadCount <= before.threadCount);
            if (!procstats::underAddressSanitizer)
                QVERIFY(after.resident - before.resident < 2 * 1024 * 1024);
        }
        const Usage afterDevice;
        report("device opened and closed", beforeDevice, afterDevice);
        QCOMPARE(afterDevice.descriptors, beforeDevice.descriptors);
    }

    void aThousandWaveSounds()
    {
        const Usage beforeDevice;
        {
            SdlAudioBackend device(QString{});
            QCOMPARE(device.driverName(), QStringLiteral("dummy"));
            const QByteArray crap = gameAsset(QStringLiteral("crap.wav"));
            const QByteArray deadnow = gameAsset(QStringLiteral("deadnow.wav"));
            // A few rounds first: the allocator settles into the sizes of the two sounds.
            for (int round = 0; round < 20; ++round)
                device.playWave(round % 2 ? crap : deadnow);
            const Usage before;
            for (int round = 0; round < 1000; ++round) {
                // Good sounds, one cutting the other off, and now and then one that cannot play.
                device.playWave(round % 2 ? crap : deadnow);
                QVERIFY(RealSoundGame::wavePlaying());
                if (round % 50 == 0) {
                    device.playWave(crap.first(43));
                    QVERIFY(!RealSoundGame::wavePlaying());
                    device.stopWave();
                }
            }
            device.stopWave();
            QVERIFY(!RealSoundGame::wavePlaying());
            const Usage after;
            report("1000 wave sounds", before, after);
            QCOMPARE(after.descriptors, before.descriptors);
            QVERIFY(after.threadCount <= before.threadCount);
            if (!procstats::underAddressSanitizer)
                QVERIFY(after.resident - before.resident < 2 * 1024 * 1024);
        }
        const Usage afterDevice;
        report("device opened and closed", beforeDevice, afterDevice);
        QCOMPARE(afterDevice.descriptors, beforeDevice.descriptors);
    }

private:
    QString song;
};

QTEST_GUILESS_MAIN(TestBackendSoak)
#include "test_backend_soak.moc"
