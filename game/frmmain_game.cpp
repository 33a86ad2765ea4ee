// A game: start, targets, scoring, countdown and its end.
#include "game/frmmain.h"

#include "game/counter16.h"
#include "platform/randomsource.h"
#include "platform/timeofday.h"
#include "widgets/twips.h"
#include "sound/apis.h"

#include <QCoreApplication>
#include <QLabel>

#include <cmath>

namespace {

constexpr int countdownInterval = 1000;
constexpr int showInterval = 2000;
constexpr int hideInterval = 1700;
constexpr int winningScore = 20;  // a score above this wins

// floor(r × n) for r in [0, 1), kept inside 0 … n−1 should a source ever deliver 1.0.
qint16 scaled(double r, int n)
{
    return static_cast<qint16>(std::clamp(static_cast<int>(std::floor(r * n)), 0, n - 1));
}

} // namespace

void frmMain::startTimers()
{
    zeitTimer->setInterval(countdownInterval);
    ändernTimer->setInterval(showInterval);
    verschwindenTimer->setInterval(hideInterval);
}

void frmMain::setCountdownColour(const QColor &colour)
{
    QPalette colours = lblZeit->palette();
    colours.setColor(QPalette::WindowText, colour);
    lblZeit->setPalette(colours);
}

void frmMain::cmdStart_Click()
{
    Zeit = 80;
    startTimers();
    Punkte = 0;
    lblPunkte->setText(QString::number(Punkte));
    Treffer = 0;
    lblTreffer->setText(QString::number(Treffer));
    setCountdownColour(Qt::black);
    Apis &sound = services.sound;
    sound.MidiDatei = sound.Programmordner() + QStringLiteral("kol.mid");
    sound.MusikStarten();
    for (QLabel *result : {imgWinner, lblSuper, imgLoser, lblBesser})
        result->hide();
    sound.WavDaten = sound.WavLaden(QStringLiteral("crap.wav"));
}

void frmMain::tmrÄndern_Timer()
{
    RandomSource &random = services.random;
    random.reseed(services.timeOfDay.secondsSinceMidnight());
    const double r1 = random.next();
    const double r2 = random.next();
    const double r3 = random.next();
    Gegner = scaled(r1, targetCount);
    GegnerOben = scaled(r2, 3950);
    GegnerLinks = scaled(r3, 6960);
    imgGegner[Gegner]->move(pixels(GegnerLinks), pixels(GegnerOben));
    imgGegner[Gegner]->show();
}

void frmMain::tmrVerschwinden_Timer()
{
    imgGegner[Gegner]->hide();
}

void frmMain::tmrZeit_Timer()
{
    if (Zeit > 0) {
        Zeit = saturated16(Zeit - 1);
        lblZeit->setText(QString::number(Zeit));
        if (Zeit <= 10)
            setCountdownColour(QColor(255, 0, 0));
        if (Zeit == 10)
            services.sound.WavAbspielen();
        return;
    }

    zeitTimer->setInterval(0);
    SpielEnde();
    // The score is read back from its label, which a loaded game may have filled with something
    // that is no number; then the score itself decides.
    bool isNumber = false;
    const double score = lblPunkte->text().trimmed().toDouble(&isNumber);
    // A game resumed after an end still shows that end's result; the new result replaces it
    // rather than being drawn over it.
    if ((isNumber ? score : Punkte) > winningScore) {
        imgLoser->hide();
        lblBesser->hide();
        imgWinner->show();
        lblSuper->show();
        Apis &sound = services.sound;
        sound.WavDaten = sound.WavLaden(QStringLiteral("deadnow.wav"));
        sound.WavAbspielen();
    } else {
        imgWinner->hide();
        lblSuper->hide();
        imgLoser->show();
        lblBesser->show();
    }
}

void frmMain::SpielEnde()
{
    ändernTimer->setInterval(0);
    zeitTimer->setInterval(0);
    services.sound.MusikStoppen();
    for (QLabel *target : imgGegner)
        target->hide();
}

void frmMain::imgGegner_MouseDown(qint16 index)
{
    if (index <= 8)
        Punkte = saturated16(Punkte + 1);
    else if (index <= 13)
        Punkte = saturated16(Punkte - 1);
    else
        Punkte = saturated16(Punkte + 2);
    lblPunkte->setText(QString::number(Punkte));
    Treffer = saturated16(Treffer + 1);
    lblTreffer->setText(QString::number(Treffer));
}

void frmMain::cmdEnde_Click()
{
    close();
    QCoreApplication::quit();
}
