// The real sound device path: SDL_mixer on SDL's disk driver, which mixes into /dev/null as fast as
// it can. Time here is the number of buffers mixed, not the clock; MixMeter listens to each one.
// The device's sleep runs on the virtual clock; the tests that need a sound to last as long as the
// player would hear it let the disk driver keep a sound card's pace.

#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "sound/waveimage.h"
#include "tests/reliability/realsound.h"
#include "tests/sound/midibytes.h"
#include "tests/support/virtualclock.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <SDL_mixer.h>
#include <dlfcn.h>
#include <fluidsynth.h>
#include <sys/prctl.h>

#include <atomic>
#include <cstring>
#include <memory>

// Heap calls on SDL's audio thread, counted by an allocator of our own in front of glibc's, apart
// for those made inside FluidSynth's rendering (which calls nothing of ours back) and all others.
// (FluidSynth, SDL and the C++ library allocate through these; none of them asks for aligned
// memory on that thread.) AddressSanitizer brings its own allocator, so there nothing is counted.
namespace {
std::atomic<bool> countingHeapCalls{false};
std::atomic<long> heapCallsRendering{0};
std::atomic<long> heapCallsOurs{0};
decltype(&fluid_synth_write_float) realWriteFloat = nullptr;
} // namespace
#ifndef __SANITIZE_ADDRESS__
static thread_local bool insideRendering = false;
extern "C" {
void *__libc_malloc(size_t);
void *__libc_calloc(size_t, size_t);
void *__libc_realloc(void *, size_t);
void __libc_free(void *);

static void countHeapCall()
{
    char name[16] = {};
    if (countingHeapCalls.load(std::memory_order_relaxed) && prctl(PR_GET_NAME, name) == 0
        && std::strncmp(name, "SDLAudioP", 9) == 0)
        (insideRendering ? heapCallsRendering : heapCallsOurs).fetch_add(1, std::memory_order_relaxed);
}
void *malloc(size_t size) { countHeapCall(); return __libc_malloc(size); }
void *calloc(size_t count, size_t size) { countHeapCall(); return __libc_calloc(count, size); }
void *realloc(void *block, size_t size) { countHeapCall(); return __libc_realloc(block, size); }
void free(void *block) { if (block) countHeapCall(); __libc_free(block); }
int fluid_synth_write_float(fluid_synth_t *synth, int len, void *lout, int loff, int lincr, void *rout, int roff, int rincr)
{
    insideRendering = true;
    const int result = realWriteFloat(synth, len, lout, loff, lincr, rout, roff, rincr);
    insideRendering = false;
    return result;
}
}
#endif

namespace {

constexpr int second = SdlAudioBackend::sampleRate / SdlAudioBackend::bufferFrames;   // in buffers
constexpr int patience = 60000;   // milliseconds; only a stuck audio thread ever needs them

// The device's quiet spells run on the virtual clock.
constexpr long long idleDelay = SdlAudioBackend::defaultIdleDelay.count();

// SDL_mixer's own word, not the backend's.
bool deviceOpen()
{
    return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0;
}

// Lets waiting notices in and counts them: the end notice is one, so a test can tell a notice that
// was sent and then dropped from one that was never sent.
int deliverWaitingNotices()
{
    struct Counter : QObject {
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            count += event->type() == QEvent::SockAct;
            return QObject::eventFilter(watched, event);
        }
        int count = 0;
    } counter;
    QCoreApplication::instance()->installEventFilter(&counter);
    QCoreApplication::processEvents();
    QCoreApplication::instance()->removeEventFilter(&counter);
    return counter.count;
}

} // namespace

