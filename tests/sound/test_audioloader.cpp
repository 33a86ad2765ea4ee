// The program's sound comes from the module beside it; without the module the game is silent,
// never broken.
#include "sound/audioloader.h"
#include "sound/silentaudio.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <SDL_mixer.h>

class TestAudioLoader : public QObject {
    Q_OBJECT

private slots:
    void theModuleBesideTheProgramPlaysSound()
    {
        const std::unique_ptr<AudioBackend> audio = loadAudioBackend(QStringLiteral(BRUMMO_PROGRAM_DIR "/"));
        QVERIFY(!dynamic_cast<SilentAudio *>(audio.get()));
        QFile wave(QStringLiteral(BRUMMO_PROGRAM_DIR "/crap.wav"));
        QVERIFY(wave.open(QIODevice::ReadOnly));
        audio->playWave(wave.readAll());
        // The module shares SDL_mixer with this test, so the test can see the wave it started.
        QCOMPARE(Mix_Playing(-1), 1);
        audio->stopWave();
        QCOMPARE(Mix_Playing(-1), 0);
    }

    void withoutTheModuleTheGameIsSilent()
    {
        QTemporaryDir programFolder;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("keine Tonausgabe, das Tonmodul fehlt")));
        const std::unique_ptr<AudioBackend> audio = loadAudioBackend(programFolder.path() + QLatin1Char('/'));
        QVERIFY(dynamic_cast<SilentAudio *>(audio.get()));
        int ends = 0;
        audio->setMusicEndedHandler([&](AudioBackend::PlayId) { ++ends; });
        const AudioBackend::PlayId first = audio->playMusic(QStringLiteral("kol.mid"));
        QVERIFY(audio->playMusic(QStringLiteral("kol.mid")) != first);
        QCoreApplication::processEvents();
        QCOMPARE(ends, 0);
    }
};

QTEST_MAIN(TestAudioLoader)
#include "test_audioloader.moc"
