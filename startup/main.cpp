#include "about/programlauncher.h"
#include "about/registry.h"
#include "game/frmmain.h"
#include "platform/appearance.h"
#include "platform/folders.h"
#include "platform/qtdialogs.h"
#include "platform/qttimers.h"
#include "platform/systemrandom.h"
#include "sound/apis.h"
#include "sound/sdlaudiobackend.h"
#include "startup/frmload.h"

#include <QApplication>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("Brummo on the run"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.brummo"));
    application.setWindowIcon(QIcon(QStringLiteral(":/bilder/brummo.png")));
    QTranslator germanTexts;
    installGermanTexts(application, germanTexts);
    applyClassicLook(application);

    QtTimerFactory timers;
    QtDialogs dialogs;
    SystemRandom random;
    SystemTimeOfDay timeOfDay;
    SystemFolders folders;
    SdlAudioBackend audio;
    Apis sound(audio, dialogs, folders);
    SystemRegistry registry;
    SystemLauncher launcher;
    Services services{timers, dialogs, random, timeOfDay, folders, sound, registry, launcher};

    std::unique_ptr<frmMain> mainWindow;
    auto *splash = new frmLoad(timers, [&] {
        if (!mainWindow)
            mainWindow = std::make_unique<frmMain>(services);
        mainWindow->show();
    });
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return application.exec();
}
