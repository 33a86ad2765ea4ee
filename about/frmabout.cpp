#include "about/frmabout.h"

#include "about/programlauncher.h"
#include "about/registrylookup.h"
#include "platform/dialogs.h"
#include "widgets/appearance.h"
#include "widgets/formbuilder.h"
#include "widgets/linewidget.h"
#include "widgets/scalablepicture.h"
#include "widgets/twips.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include <array>

namespace {

const QString windowFontFamily = QStringLiteral("MS Sans Serif");
constexpr double windowFontPoints = 8.25;
const QColor black(0, 0, 0);
const QColor white(255, 255, 255);
const QColor grey(128, 128, 128);

// The web address gets a line of its own, since a line break inside it would cut it apart.
const char *const descriptionText = QT_TRANSLATE_NOOP(
    "frmAbout",
    "Dieses Spiel wurde vom Brummo-Team geschrieben. Es ist Freeware und darf unverändert an "
    "andere weitergegeben werden. Infos und Updates: brummo@example.org\n"
    "https://www.example.org/brummo");

const char *const disclaimerText = QT_TRANSLATE_NOOP(
    "frmAbout",
    "Achtung: Für Schäden jeglicher Art wird keine Haftung übernommen. Die Grafiken und Töne "
    "gehören ihrem Rechteinhaber, der dieses Programm nicht autorisiert hat.");

using Kind = ControlSpec::Kind;

// Front to back, in twips; a line's second end point stands in width and height.
const ControlSpec controls[] = {
    {.name = QStringLiteral("picIcon"), .kind = Kind::Picture, .left = 240, .top = 0, .width = 510, .height = 510,
     .background = white, .picture = QStringLiteral(":/bilder/brummo_rot.png"),
     .accessibleName = QT_TRANSLATE_NOOP("frmAbout", "Brummo mit roter Mütze")},
    {.name = QStringLiteral("cmdOK"), .kind = Kind::Button, .left = 4245, .top = 2625, .width = 1260, .height = 345,
     .text = QStringLiteral("OK")},
    {.name = QStringLiteral("cmdSysInfo"), .kind = Kind::Button, .left = 4260, .top = 3075, .width = 1245,
     .height = 345, .text = QT_TRANSLATE_NOOP("frmAbout", "&Systeminfo...")},
    {.name = Form::indexed(QStringLiteral("Line1"), 1), .kind = Kind::Line, .left = 90, .top = 2445, .width = 5654,
     .height = 2445, .foreground = grey, .lineWidth = 1},
    {.name = QStringLiteral("lblDescription"), .kind = Kind::Label, .left = 1080, .top = 720, .width = 4365,
     .height = 1530, .text = descriptionText, .fontFamily = windowFontFamily, .fontPoints = 9.75,
     .foreground = black, .wordWrap = true},
    {.name = QStringLiteral("lblTitle"), .kind = Kind::Label, .left = 1050, .top = 0, .width = 3885, .height = 480,
     .text = QStringLiteral("Brummo on the run"), .fontFamily = windowFontFamily, .fontPoints = 18,
     .foreground = black, .wordWrap = true},
    {.name = Form::indexed(QStringLiteral("Line1"), 0), .kind = Kind::Line, .left = 105, .top = 2460, .width = 5654,
     .height = 2460, .foreground = white, .lineWidth = 2},
    {.name = QStringLiteral("lblVersion"), .kind = Kind::Label, .left = 1050, .top = 360, .width = 3885, .height = 345,
     .text = QStringLiteral("Version 1.0"), .fontFamily = windowFontFamily, .fontPoints = 12, .foreground = black,
     .wordWrap = true},
    {.name = QStringLiteral("lblDisclaimer"), .kind = Kind::Label, .left = 255, .top = 2625, .width = 3870,
     .height = 825, .text = disclaimerText, .foreground = black, .wordWrap = true},
};

constexpr int clientWidth = 5670;
constexpr int clientHeight = 4155;
constexpr int clientLeft = 2340;
constexpr int clientTop = 1935;

const QString splashPicture = QStringLiteral(":/bilder/splash.gif");

const char *const notAvailable = QT_TRANSLATE_NOOP("frmAbout", "Systeminformationen sind momentan nicht verfügbar");

#ifndef _WIN32
// Without Windows there is no MSINFO32 and no registry that names it. These programs give the
// same kind of overview of the machine; the first one is closest to MSINFO32 (a report of
// hardware and system), the desktops' own information centres follow.
constexpr std::array systemInformationPrograms{"hardinfo", "kinfocenter", "gnome-system-monitor"};

QString systemInformationProgramOnPath(const ProgramLauncher &launcher)
{
    for (const char *program : systemInformationPrograms)
        if (QString path = launcher.findOnPath(QString::fromLatin1(program)); !path.isEmpty())
            return path;
    return {};
}
#endif

} // namespace