class TestSdlBackend : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        realWriteFloat = reinterpret_cast<decltype(realWriteFloat)>(dlsym(RTLD_NEXT, "fluid_synth_write_float"));
        QVERIFY(realWriteFloat);
        qputenv("SDL_AUDIODRIVER", "disk");
        // The short song lies where the original broke: a folder with blanks and umlauts.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Bär und Öl")));
        shortSong = dir.filePath(QStringLiteral("Bär und Öl/Lied mit Lücke é.mid"));
        writeFile(shortSong, midibytes::chord(120));   // an eighth of a second
        longSong = dir.filePath(QStringLiteral("long.mid"));
        writeFile(longSong, midibytes::chord(2 * 960));   // two seconds
    }

    void init()
    {
        startBackend();
    }

    void cleanup()
    {
        meter.reset();
        backend.reset();
    }

    void theDeviceSleepsWhenQuietAndWakesForTheNextSound_data()
    {
        QTest::addColumn<QString>("next");
        QTest::newRow("a wave") << QStringLiteral("wave");
        QTest::newRow("music") << QStringLiteral("music");
        QTest::newRow("a wave, the device gone meanwhile") << QStringLiteral("gone");
        QTest::newRow("the winner's wave, still playing") << QStringLiteral("long wave");
        QTest::newRow("music still playing") << QStringLiteral("long music");
    }

    void theDeviceSleepsWhenQuietAndWakesForTheNextSound()
    {
        QFETCH(QString, next);
        if (next.endsWith(u"music") && FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        // At a sound card's pace, so that the last notes ring on while the test listens.
        startBackend(true);
        if (QTest::currentTestFailed())
            return;
        backend->playWave(crap);
        QVERIFY(meter->loudestOver(20) > 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!RealSoundGame::wavePlaying(), patience);
        clock.advance(idleDelay - 1);
        QVERIFY(deviceOpen());
        clock.advance(1);
        QVERIFY(!deviceOpen());
        QCOMPARE(backend->driverName(), QStringLiteral("disk"));
        // Stopping what no longer sounds keeps it asleep, and touches none of the channels
        // SDL_mixer freed with the device.
        backend->stopWave();
        backend->stopMusic();
        QVERIFY(!deviceOpen());
        // The SoundFont stayed loaded: the music plays at once.
        QVERIFY(backend->musicReady() || FluidMusic::defaultSoundFont().isEmpty());

        if (next == u"music") {
            const AudioBackend::PlayId play = backend->playMusic(shortSong);
            startReturned = true;
            clock.advance(2 * idleDelay / 3);   // before the notice can have arrived
            QVERIFY(deviceOpen());
            QVERIFY(meter->loudestOver(second / 10) > 1000);
            // The end notice still comes, once; the last notes ring on after it, and the quiet the
            // device waits for is counted from it, not from the start of the play.
            QTRY_COMPARE_WITH_TIMEOUT(ended, QList{play}, patience);
            QVERIFY2(meter->loudestOver(3) > 0, "nothing rang on after the end: the test proves nothing");
            clock.advance(2 * idleDelay / 3);
            QVERIFY2(deviceOpen(), "the device closed on the last notes");
            clock.advance(idleDelay / 3);
            QVERIFY(!deviceOpen());
            return;
        }
        if (next.startsWith(u"long")) {
            if (next == u"long wave")
                backend->playWave(gameAsset(QStringLiteral("deadnow.wav")));   // 3.1 s
            else
                backend->playMusic(longSong);
            startReturned = true;
            // It holds the device as long as it sounds; cut off, no longer.
            clock.advance(3 * idleDelay);
            QVERIFY(deviceOpen());
            QVERIFY(meter->loudestOver(5) > 1000);
            next == u"long wave" ? backend->stopWave() : backend->stopMusic();
            clock.advance(idleDelay);
            QVERIFY(!deviceOpen());
            QVERIFY(ended.isEmpty());
            return;
        }
        if (next == u"gone") {
            // The disk driver can no longer write where it did: its device is gone.
            qputenv("SDL_DISKAUDIOFILE", dir.filePath(QStringLiteral("kein Ordner/ton.raw")).toLocal8Bit());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("keine Tonausgabe")));
        }
        backend->playWave(crap);
        QVERIFY(deviceOpen());
        QCOMPARE(backend->driverName(), next == u"gone" ? QStringLiteral("dummy") : QStringLiteral("disk"));
        // The dummy driver keeps the pace of a sound card too: 20 buffers are a quarter of a second.
        QVERIFY(meter->loudestOver(20) > 3000);
        QTRY_VERIFY_WITH_TIMEOUT(!RealSoundGame::wavePlaying(), patience);
        clock.advance(idleDelay);
        QVERIFY(!deviceOpen());
    }

    void aWaveThatCannotPlayCutsTheSoundingOneOff_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<bool>("handedOver");   // to SDL_mixer, which leaks on the shortest images
        QByteArray garbage(30000, '\0');
        for (int i = 0; i < garbage.size(); ++i)
            garbage[i] = static_cast<char>((i * 131) ^ (i >> 3));
        QTest::newRow("0 bytes") << QByteArray() << false;
        QTest::newRow("11 bytes") << crap.first(11) << false;
        QTest::newRow("43 bytes") << crap.first(43) << false;
        QTest::newRow("header without sound") << crap.first(44) << true;
        QTest::newRow("cut off in the sound") << crap.first(crap.size() / 2) << true;
        QTest::newRow("garbage") << garbage << false;
        QTest::newRow("garbage behind a wave header") << crap.first(12) + garbage << true;
        QTest::newRow("not a wave") << "OggS" + garbage << false;
    }

    void aWaveThatCannotPlayCutsTheSoundingOneOff()
    {
        QFETCH(QByteArray, image);
        QFETCH(bool, handedOver);
        QCOMPARE(isWaveImage(image), handedOver);
        backend->playWave(crap);
        QVERIFY(meter->loudestOver(20) > 3000);
        backend->playWave(image);
        QCOMPARE(meter->loudestOver(second), 0);
        // and the device is none the worse for it
        backend->playWave(crap);
        QVERIFY(meter->loudestOver(20) > 3000);
    }

    void musicIsHeardAndStopsAtOnceButNotTheWave()
    {
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        backend->playMusic(gameAssetPath(QStringLiteral("kol.mid")));
        QVERIFY(meter->loudestOver(second / 2) > 1000);
        backend->playWave(crap);
        backend->stopMusic();
        QVERIFY2(meter->loudestOver(second / 2) > 3000, "stopping the music stopped the wave too");
        // Neither rings on: the music was cut at once, not let fade.
        backend->stopWave();
        QCOMPARE(meter->loudestOver(2 * second), 0);
    }

    void endNoticeOnlyForAPlayNotCutOff_data()
    {
        QTest::addColumn<QString>("cut");
        QTest::newRow("played to its end") << QString();
        QTest::newRow("stopped") << QStringLiteral("stop");
        QTest::newRow("started anew") << QStringLiteral("start");
        QTest::newRow("device closed while a wave plays") << QStringLiteral("close");
    }

    void endNoticeOnlyForAPlayNotCutOff()
    {
        QFETCH(QString, cut);
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        const AudioBackend::PlayId play = backend->playMusic(shortSong);
        startReturned = true;
        // The event loop stands still while the song plays to its end, so its notice waits in the
        // queue when the play is cut off: the latest a cut can come.
        QVERIFY(meter->waitForBuffers(second, false));
        if (cut == u"stop") {
            backend->stopMusic();
        } else if (cut == u"start") {
            // kol.mid still plays when the device goes at cleanup: that teardown is tried too.
            backend->playMusic(gameAssetPath(QStringLiteral("kol.mid")));
        } else if (cut == u"close") {
            backend->playWave(crap);
            meter.reset();
            backend.reset();
        }
        const int delivered = deliverWaitingNotices();
        if (backend) {
            QVERIFY2(delivered >= 1, "the notice was not queued, so the test proved nothing");
            QVERIFY(meter->waitForBuffers(2 * second));   // and no second notice follows
        } else {
            QVERIFY2(delivered == 0, "a notice outlived its device; it would have reached freed memory");
        }
        QCOMPARE(ended, cut.isEmpty() ? QList{play} : QList<AudioBackend::PlayId>{});
    }

    void theAudioThreadAllocatesNothingOfOurs_data()
    {
        QTest::addColumn<QString>("action");
        for (const char *action : {"start", "restart", "natural end", "stop", "wave", "wave cut off"})
            QTest::newRow(action) << QString::fromLatin1(action);
    }

    void theAudioThreadAllocatesNothingOfOurs()
    {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("AddressSanitizer replaces the allocator this test counts with");
#endif
        QFETCH(QString, action);
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        const QString song = gameAssetPath(QStringLiteral("kol.mid"));
        if (action != u"start" && action != u"wave")
            backend->playMusic(action == u"natural end" ? shortSong : song);
        startReturned = true;
        if (action == u"wave cut off")
            backend->playWave(crap);
        QVERIFY(meter->waitForBuffers(2));
        heapCallsRendering = heapCallsOurs = 0;
        countingHeapCalls = true;
        if (action == u"start" || action == u"restart")
            backend->playMusic(song);
        else if (action == u"stop")
            backend->stopMusic();
        else if (action.startsWith(u"wave"))
            backend->playWave(crap);
        QVERIFY(meter->waitForBuffers(second));
        countingHeapCalls = false;
        QCOMPARE(ended.size(), action == u"natural end" ? 1 : 0);
        qInfo("heap calls on the audio thread over one second: %ld inside FluidSynth's rendering, %ld elsewhere",
              heapCallsRendering.load(), heapCallsOurs.load());
        QCOMPARE(heapCallsOurs.load(), 0L);
        // And the count sees what it is to see. A stop may still meet a buffer of music in flight.
        if (action != u"stop")
            QCOMPARE(heapCallsRendering.load() > 0, action != u"wave");
    }

