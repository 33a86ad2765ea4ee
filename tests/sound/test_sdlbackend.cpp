// The real sound device path: SDL_mixer on SDL's disk driver, which mixes into /dev/null as fast as
// it can. Time here is the number of buffers mixed, not the clock; MixMeter listens to each one.
// The device's sleep runs on the virtual clock.

#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "sound/waveimage.h"
#include "tests/support/heapcallcounter.h"
#include "tests/support/midibytes.h"
#include "tests/support/realsound.h"
#include "tests/support/wavebytes.h"
#include "tests/support/virtualclock.h"

#include <QtTest>

#include <SDL_mixer.h>

#include <memory>

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

// What sounds after the device woke from its quiet.
enum class NextSound { WaveWithTheDeviceGone, Music, LongWave, LongMusicThenWave };

// What plays before the heap calls are counted.
enum class Song { None, Kol, Short };
struct Before {
    Song song = Song::None;
    bool wave = false;      // a wave on top of the song
    bool ended = false;     // the song played to its end
};

// What happens while they are counted.
enum class Action { NoneTheSongEnds, PlayKol, Stop, Wave, WaveThenCloseTheDevice };

// FluidSynth's own heap calls while they are counted.
enum class Rendering { Some, None, Either };

} // namespace

Q_DECLARE_METATYPE(NextSound)
Q_DECLARE_METATYPE(Before)
Q_DECLARE_METATYPE(Action)
Q_DECLARE_METATYPE(Rendering)

