// The game finds its sound module, music and sounds beside the program wherever it lies, also in a
// folder whose name is not UTF-8 (Latin-1 "Müll" from an older system), for which Qt has no name. A
// copy of this test, put into such a folder with the files beside it, looks for them as the game does.
#include "platform/folders.h"
#include "platform/localnames.h"
#include "platform/regularfile.h"
#include "sound/apis.h"
#include "sound/audioloader.h"
#include "sound/silentaudio.h"
#include "tests/support/fakedialogs.h"
#include "tests/support/virtualclock.h"

#include <QtTest>

#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

namespace {

constexpr char lookBesideMe[] = "--look-for-the-files-beside-me";

// What the game would miss beside this program, looked for as the game looks: the module once the
// splash window is up, the wave and the music when a game starts. Empty when nothing is missing.
QStringList missingBesideMe()
{
    const std::unique_ptr<Folders> folders = systemFolders();
    VirtualClock clock;
    FakeDialogs dialogs;
    QStringList missing;
    const std::unique_ptr<AudioBackend> audio = loadAudioBackend(withTrailingSeparator(folders->programFolder()), clock);
    if (dynamic_cast<SilentAudio *>(audio.get()))
        missing << QStringLiteral("the sound module (see the warning above)");
    Apis sound(*audio, dialogs, *folders);
    if (sound.WavLaden(QStringLiteral("crap.wav")).image.isEmpty())
        missing << dialogs.texts();
    QFile music;
    if (const QString refusal = RegularFile::openForReading(music, sound.Programmordner() + QStringLiteral("kol.mid"));
        !refusal.isEmpty())
        missing << refusal;
    return missing;
}

} // namespace

class TestProgramFolder : public QObject {
    Q_OBJECT

private slots:
    void theGameFindsItsFilesInAFolderNamed_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("in UTF-8") << QByteArray("M\xc3\xbcll");
        QTest::newRow("in Latin-1") << QByteArray("M\xfcll");
    }

    void theGameFindsItsFilesInAFolderNamed()
    {
        QFETCH(QByteArray, name);
        QTemporaryDir scratch;
        // The folder is filled under a plain name, then given its name by the bytes.
        const QString filled = scratch.filePath(QStringLiteral("filled"));
        QVERIFY(QDir().mkdir(filled));
        QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), filled + QStringLiteral("/probe")));
        for (const char *file : {"brummo-sound.so", "crap.wav", "kol.mid"})
            QVERIFY(QFile::link(QStringLiteral(BRUMMO_PROGRAM_DIR "/") + QLatin1String(file), filled + QLatin1Char('/') + QLatin1String(file)));
        const QByteArray folder = QFile::encodeName(scratch.path()) + '/' + name;
        QCOMPARE(::rename(QFile::encodeName(filled).constData(), folder.constData()), 0);

        QByteArray probe = folder + "/probe";
        // posix_spawn takes the arguments as non-const only for C's sake; it does not change them.
        char *arguments[] = {probe.data(), const_cast<char *>(lookBesideMe), nullptr};
        pid_t child = 0;
        const int spawned = ::posix_spawn(&child, probe.constData(), nullptr, nullptr, arguments, environ);
        int status = 0;
        const bool ended = spawned == 0 && ::waitpid(child, &status, 0) == child;
        // QTemporaryDir removes only what Qt can name.
        QCOMPARE(::rename(folder.constData(), QFile::encodeName(filled).constData()), 0);
        QCOMPARE(spawned, 0);
        QVERIFY(ended);
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], lookBesideMe) == 0) {
        const QStringList missing = missingBesideMe();
        for (const QString &what : missing)
            std::fprintf(stderr, "not found beside the program: %s\n", qPrintable(what));
        return missing.isEmpty() ? 0 : 1;
    }
    TestProgramFolder test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_programfolder.moc"
