#include "startup/systemstart.h"

#include "startup/exitwithoutdisplay.h"
#include "startup/launchernote.h"

#include <QApplication>

#include <cstdio>
#include <optional>

void settleWorkingFolder(int argc, const char *const argv[], const PlayerTexts &texts)
{
    const QByteArray note = launcherNote(argc, argv, texts);
    std::fwrite(note.constData(), 1, note.size(), stderr);
}

std::unique_ptr<QApplication> startApplication(int &argc, char **argv, const PlayerTexts &texts)
{
    std::optional<ExitWithoutDisplay> withoutDisplay(std::in_place, texts);
    auto application = std::make_unique<QApplication>(argc, argv);
    withoutDisplay.reset();
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.brummo"));
    return application;
}