frmAbout::frmAbout(Dialogs &dialogs, Registry &registry, ProgramLauncher &launcher, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                          | Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint),
      dialogs(dialogs), registry(registry), launcher(launcher),
      splash(devicePicture(splashPicture, devicePixelRatioF()))
{
    setWindowTitle(tr("Über dieses Spiel..."));
    setWindowIcon(scalableIcon(QStringLiteral(":/bilder/brummo_blau.png")));
    setModal(true);

    applyWindowLook(*this, windowFontFamily, windowFontPoints, white);

    takeControls();

    // The picture box sizes itself to its picture; without one it keeps its designed size.
    if (const QPixmap icon = picIcon->pixmap(); !icon.isNull())
        picIcon->resize(icon.deviceIndependentSize().toSize());
    // Unlike a label, a picture box is a tab stop: the focus passes it between the two buttons.
    picIcon->setFocusPolicy(Qt::StrongFocus);

    // Enter presses OK, unless the other button has the focus: then Enter presses that one,
    // the way dialog buttons behave on Windows.
    cmdOK->setAutoDefault(true);
    cmdSysInfo->setAutoDefault(true);
    cmdOK->setDefault(true);

    setTabOrder(cmdOK, picIcon);
    setTabOrder(picIcon, cmdSysInfo);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);

    // The window was placed by its client area; setGeometry places the client area, not the frame.
    const QSize client(pixels(clientWidth), pixels(clientHeight));
    setFixedSize(client);
    const QPoint screenOrigin = QGuiApplication::primaryScreen()
                                    ? QGuiApplication::primaryScreen()->geometry().topLeft()
                                    : QPoint();
    setGeometry(QRect(screenOrigin + QPoint(pixels(clientLeft), pixels(clientTop)), client));
}

void frmAbout::takeControls()
{
    Form form(*this, controls);
    form.take(picIcon, "picIcon");
    form.take(cmdOK, "cmdOK");
    form.take(cmdSysInfo, "cmdSysInfo");
    form.take(Line1, "Line1");
    form.take(lblDescription, "lblDescription");
    form.take(lblTitle, "lblTitle");
    form.take(lblVersion, "lblVersion");
    form.take(lblDisclaimer, "lblDisclaimer");
}

void frmAbout::paintEvent(QPaintEvent *)
{
    // The background picture lies under every control; the white background is filled before.
    // A white veil keeps the see-through labels readable on the colourful picture.
    // Drawn again only when the window has moved to a screen of another scale.
    if (splash.devicePixelRatio() != devicePixelRatioF())
        splash = devicePicture(splashPicture, devicePixelRatioF());
    QPainter painter(this);
    painter.drawPixmap(0, 0, splash);
    painter.fillRect(QRect(QPoint(), splash.deviceIndependentSize().toSize()), QColor(255, 255, 255, 200));
}

void frmAbout::keyPressEvent(QKeyEvent *event)
{
    // OK is also the cancel button: Esc presses it rather than only rejecting the dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdOK->click();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAbout::cmdOK_Click()
{
    accept();
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    QString SysInfoPfad;
    try {
        const std::optional<std::string> fromRegistry = SysInfoPfadSuchen(registry, [this](const std::string &path) {
            return launcher.fileExists(QString::fromLocal8Bit(path));
        });
        if (fromRegistry)
            SysInfoPfad = QString::fromLocal8Bit(*fromRegistry);
#ifndef _WIN32
        else
            SysInfoPfad = systemInformationProgramOnPath(launcher);
#endif
        // The path from the first key is started without an existence test: a missing file
        // fails to start, which leads to the message as well.
        if (!SysInfoPfad.isEmpty() && launcher.start(SysInfoPfad))
            return;
    } catch (const RunTimeError &) {
    }
    dialogs.message(tr(notAvailable));
}
