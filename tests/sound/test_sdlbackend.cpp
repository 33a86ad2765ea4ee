// The real sound device path: SDL_mixer on SDL's disk driver, which mixes into /dev/null as fast as
// it can. Time here is the number of buffers mixed, not the clock; MixMeter listens to each one.
// The device's sleep runs on the virtual clock.

#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "sound/waveimage.h"
#include "tests/support/midibytes.h"
#include "tests/support/realsound.h"
#include "tests/support/wavebytes.h"
#include "tests/support/virtualclock.h"

#include <QtTest>

#include <SDL_mixer.h>
#include <dlfcn.h>
#include <fluidsynth.h>
#include <sys/prctl.h>

#include <atomic>
#include <cstring>
#include <memory>

// Heap calls on SDL's audio thread, counted by an allocator of our own in front of glibc's through
// which FluidSynth, SDL and the C++ library allocate (none of them aligned, on that thread); those
// inside FluidSynth's rendering, which calls nothing of ours back, counted on their own.
namespace {
std::atomic<bool> countingHeapCalls{false};
std::atomic<long> heapCallsRendering{0};
std::atomic<long> heapCallsOurs{0};
decltype(&fluid_synth_write_float) realWriteFloat = nullptr;
} // namespace
#ifdef __SANITIZE_ADDRESS__
constexpr bool heapCallsCounted = false;   // AddressSanitizer's allocator stands where ours would
#else
constexpr bool heapCallsCounted = true;
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
constexpr long long idleDelay = SdlAudioBackend::defaultIdleDelay.count();

