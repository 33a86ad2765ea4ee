// The main window's controls, as designed, and how they are wired.
#include "game/frmmain.h"

#include "game/savedgame.h"
#include "platform/folders.h"
#include "platform/localnames.h"
#include "widgets/appearance.h"
#include "widgets/formbuilder.h"
#include "widgets/linewidget.h"
#include "widgets/placement.h"
#include "widgets/scalablepicture.h"
#include "widgets/twips.h"

#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

using Kind = ControlSpec::Kind;

const QColor yellow(255, 255, 0);
const QColor red(255, 0, 0);
const QString comicSans = QStringLiteral("Comic Sans MS");

QString gegnerPicture(int index)
{
    return QStringLiteral(":/bilder/gegner%1.png").arg(index, 2, 10, QLatin1Char('0'));
}

// Who each target is, for a screen reader: the first nine are Flitz, then those that cost a point,
// then those worth two.
const char *const gegnerNames[frmMain::targetCount] = {
    QT_TRANSLATE_NOOP("frmMain", "Flitz, von vorn, wütend"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz im Profil, nach rechts"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz als Pirat"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz verkleidet, mit Hut"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz im Profil, schreiend"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz mit Brille auf der Stirn"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz im Profil, nach links"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz als halber Roboter"),
    QT_TRANSLATE_NOOP("frmMain", "Flitz, von vorn, zwinkernd"),
    QT_TRANSLATE_NOOP("frmMain", "Quendas Schwester mit Pferdeschwanz"),
    QT_TRANSLATE_NOOP("frmMain", "Quendas Schwester mit Bubikopf"),
    QT_TRANSLATE_NOOP("frmMain", "Polizist"),
    QT_TRANSLATE_NOOP("frmMain", "zweiter Polizist"),
    QT_TRANSLATE_NOOP("frmMain", "Außerirdischer im Raumhelm"),
    QT_TRANSLATE_NOOP("frmMain", "Dose Grolz-Bier"),
    QT_TRANSLATE_NOOP("frmMain", "alter Fernseher"),
    QT_TRANSLATE_NOOP("frmMain", "Quenda"),
};

ControlSpec target(int index)
{
    return {.name = Form::indexed(QStringLiteral("imgGegner"), index), .kind = Kind::Picture,
            .width = 480, .height = 480, .visible = false, .picture = gegnerPicture(index),
            .accessibleName = QString::fromUtf8(gegnerNames[index])};
}

ControlSpec erklärung(int index, int top, int height, const QString &text)
{
    return {.name = Form::indexed(QStringLiteral("lblErklärung"), index), .kind = Kind::Label,
            .top = top, .width = 7095, .height = height, .text = text, .background = yellow,
            .wordWrap = index == 0};
}

// Read out with the caption beside it and the value it shows: "Verbleibende Zeit: 79".
ControlSpec readOut(const QString &name, int left, int top, const QString &spoken)
{
    return {.name = name, .kind = Kind::Label, .container = QStringLiteral("fraGame"), .left = left,
            .top = top, .width = 615, .height = 255, .background = yellow, .alignment = Qt::AlignHCenter | Qt::AlignTop,
            .accessibleName = spoken};
}

ControlSpec caption(int index, int top, int width, const QString &text)
{
    return {.name = Form::indexed(QStringLiteral("lblHaha"), index), .kind = Kind::Label,
            .container = QStringLiteral("fraGame"), .left = 120, .top = top, .width = width, .height = 255,
            .text = text, .background = yellow};
}

ControlSpec yellowButton(const QString &name, const QString &container, int left, int top, int width,
                         const QString &text)
{
    return {.name = name, .kind = Kind::Button, .container = container, .left = left, .top = top,
            .width = width, .height = 375, .text = text, .background = yellow};
}

ControlSpec resultText(const QString &name, const QString &text)
{
    return {.name = name, .kind = Kind::Label, .top = 3720, .width = 7215, .height = 615, .text = text,
            .fontFamily = comicSans, .fontPoints = 27.75, .visible = false};
}

ControlSpec resultPicture(const QString &name, int width, const QString &picture, const QString &shows)
{
    return {.name = name, .kind = Kind::Picture, .width = width, .height = 3735, .visible = false,
            .picture = picture, .stretch = true, .accessibleName = shows};
}

// Front to back. Frames, buttons and the file list stand before everything that lies directly on the
// window; a container stands behind its own controls.
std::vector<ControlSpec> mainWindowTable()
{
    const QString fraGame = QStringLiteral("fraGame");
    const QString fraEinstellungen = QStringLiteral("fraEinstellungen");
    std::vector<ControlSpec> table = {
        {.name = "cmdStart", .kind = Kind::Button, .top = 5640, .width = 6975, .height = 225,
         .text = QT_TRANSLATE_NOOP("frmMain", "Alles klar, los gehts!!!"), .background = red},
        yellowButton("cmdInfo", {}, 7200, 5520, 3015, QT_TRANSLATE_NOOP("frmMain", "Über dieses Spiel")),
        yellowButton("cmdLaden", {}, 7320, 2640, 2775, QT_TRANSLATE_NOOP("frmMain", "Spiel laden")),
        caption(0, 240, 1455, QT_TRANSLATE_NOOP("frmMain", "Verbleibende Zeit:")),
        readOut("lblZeit", 1680, 240, QT_TRANSLATE_NOOP("frmMain", "Verbleibende Zeit: %1")),
        caption(1, 600, 735, QT_TRANSLATE_NOOP("frmMain", "Treffer:")),
        readOut("lblTreffer", 840, 600, QT_TRANSLATE_NOOP("frmMain", "Treffer: %1")),
        caption(2, 960, 615, QT_TRANSLATE_NOOP("frmMain", "Punkte:")),
        readOut("lblPunkte", 840, 960, QT_TRANSLATE_NOOP("frmMain", "Punkte: %1")),
        yellowButton("cmdEnde", fraGame, 120, 1320, 2775,
                     QT_TRANSLATE_NOOP("frmMain", "Brummo on the run beenden")),
        {.name = fraGame, .kind = Kind::Frame, .left = 7200, .width = 3015, .height = 1815,
         .text = QT_TRANSLATE_NOOP("frmMain", "Aktuelles Spiel"), .background = yellow},
        yellowButton("cmdSpeichern", fraEinstellungen, 120, 360, 2775,
                     QT_TRANSLATE_NOOP("frmMain", "Aktuelles Spiel speichern")),
        {.name = "filLaden", .kind = Kind::FileList, .container = fraEinstellungen, .left = 120, .top = 1320,
         .width = 2775, .height = 990, .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Gespeicherte Spiele")},
        {.name = fraEinstellungen, .kind = Kind::Frame, .left = 7200, .top = 1800, .width = 3015, .height = 2415,
         .text = QT_TRANSLATE_NOOP("frmMain", "Daten"), .background = yellow},
        resultText("lblSuper", QT_TRANSLATE_NOOP("frmMain", "Super. Ondie hauts fast um.")),
        resultPicture("imgWinner", 7215, ":/bilder/winner.gif",
                      QT_TRANSLATE_NOOP("frmMain", "Ondie, verblüfft, mit erhobenen Händen")),
        resultText("lblBesser", QT_TRANSLATE_NOOP("frmMain", "Versuch es besser nochmal!")),
        resultPicture("imgLoser", 7155, ":/bilder/loser.gif",
                      QT_TRANSLATE_NOOP("frmMain", "Brummo hält sich den Kopf")),
        {.name = "Line2", .kind = Kind::Line, .left = 7080, .top = 5400, .width = 10200, .height = 5400},
        {.name = "Line1", .kind = Kind::Line, .left = 7080, .top = 4320, .width = 7080, .height = 5880},
        {.name = "lblInformation", .kind = Kind::Label, .left = 7200, .top = 4320, .width = 3015, .height = 975,
         .text = QT_TRANSLATE_NOOP("frmMain",
                                   "Brummo, Flitz, Quenda, Ondie and all other characters are the property of "
                                   "their rights holder. All rights reserved; any reproduction or distribution "
                                   "is prohibited. This program is not authorised by the rights holder."),
         .fontFamily = comicSans, .fontPoints = 6.75, .background = yellow, .wordWrap = true},
        erklärung(3, 5400, 255,
                  QT_TRANSLATE_NOOP("frmMain",
                                    "Bonuspunkt(+2): Solltest du ein Grolz Beer, den Fernseher oder Quenda bekommen.")),
        erklärung(2, 5160, 255,
                  QT_TRANSLATE_NOOP("frmMain", "Minuspunkt(-1): Falls du eine von Quendas Schwestern, einen "
                                               "Ploizisten oder Alien triffst.")),
        erklärung(1, 4920, 255, QT_TRANSLATE_NOOP("frmMain", "Pluspunkt(+1): Für jeden Flitz den du erwischst.")),
    };
    for (int index = frmMain::targetCount - 1; index >= 0; --index)
        table.push_back(target(index));
    table.push_back(erklärung(0, 4440, 495,
                              QT_TRANSLATE_NOOP("frmMain",
                                                "Das Ziel des Spiels ist es, mit Brummo möglichst oft Flitz "
                                                "einzufangen. Flitz ist schuld, daß Brummo heute zur Arbeit muß. ")));
    table.push_back({.name = "imgBackground", .kind = Kind::Picture, .width = 7140, .height = 4365,
                     .picture = ":/bilder/spielfeld.jpg", .stretch = true,
                     .accessibleName = QT_TRANSLATE_NOOP("frmMain", "Spielfeld: Brummos Haus, von der Straße aus")});
    return table;
}

} // namespace

void frmMain::buildControls()
{
    setWindowTitle(QStringLiteral("Brummo on the run"));
    setWindowIcon(scalableIcon(QStringLiteral(":/bilder/brummo.png")));
    // A sizable frame with minimize but no maximize button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    resize(pixels(10245), pixels(5880));
    centreOnScreen(*this);

    applyWindowLook(*this, comicSans, 8.25, yellow);

    takeControls();

    imgBackground->setCursor(centredCursor(QStringLiteral(":/bilder/brummo.png"), devicePixelRatioF()));
    for (QLabel *target : imgGegner)
        target->installEventFilter(this);

    setTabOrder(cmdSpeichern, cmdLaden);
    setTabOrder(cmdLaden, filLaden);
    setTabOrder(filLaden, cmdEnde);
    setTabOrder(cmdEnde, cmdInfo);
    setTabOrder(cmdInfo, cmdStart);
    cmdSpeichern->setFocus();

    fillFileList();
}

void frmMain::takeControls()
{
    Form form(*this, mainWindowTable());
    form.take(cmdStart, "cmdStart");
    form.take(cmdInfo, "cmdInfo");
    form.take(cmdLaden, "cmdLaden");
    form.take(lblHaha, "lblHaha");
    form.take(lblZeit, "lblZeit");
    form.take(lblTreffer, "lblTreffer");
    form.take(lblPunkte, "lblPunkte");
    form.take(cmdEnde, "cmdEnde");
    form.take(fraGame, "fraGame");
    form.take(cmdSpeichern, "cmdSpeichern");
    form.take(filLaden, "filLaden");
    form.take(fraEinstellungen, "fraEinstellungen");
    form.take(lblSuper, "lblSuper");
    form.take(imgWinner, "imgWinner");
    form.take(lblBesser, "lblBesser");
    form.take(imgLoser, "imgLoser");
    form.take(Line2, "Line2");
    form.take(Line1, "Line1");
    form.take(lblInformation, "lblInformation");
    form.take(lblErklärung, "lblErklärung");
    form.take(imgGegner, "imgGegner");
    form.take(imgBackground, "imgBackground");
}

void frmMain::fillFileList()
{
    // Listed once, when the window is made: a game saved later does not show up until the next run.
    savedGamesFolder = withTrailingSeparator(services.folders.workingFolder());
    localSavedGamesFolder = withTrailingSeparator(services.folders.localWorkingFolder());
    for (const SavedGame::Listed &game : SavedGame::listFolder(localSavedGamesFolder)) {
        auto *item = new QListWidgetItem(game.shown, filLaden);
        item->setData(localNameRole, game.local);
    }
}

void frmMain::connectHandlers()
{
    connect(cmdStart, &QPushButton::clicked, this, &frmMain::cmdStart_Click);
    connect(cmdEnde, &QPushButton::clicked, this, &frmMain::cmdEnde_Click);
    connect(cmdSpeichern, &QPushButton::clicked, this, &frmMain::cmdSpeichern_Click);
    connect(cmdLaden, &QPushButton::clicked, this, &frmMain::cmdLaden_Click);
    connect(cmdInfo, &QPushButton::clicked, this, &frmMain::cmdInfo_Click);

    zeitTimer->onTick([this] { tmrZeit_Timer(); });
    ändernTimer->onTick([this] { tmrÄndern_Timer(); });
    verschwindenTimer->onTick([this] { tmrVerschwinden_Timer(); });
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        for (int index = 0; index < targetCount; ++index) {
            if (watched == imgGegner[index]) {
                if (!imgGegner[index]->isHidden())
                    imgGegner_MouseDown(static_cast<qint16>(index));
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}
