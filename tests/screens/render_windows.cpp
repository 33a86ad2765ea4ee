// Renders the game's windows and boxes to PNG files, to look at them without a screen:
//   build/tests/screens/render-windows OUTPUT_FOLDER
// in the player's language as the game chooses it (LANGUAGE=en for English).
#include "about/frmabout.h"
#include "widgets/appearance.h"
#include "startup/frmload.h"
#include "platform/qtdialogs.h"
#include "startup/playerlanguage.h"
#include "tests/support/gamefixture.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QTimer>

namespace {

void save(QWidget &window, const QString &folder, const QString &name)
{
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window.grab().save(path))
        qFatal("cannot write %s", qPrintable(path));
}

// A box as the game's real dialogs show it, saved once it is open, then closed.
void save(const FakeDialogs::Shown &shown, const QString &folder, const QString &name)
{
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            qFatal("no box open for %s", qPrintable(name));
        save(*box, folder, name);
        static_cast<QDialog *>(box)->reject();
    });
    QtDialogs qtDialogs;
    Dialogs &dialogs = qtDialogs;
    if (shown.kind == FakeDialogs::Shown::Kind::Input)
        dialogs.input(shown.text, shown.title);
    else
        dialogs.message(shown.text, shown.icon, shown.title);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const PlayerTexts texts(playerLanguage());
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

    // The boxes of the main window: the name of a save (answered with Cancel), and loading with no
    // game selected (the path, then an error).
    f.dialogs.clear();
    f.window->cmdSpeichern_Click();
    f.window->cmdLaden_Click();
    const QStringList boxes = {QStringLiteral("box-save"), QStringLiteral("box-path"), QStringLiteral("box-error")};
    if (f.dialogs.shown.size() != boxes.size())
        qFatal("%lld boxes shown, not %lld", qlonglong(f.dialogs.shown.size()), qlonglong(boxes.size()));
    for (qsizetype index = 0; index < boxes.size(); ++index)
        save(f.dialogs.shown[index], folder, boxes[index]);
    return 0;
}
