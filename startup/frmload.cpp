#include "startup/frmload.h"

#include "widgets/appearance.h"
#include "widgets/formbuilder.h"
#include "widgets/placement.h"
#include "widgets/twips.h"

#include <QLabel>
#include <QProgressBar>

namespace {

using Kind = ControlSpec::Kind;

// Front to back.
const ControlSpec splashTable[] = {
    {.name = "Vortschritt", .kind = Kind::ProgressBar, .top = 4680, .width = 5295, .height = 495,
     .accessibleName = QT_TRANSLATE_NOOP("frmLoad", "Ladefortschritt")},
    {.name = "Label2", .kind = Kind::Label, .top = 5280, .width = 5295, .height = 255,
     .text = QT_TRANSLATE_NOOP("frmLoad", "Neue Versionen und Spiele gibt es auf der Webseite des Autors."),
     .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = "Label1", .kind = Kind::Label, .top = 4200, .width = 5295, .height = 615,
     .text = QT_TRANSLATE_NOOP("frmLoad", "\"Brummo on the run\" wird geladen"), .fontFamily = "Comic Sans MS",
     .fontPoints = 15.75, .alignment = Qt::AlignHCenter | Qt::AlignTop},
    {.name = "Image1", .kind = Kind::Picture, .width = 5325, .height = 4170, .picture = ":/bilder/splash.gif",
     .stretch = true, .accessibleName = QT_TRANSLATE_NOOP("frmLoad", "Flitz rennt davon, Brummo ihm nach")},
};

} // namespace

frmLoad::frmLoad(TimerFactory &timers, std::function<void()> showMainWindow, QWidget *parent)
    : QWidget(parent), zeitTimer(timers.createTimer()), showMainWindow(std::move(showMainWindow))
{
    setWindowTitle(QStringLiteral("Form1"));
    // No title bar, no task-bar button.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(pixels(5400), pixels(5595));
    applyWindowLook(*this, QStringLiteral("Comic Sans MS"), 8.25, Qt::white);
    Form form(*this, splashTable);
    form.take(Vortschritt, "Vortschritt");
    form.take(Label2, "Label2");
    form.take(Label1, "Label1");
    form.take(Image1, "Image1");

    centreOnScreen(*this);

    zeitTimer->onTick([this] { tmrZeit_Timer(); });
    zeitTimer->setInterval(500);
}

void frmLoad::tmrZeit_Timer()
{
    ++Schritte;
    if (Schritte > 5) {
        showMainWindow();
        // Unloading ends the timer with the window: no tick comes after the hand-over.
        zeitTimer->setInterval(0);
        close();
        return;
    }
    const float value = static_cast<float>(Vortschritt->value()) + 20.0f;
    Vortschritt->setValue(static_cast<int>(value));
}