// SDL_mixer's own word, not the backend's.
bool deviceOpen() { return Mix_QuerySpec(nullptr, nullptr, nullptr) != 0; }

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

    // A backend anew, the old one gone first, mixing flat out.
    void init()
    {
        meter.reset();
        backend.reset();
        // The disk driver reads these at each opening of the device.
        qputenv("SDL_DISKAUDIOFILE", "/dev/null");
        qputenv("SDL_DISKAUDIODELAY", "0");
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

    void theDeviceSleepsWhenQuietAndWakesForTheNextSound_data()
    {
        QTest::addColumn<QString>("next");
        QTest::newRow("a wave, the device gone meanwhile") << QStringLiteral("gone");
        QTest::newRow("music") << QStringLiteral("music");
        QTest::newRow("the winner's wave, still playing") << QStringLiteral("long wave");
        QTest::newRow("music still playing, then a wave") << QStringLiteral("long music");
    }

    void theDeviceSleepsWhenQuietAndWakesForTheNextSound()
    {
        QFETCH(QString, next);
        if (next.endsWith(u"music") && FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        // From the device's next opening on at a sound card's pace, so that a sound lasts as long for
        // the test as for the player, and the last notes ring on while the test listens.
        qputenv("SDL_DISKAUDIODELAY", "11");
        backend->playWave(crap);
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

        if (next == u"gone") {
            // The disk driver can no longer write where it did: its device is gone.
            qputenv("SDL_DISKAUDIOFILE", dir.filePath(QStringLiteral("kein Ordner/ton.raw")).toLocal8Bit());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("keine Tonausgabe")));
            backend->playWave(crap);
            QCOMPARE(backend->driverName(), QStringLiteral("dummy"));
            // The dummy driver keeps the pace of a sound card too: 20 buffers are a quarter of a second.
            QVERIFY(meter->loudestOver(20) > 3000);
            return;
        }
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
        if (next == u"long wave")
            backend->playWave(gameAsset(QStringLiteral("deadnow.wav")));   // 3.1 s
        else
            backend->playMusic(longSong);
        startReturned = true;
        // It holds the device as long as it sounds; cut off, no longer.
        clock.advance(3 * idleDelay);
        QVERIFY(deviceOpen());
        QVERIFY(meter->loudestOver(5) > 1000);
        if (next == u"long music") {
            backend->playWave(crap);
            backend->stopMusic();
            QVERIFY2(meter->loudestOver(20) > 3000, "stopping the music stopped the wave too");
        }
        backend->stopWave();
        // Nothing rings on: the music was cut at once, not let fade.
        QCOMPARE(meter->loudestOver(second / 2), 0);
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
        QTest::newRow("43 bytes") << crap.first(43) << false;
        QTest::newRow("header without sound") << crap.first(44) << true;
        QTest::newRow("cut off in the sound") << crap.first(crap.size() / 2) << true;
        QTest::newRow("garbage") << garbage << false;
        QTest::newRow("garbage behind a wave header") << crap.first(12) + garbage << true;
        QTest::newRow("RIFF, but not a wave") << QByteArray("RIFF\x10\0\0\0AVI ", 12) + garbage << false;
        // Decoded, it would take 32 MB, and SDL would take a second to make them.
        QTest::newRow("over three minutes: 181 samples at 1 Hz") << wavebytes::pcm(1, 1, 8, wavebytes::loud(181)) << true;
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

    // A wave is decoded when it is prepared, not when it plays: changed bytes behind the very same
    // image are not read again, even after the device slept and woke in between.
    void aPreparedWavePlaysAsDecodedWhenPrepared()
    {
        QByteArray bytes = crap;
        bytes.detach();
        const QByteArray image = QByteArray::fromRawData(bytes.constData(), bytes.size());
        backend->prepareWave(image);
        clock.advance(idleDelay);
        QVERIFY(!deviceOpen());
        bytes.fill('\0');
        backend->playWave(image);
        QVERIFY(meter->loudestOver(20) > 3000);
    }

    // A play started, ended or cut off: the audio thread makes no heap call of ours, and the end
    // notice comes only for a play nothing cut off, even when the cut finds it waiting in the queue.
    void theAudioThreadAllocatesNothingOfOursAndNoticesOnlyAnUncutEnd_data()
    {
        QTest::addColumn<QString>("before");   // kol.mid, the short song, or that song played to its end
        QTest::addColumn<QString>("action");   // while the heap calls are counted; none: the song ends
        QTest::addColumn<int>("rendering");    // FluidSynth's own heap calls: 1 some, 0 none, -1 either
        const auto row = [](const char *tag, const char *before, const char *action, int rendering) {
            QTest::newRow(tag) << QString::fromLatin1(before) << QString::fromLatin1(action) << rendering;
        };
        row("start", "", "kol", 1);
        row("restart", "kol", "kol", 1);
        row("natural end", "short", "", 1);
        row("stop", "kol", "stop", -1);   // it may still meet a buffer of music in flight
        row("wave", "", "wave", 0);
        row("wave cut off", "kol wave", "wave", 1);
        row("stopped after its end", "short ended", "stop", -1);
        // kol.mid still plays when the device goes for the next test: that teardown is tried too.
        row("started anew after its end", "short ended", "kol", 1);
        row("device closed after its end while a wave plays", "short ended", "wave close", -1);
    }

    void theAudioThreadAllocatesNothingOfOursAndNoticesOnlyAnUncutEnd()
    {
        QFETCH(QString, before);
        QFETCH(QString, action);
        QFETCH(int, rendering);
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        const QString song = gameAssetPath(QStringLiteral("kol.mid"));
        const AudioBackend::PlayId play
            = before.isEmpty() ? 0 : backend->playMusic(before.startsWith(u"kol") ? song : shortSong);
        startReturned = true;
        if (before.endsWith(u"wave"))
            backend->playWave(crap);
        // The event loop stands still, so a notice waits in the queue.
        QVERIFY(meter->waitForBuffers(before.endsWith(u"ended") ? second : 2, false));
        heapCallsRendering = heapCallsOurs = 0;
        countingHeapCalls = !action.endsWith(u"close");   // SDL's audio thread frees its own on its way out
        if (action == u"kol")
            backend->playMusic(song);
        else if (action == u"stop")
            backend->stopMusic();
        else if (action.startsWith(u"wave"))
            backend->playWave(crap);
        if (action.endsWith(u"close")) {
            meter.reset();
            backend.reset();
        }
        QVERIFY(!backend || meter->waitForBuffers(second, false));
        countingHeapCalls = false;
        const int delivered = deliverWaitingNotices();
        if (!backend) {
            QVERIFY2(delivered == 0, "a notice outlived its device; it would have reached freed memory");
            return;
        }
        QVERIFY2(delivered >= 1 || !before.startsWith(u"short"), "no notice queued: the row proves nothing");
        QVERIFY(meter->waitForBuffers(2 * second));   // and no second notice follows
        QCOMPARE(ended, action.isEmpty() ? QList{play} : QList<AudioBackend::PlayId>{});
        QCOMPARE(heapCallsOurs.load(), 0L);
        if (rendering >= 0 && heapCallsCounted)   // and the count sees what it is to see
            QCOMPARE(heapCallsRendering.load() > 0, rendering == 1);
    }

private:
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
