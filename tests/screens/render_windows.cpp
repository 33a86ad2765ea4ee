// Renders the game's windows to PNG files, to look at them without a screen:
//   build/tests/screens/render-windows OUTPUT_FOLDER
#include "about/frmabout.h"
#include "widgets/appearance.h"
#include "startup/frmload.h"
#include "startup/playerlanguage.h"
#include "tests/support/gamefixture.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

namespace {

void save(QWidget &window, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const PlayerTexts texts(chooseLanguage(QLocale::system().uiLanguages()));
    applyClassicLook(application);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath();
    if (!QDir().mkpath(folder))
        qFatal("cannot make %s", qPrintable(folder));

    VirtualClock splashClock;
    frmLoad splash(splashClock, [] {});
    splashClock.advance(1500);
    save(splash, folder, QStringLiteral("splash"));

    RecordedGame f;
    f.window->show();
    save(*f.window, folder, QStringLiteral("main-idle"));

    f.window->cmdStart_Click();
    for (int index = 0; index < frmMain::targetCount; ++index) {
        // Spread over the field, the last ones at the far edges where the panel covers them.
        const int left = index == 16 ? 6959 : 300 + (index % 6) * 1100;
        const int top = index == 15 ? 3949 : 200 + (index / 6) * 1300;
        f.window->imgGegner[index]->move(left / 15, top / 15);
        f.window->imgGegner[index]->show();
    }
    f.clock.advanceTo(72000);
    save(*f.window, folder, QStringLiteral("main-targets"));

    for (int index = 0; index < frmMain::targetCount; ++index)
        f.window->imgGegner[index]->hide();
    f.window->Punkte = 25;
    f.window->lblPunkte->setText(QStringLiteral("25"));
    f.clock.advanceTo(81000);
    save(*f.window, folder, QStringLiteral("main-won"));

    f.window->cmdStart_Click();
    f.clock.advanceTo(163000);
    save(*f.window, folder, QStringLiteral("main-lost"));

    frmAbout about(f.dialogs, f.registry, f.launcher);
    about.show();
    save(about, folder, QStringLiteral("about"));
    return 0;
}
