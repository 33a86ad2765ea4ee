// The real sound device under load: a thousand starts and stops of the music and a thousand wave
// sounds through SDL_mixer and FluidSynth on SDL's dummy driver leave no file descriptor, thread
// or memory behind. LeakSanitizer checks the memory in the sanitizer build; here, resident memory
// and SDL's own count of what it has allocated.
#include "tests/support/procstats.h"
#include "tests/support/realsound.h"

#include <QDir>
#include <QTest>

#include <SDL.h>

namespace {

struct Usage {
    int descriptors = static_cast<int>(
        QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::Files | QDir::System).size());
    int threads = static_cast<int>(
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
    int sdlAllocations = SDL_GetNumAllocations();
    qint64 resident = procstats::residentBytes();
};

} // namespace

class TestBackendSoak : public QObject {
    Q_OBJECT

private slots:
    void aThousandMusicStartsAndStopsAndWaveSounds()
    {
        const QString song = gameAssetPath(QStringLiteral("kol.mid"));
        const QByteArray crap = gameAsset(QStringLiteral("crap.wav"));
        const QByteArray deadnow = gameAsset(QStringLiteral("deadnow.wav"));
        const Usage beforeDevice;
        {
            RealSound real(FluidMusic::defaultSoundFont());
            SdlAudioBackend &device = real.device;
            QCOMPARE(device.driverName(), QStringLiteral("dummy"));
            QVERIFY(real.waitForMusic() || !real.soundFontPresent);
            Usage before;
            // The first rounds set up what SDL, FluidSynth and the allocator keep for good: no leak.
            for (int round = -20; round < 1000; ++round) {
                if (round == 0)
                    before = Usage();
                device.playMusic(song);
                // Good sounds, each decoded anew, one cutting the other off, and now and then one
                // too short to be handed to SDL_mixer at all, or a stop; the next sound plays all
                // the same.
                device.playWave(device.prepareWave(round % 2 ? crap : deadnow));
                QVERIFY(RealSoundGame::wavePlaying());
                if (round % 50 == 0) {
                    device.playWave(device.prepareWave(crap.first(11)));
                    QVERIFY(!RealSoundGame::wavePlaying());
                } else if (round % 50 == 25) {
                    device.stopWave();
                    QVERIFY(!RealSoundGame::wavePlaying());
                }
                // The audio thread takes a request at the start of the next buffer it mixes. Only a start
                // posted while a buffer is already past that point waits a buffer longer, and is then
                // replaced by the stop unplayed.
                QVERIFY(real.meter.waitForBuffers(1));
                device.stopMusic();
                // Mostly the next start replaces the stop before the audio thread sees it, which
                // cuts the play off there; every tenth stop is let through on its own.
                if (round % 10 == 0)
                    QVERIFY(real.meter.waitForBuffers(2));
            }
            QVERIFY(real.meter.waitForBuffers(2));
            const Usage after;
            QCOMPARE(after.descriptors, before.descriptors);
            QCOMPARE_LE(after.threads, before.threads);
            QCOMPARE(after.sdlAllocations, before.sdlAllocations);
            if (!procstats::underAddressSanitizer)
                QCOMPARE_LT(after.resident - before.resident, 2 << 20);
            if (device.musicReady()) {
                // And the music still plays.
                device.playMusic(song);
                QVERIFY(real.meter.loudestOver(40) > 1000);
            }
        }
        const Usage afterDevice;
        QCOMPARE(afterDevice.descriptors, beforeDevice.descriptors);
        QCOMPARE(afterDevice.sdlAllocations, beforeDevice.sdlAllocations);
    }
};

QTEST_GUILESS_MAIN(TestBackendSoak)
#include "test_backend_soak.moc"
