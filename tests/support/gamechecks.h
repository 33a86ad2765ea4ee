#pragma once

#include "tests/support/gamefixture.h"

#include <QFile>
#include <QTest>

// What the game and saved-game tests read and write again and again, kept in one place so that
// each test file says only what it checks.

inline QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<fehlt>");
}

inline QStringList readOuts(const GameFixture &f)
{
    return {f.window->lblZeit->text(), f.window->lblTreffer->text(), f.window->lblPunkte->text()};
}

inline void setReadOuts(const GameFixture &f, const QStringList &texts)
{
    f.window->lblZeit->setText(texts.value(0));
    f.window->lblTreffer->setText(texts.value(1));
    f.window->lblPunkte->setText(texts.value(2));
}

inline QList<int> fields(const GameFixture &f)
{
    return {f.window->Zeit, f.window->Treffer, f.window->Punkte};
}

// Countdown, show and hide intervals: all 0 before the first start or load.
inline QList<int> intervals(const GameFixture &f)
{
    return {f.window->tmrZeit().interval(), f.window->tmrÄndern().interval(), f.window->tmrVerschwinden().interval()};
}

// The result display as the player sees it: "imgWinner lblSuper", "imgLoser lblBesser", or nothing.
// Anything else (a picture without its text, both results at once) is a broken display.
inline QString shownResult(const GameFixture &f)
{
    QStringList shown;
    for (const QLabel *result : {f.window->imgWinner, f.window->lblSuper, f.window->imgLoser, f.window->lblBesser}) {
        if (!result->isHidden())
            shown.append(result->objectName());
    }
    return shown.join(QLatin1Char(' '));
}