private:
    // A backend anew. With realTime the disk driver takes a buffer in the time a sound card would,
    // so that a sound lasts as long for the test as for the player; otherwise it mixes flat out.
    void startBackend(bool realTime = false)
    {
        meter.reset();
        backend.reset();
        // The disk driver reads these at each opening of the device.
        qputenv("SDL_DISKAUDIOFILE", "/dev/null");
        qputenv("SDL_DISKAUDIODELAY", realTime ? "11" : "0");
        ended.clear();
        startReturned = false;
        backend = std::make_unique<SdlAudioBackend>(clock, FluidMusic::defaultSoundFont());
        QCOMPARE(backend->driverName(), QStringLiteral("disk"));
        meter = std::make_unique<MixMeter>();
        backend->setMusicEndedHandler([this](AudioBackend::PlayId play) {
            QVERIFY2(QThread::currentThread() == thread(), "the end notice came on the audio thread");
            QVERIFY2(startReturned, "the end notice came inside the start");
            ended.append(play);
        });
        // From then on a play starts with the next buffer, so what is mixed after a call is its doing.
        if (!FluidMusic::defaultSoundFont().isEmpty())
            QTRY_VERIFY_WITH_TIMEOUT(backend->musicReady(), patience);
    }

    QTemporaryDir dir;
    VirtualClock clock;
    QString shortSong;
    QString longSong;
    const QByteArray crap = gameAsset(QStringLiteral("crap.wav"));
    std::unique_ptr<SdlAudioBackend> backend;
    std::unique_ptr<MixMeter> meter;
    QList<AudioBackend::PlayId> ended;
    bool startReturned = false;
};

QTEST_GUILESS_MAIN(TestSdlBackend)
#include "test_sdlbackend.moc"
