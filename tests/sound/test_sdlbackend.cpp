// The real sound device path: SDL_mixer on SDL's disk driver, which mixes into /dev/null as fast as
// it can. Time here is the number of buffers mixed, not the clock; MixMeter listens to each one.

#include "sound/fluidmusic.h"
#include "sound/sdlaudiobackend.h"
#include "tests/reliability/realsound.h"
#include "tests/sound/midibytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <memory>

namespace {

constexpr int second = SdlAudioBackend::sampleRate / SdlAudioBackend::bufferFrames;   // in buffers
constexpr int patience = 60000;   // milliseconds; only a stuck audio thread ever needs them

// Lets queued calls run and counts them: the end notice is one, so a test can tell a notice that
// was queued and then dropped from one that was never sent.
int deliverQueuedCalls()
{
    struct Counter : QObject {
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            count += event->type() == QEvent::MetaCall;
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
        qputenv("SDL_AUDIODRIVER", "disk");
        qputenv("SDL_DISKAUDIOFILE", "/dev/null");
        qputenv("SDL_DISKAUDIODELAY", "0");
        // The short song lies where the original broke: a folder with blanks and umlauts.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Bär und Öl")));
        shortSong = dir.filePath(QStringLiteral("Bär und Öl/Lied mit Lücke é.mid"));
        writeFile(shortSong, midibytes::chord(120));   // an eighth of a second
    }

    void init()
    {
        ended.clear();
        startReturned = false;
        backend = std::make_unique<SdlAudioBackend>();
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

    void cleanup()
    {
        meter.reset();
        backend.reset();
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
        QCOMPARE(SdlAudioBackend::isWaveImage(image), handedOver);
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
        const int delivered = deliverQueuedCalls();
        if (backend) {
            QVERIFY2(delivered >= 1, "the notice was not queued, so the test proved nothing");
            QVERIFY(meter->waitForBuffers(2 * second));   // and no second notice follows
        } else {
            QVERIFY2(delivered == 0, "a notice outlived its device; it would have reached freed memory");
        }
        QCOMPARE(ended, cut.isEmpty() ? QList{play} : QList<AudioBackend::PlayId>{});
    }

private:
    QTemporaryDir dir;
    QString shortSong;
    const QByteArray crap = gameAsset(QStringLiteral("crap.wav"));
    std::unique_ptr<SdlAudioBackend> backend;
    std::unique_ptr<MixMeter> meter;
    QList<AudioBackend::PlayId> ended;
    bool startReturned = false;
};

QTEST_GUILESS_MAIN(TestSdlBackend)
#include "test_sdlbackend.moc"
