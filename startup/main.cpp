#include "about/programlauncher.h"
#include "about/registry.h"
#include "game/frmmain.h"
#include "widgets/appearance.h"
#include "platform/folders.h"
#include "platform/localnames.h"
#include "platform/qtdialogs.h"
#include "platform/qttimers.h"
#include "widgets/scalablepicture.h"
#include "platform/systemrandom.h"
#include "platform/timeofday.h"
#include "sound/apis.h"
#include "sound/audioloader.h"
#include "startup/commandline.h"
#include "startup/exitwithoutdisplay.h"
#include "startup/firstframe.h"
#include "startup/frmload.h"
#include "startup/launchernote.h"
#include "startup/playerlanguage.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <optional>

int main(int argc, char *argv[])
{
    PlayerTexts texts(playerLanguage());
    const QByteArray note = launcherNote(argc, argv, texts);
    std::fwrite(note.constData(), 1, note.size(), stderr);
    // Before the application: the answer needs no screen.
    if (const std::optional<int> exitStatus = answerInsteadOfGame(argc, argv, texts))
        return *exitStatus;
    std::optional<ExitWithoutDisplay> withoutDisplay(std::in_place, texts);
    QApplication application(argc, argv);
    withoutDisplay.reset();
    application.setApplicationName(QStringLiteral("Brummo on the run"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.brummo"));
    texts.install();
    applyClassicLook(application);

    QtTimerFactory timers;
    QtDialogs dialogs;
    SystemRandom random;
    SystemTimeOfDay timeOfDay;
    SystemFolders folders;
    SystemRegistry registry;
    SystemLauncher launcher;
    // The sound module with its libraries, the sound device with its threads (one of them loading
    // the SoundFont) and the icon would each hold the splash window's first picture back; the
    // splash window needs none of them, so they wait until it is on screen.
    std::unique_ptr<AudioBackend> audio;
    std::optional<Apis> sound;
    std::optional<Services> services;
    const auto prepareGame = [&] {
        if (services)
            return;
        application.setWindowIcon(scalableIcon(QStringLiteral(":/bilder/brummo.png")));
        audio = loadAudioBackend(withTrailingSeparator(folders.programFolder()), timers);
        sound.emplace(*audio, dialogs, folders);
        services.emplace(Services{timers, dialogs, random, timeOfDay, folders, *sound, registry, launcher});
    };

    std::unique_ptr<frmMain> mainWindow;
    auto *splash = new frmLoad(timers, [&] {
        prepareGame();
        if (!mainWindow)
            mainWindow = std::make_unique<frmMain>(*services);
        mainWindow->show();
    });
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    afterFirstFrame(*splash, prepareGame);
    return application.exec();
}
