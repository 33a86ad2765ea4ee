// The program's sound comes from the module beside it; without a module it can use the game is
// silent, never broken, and says once why.
#include "sound/audioloader.h"
#include "sound/silentaudio.h"
#include "sound/soundmodule.h"
#include "tests/support/virtualclock.h"

#include <QtTest>

#include <SDL_mixer.h>
#include <sys/stat.h>

class TestAudioLoader : public QObject {
    Q_OBJECT

private slots:
    void theModuleBesideTheProgramPlaysOrTheGameIsSilentAndSaysWhy_data()
    {
        QTest::addColumn<QString>("folder");    // none: a folder of the test's own
        QTest::addColumn<bool>("pipe");         // a pipe named as the module in the test's folder
        QTest::addColumn<QString>("warning");   // none: the module plays
        QTest::addColumn<QString>("rules");     // logging rules the player set
        QTest::newRow("the module beside the program") << QStringLiteral(BRUMMO_PROGRAM_DIR "/") << false << QString() << QString();
        QTest::newRow("no module") << QString() << false << QStringLiteral("das Tonmodul fehlt") << QString();
        QTest::newRow("no module, its line switched off") << QString() << false << QStringLiteral("das Tonmodul fehlt")
                                                          << QStringLiteral("brummo.sound=false");
        QTest::newRow("a pipe in its place") << QString() << true
                                             << QStringLiteral("das Tonmodul lässt sich nicht öffnen: Das ist keine gewöhnliche Datei, "
                                                               "sondern ein Gerät, eine Pipe oder ein Socket: /.*/brummo-sound.so$")
                                             << QString();
        QTest::newRow("of another version") << QStringLiteral(BRUMMO_TEST_MODULES "/stale/") << false
                                             << QStringLiteral("das Tonmodul hat die Version %1, erwartet ist %2")
                                                    .arg(soundModuleVersion + 1).arg(soundModuleVersion)
                                             << QString();
        QTest::newRow("its library missing") << QStringLiteral(BRUMMO_TEST_MODULES "/orphan/") << false
                                             << QStringLiteral("das Tonmodul oder eine Bibliothek, die es braucht, lässt sich nicht laden \\(.*libbrummo_gone")
                                             << QString();
    }

    void theModuleBesideTheProgramPlaysOrTheGameIsSilentAndSaysWhy()
    {
        QFETCH(QString, folder);
        QFETCH(bool, pipe);
        QFETCH(QString, warning);
        QFETCH(QString, rules);
        QLoggingCategory::setFilterRules(rules);
        const auto defaultRules = qScopeGuard([] { QLoggingCategory::setFilterRules(QString()); });
        QTemporaryDir own;
        if (pipe)
            QCOMPARE(::mkfifo(QFile::encodeName(own.filePath(QStringLiteral("brummo-sound.so"))).constData(), 0600), 0);
        VirtualClock clock;
        if (!warning.isEmpty() && rules.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^Brummo: keine Tonausgabe, ") + warning));
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".")));
        const std::unique_ptr<AudioBackend> audio
            = loadAudioBackend(folder.isEmpty() ? own.path() + QLatin1Char('/') : folder, clock);
        QCOMPARE(dynamic_cast<SilentAudio *>(audio.get()) != nullptr, !warning.isEmpty());
        QFile wave(QStringLiteral(BRUMMO_PROGRAM_DIR "/crap.wav"));
        QVERIFY(wave.open(QIODevice::ReadOnly));
        audio->playWave(audio->prepareWave(wave.readAll()));
        // The module shares SDL_mixer with this test, so the test can see the wave it started; with
        // no device open SDL_mixer must not be asked.
        QCOMPARE(Mix_QuerySpec(nullptr, nullptr, nullptr) != 0 && Mix_Playing(-1) > 0, warning.isEmpty());
    }
};

QTEST_MAIN(TestAudioLoader)
#include "test_audioloader.moc"