class TestSdlBackend : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("SDL_AUDIODRIVER", "disk");
        // The short song lies in a folder with blanks and umlauts, which a path handed on as bytes of
        // the wrong encoding, or split at a blank, would not find.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Bär und Öl")));
        shortSong = dir.filePath(QStringLiteral("Bär und Öl/Lied mit Lücke é.mid"));
        writeFile(shortSong, midibytes::chord(1080));   // an eighth of a second longer than the shortest play
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
        QTest::addColumn<NextSound>("next");
        QTest::newRow("a wave, the device gone meanwhile") << NextSound::WaveWithTheDeviceGone;
        QTest::newRow("music") << NextSound::Music;
        QTest::newRow("the winner's wave, still playing") << NextSound::LongWave;
        QTest::newRow("music still playing, then a wave") << NextSound::LongMusicThenWave;
    }

    void theDeviceSleepsWhenQuietAndWakesForTheNextSound()
    {
        QFETCH(NextSound, next);
        if ((next == NextSound::Music || next == NextSound::LongMusicThenWave) && FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        // From the device's next opening on at a sound card's pace, so that a sound lasts as long for
        // the test as for the player, and the last notes ring on while the test listens.
        qputenv("SDL_DISKAUDIODELAY", "11");
        playWave(crap);
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

        if (next == NextSound::WaveWithTheDeviceGone) {
            // The disk driver can no longer write where it did: its device is gone.
            qputenv("SDL_DISKAUDIOFILE", dir.filePath(QStringLiteral("kein Ordner/ton.raw")).toLocal8Bit());
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("keine Tonausgabe")));
            playWave(crap);
            QCOMPARE(backend->driverName(), QStringLiteral("dummy"));
            // The dummy driver keeps the pace of a sound card too: 20 buffers are a quarter of a second.
            QVERIFY(meter->loudestOver(20) > 3000);
            return;
        }
        if (next == NextSound::Music) {
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
        if (next == NextSound::LongWave)
            playWave(gameAsset(QStringLiteral("deadnow.wav")));   // 3.1 s
        else
            backend->playMusic(longSong);
        startReturned = true;
        // It holds the device as long as it sounds; cut off, no longer.
        clock.advance(3 * idleDelay);
        QVERIFY(deviceOpen());
        QVERIFY(meter->loudestOver(5) > 1000);
        if (next == NextSound::LongMusicThenWave) {
            playWave(crap);
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
        playWave(crap);
        QVERIFY(meter->loudestOver(20) > 3000);
        const AudioBackend::Wave wave = backend->prepareWave(image);
        QVERIFY(!wave);
        backend->playWave(wave);
        QCOMPARE(meter->loudestOver(second), 0);
        // and the device is none the worse for it
        playWave(crap);
        QVERIFY(meter->loudestOver(20) > 3000);
    }

    // A wave is decoded when it is prepared, not when it plays: its bytes are not read again, even
    // after the device slept and woke in between.
    void aPreparedWavePlaysAsDecodedWhenPrepared()
    {
        QByteArray bytes = crap;
        bytes.detach();
        const AudioBackend::Wave wave = backend->prepareWave(QByteArray::fromRawData(bytes.constData(), bytes.size()));
        clock.advance(idleDelay);
        QVERIFY(!deviceOpen());
        bytes.fill('\0');
        backend->playWave(wave);
        QVERIFY(meter->loudestOver(20) > 3000);
    }

    // A play started, ended or cut off: the audio thread makes no heap call of ours, and the end
    // notice comes only for a play nothing cut off, even when the cut finds it waiting in the queue.
    void theAudioThreadAllocatesNothingOfOursAndNoticesOnlyAnUncutEnd_data()
    {
        QTest::addColumn<Before>("before");
        QTest::addColumn<Action>("action");
        QTest::addColumn<Rendering>("rendering");
        const auto row = [](const char *tag, Before before, Action action, Rendering rendering) {
            QTest::newRow(tag) << before << action << rendering;
        };
        const Before nothing{};
        const Before kol{.song = Song::Kol};
        const Before shortEnded{.song = Song::Short, .ended = true};
        row("start", nothing, Action::PlayKol, Rendering::Some);
        row("restart", kol, Action::PlayKol, Rendering::Some);
        row("natural end", {.song = Song::Short}, Action::NoneTheSongEnds, Rendering::Some);
        row("stop", kol, Action::Stop, Rendering::Either);   // it may still meet a buffer of music in flight
        row("wave", nothing, Action::Wave, Rendering::None);
        row("wave cut off", {.song = Song::Kol, .wave = true}, Action::Wave, Rendering::Some);
        row("stopped after its end", shortEnded, Action::Stop, Rendering::Either);
        // kol.mid still plays when the device goes for the next test: that teardown is tried too.
        row("started anew after its end", shortEnded, Action::PlayKol, Rendering::Some);
        row("device closed after its end while a wave plays", shortEnded, Action::WaveThenCloseTheDevice,
            Rendering::Either);
    }

    void theAudioThreadAllocatesNothingOfOursAndNoticesOnlyAnUncutEnd()
    {
        QFETCH(Before, before);
        QFETCH(Action, action);
        QFETCH(Rendering, rendering);
        if (FluidMusic::defaultSoundFont().isEmpty())
            QSKIP("No General MIDI SoundFont installed");
        const QString song = gameAssetPath(QStringLiteral("kol.mid"));
        const AudioBackend::PlayId play
            = before.song == Song::None ? 0 : backend->playMusic(before.song == Song::Kol ? song : shortSong);
        startReturned = true;
        if (before.wave)
            playWave(crap);
        // The event loop stands still, so a notice waits in the queue.
        QVERIFY(meter->waitForBuffers(before.ended ? 2 * second : 2, false));
        // SDL's audio thread frees its own on its way out.
        if (action != Action::WaveThenCloseTheDevice)
            heapcalls::startCounting();
        if (action == Action::PlayKol)
            backend->playMusic(song);
        else if (action == Action::Stop)
            backend->stopMusic();
        else if (action == Action::Wave || action == Action::WaveThenCloseTheDevice)
            playWave(crap);
        if (action == Action::WaveThenCloseTheDevice) {
            meter.reset();
            backend.reset();
        }
        QVERIFY(!backend || meter->waitForBuffers(2 * second, false));
        heapcalls::stopCounting();
        const int delivered = deliverWaitingNotices();
        if (!backend) {
            QVERIFY2(delivered == 0, "a notice outlived its device; it would have reached freed memory");
            return;
        }
        QVERIFY2(delivered >= 1 || before.song != Song::Short, "no notice queued: the row proves nothing");
        QVERIFY(meter->waitForBuffers(2 * second));   // and no second notice follows
        QCOMPARE(ended, action == Action::NoneTheSongEnds ? QList{play} : QList<AudioBackend::PlayId>{});
        QCOMPARE(heapcalls::ours(), 0L);
        if (rendering != Rendering::Either && heapcalls::counted)   // and the count sees what it is to see
            QCOMPARE(heapcalls::rendering() > 0, rendering == Rendering::Some);
    }

private:
    void playWave(const QByteArray &image) { backend->playWave(backend->prepareWave(image)); }

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
