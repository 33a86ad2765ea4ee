// Whole games in virtual time: start, targets, scoring, countdown, end.
#include "tests/support/gamefixture.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

class TestGame : public QObject {
    Q_OBJECT

private:
    // Shows target `index` at the next show tick (t = 2 s after a start) and returns the clock there.
    static void showTarget(GameFixture &f, int index)
    {
        f.nextTarget(index);
        f.clock.advanceTo(2000);
        QVERIFY(!f.target(index)->isHidden());
    }

    static void press(GameFixture &f, int index, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(f.target(index), button, Qt::NoModifier, QPoint(10, 10));
    }

private slots:
    void wholeGameFollowsTheTimingTable()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        int shows = 0;
        for (int second = 1; second <= 80; ++second) {
            f.clock.advanceTo(second * 1000 - 1);
            QCOMPARE(f.text("lblZeit"), second == 1 ? QString() : QString::number(81 - second));
            QCOMPARE(f.countdownColour(), second <= 70 ? QColor(Qt::black) : QColor(255, 0, 0));
            f.clock.advanceTo(second * 1000);
            QCOMPARE(f.text("lblZeit"), QString::number(80 - second));
            QCOMPARE(f.audio.count("wave "), second < 70 ? 0 : 1);
            if (second % 2 == 0)
                ++shows;
            QCOMPARE(f.random.seeds.size(), shows);
        }
        QCOMPARE(f.countdownColour(), QColor(255, 0, 0));
        QCOMPARE(f.audio.waves.first().size(), GameFixture::warningBytes);
        QVERIFY(f.visibleTargets() <= 1);
        QVERIFY(f.label("imgLoser")->isHidden());

        f.clock.advanceTo(80999);
        QVERIFY(f.label("imgLoser")->isHidden());
        f.clock.advanceTo(81000);
        QVERIFY(!f.label("imgLoser")->isHidden());
        QVERIFY(!f.label("lblBesser")->isHidden());
        QVERIFY(f.label("imgWinner")->isHidden());
        QCOMPARE(f.visibleTargets(), 0);
        QCOMPARE(f.window->tmrZeit().interval(), 0);
        QCOMPARE(f.window->tmrÄndern().interval(), 0);
        QCOMPARE(f.window->tmrVerschwinden().interval(), 1700);
        QVERIFY(!f.audio.musicPlaying);
        QVERIFY(!f.sound.Umgeleitet);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("0"));

        // After the end nothing shows up any more, while the hide timer goes on ticking.
        f.clock.advanceTo(200000);
        QCOMPARE(f.random.seeds.size(), 40);
        QCOMPARE(f.visibleTargets(), 0);
        QCOMPARE(f.audio.count("wave "), 1);
    }

    void targetsAppearAndVanishInTheirRhythm()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        f.nextTarget(5, 1500, 900);
        f.clock.advanceTo(1999);
        QCOMPARE(f.visibleTargets(), 0);
        f.clock.advanceTo(2000);
        QVERIFY(!f.target(5)->isHidden());
        QCOMPARE(f.target(5)->pos(), QPoint(100, 60));
        QCOMPARE(f.window->Gegner, 5);
        QCOMPARE(f.window->GegnerLinks, 1500);
        QCOMPARE(f.window->GegnerOben, 900);
        QCOMPARE(f.random.seeds.last(), f.timeOfDay.seconds);
        // The first target is hidden by the hide tick at 3.4 s: 1.4 s on the field.
        f.clock.advanceTo(3399);
        QVERIFY(!f.target(5)->isHidden());
        f.clock.advanceTo(3400);
        QVERIFY(f.target(5)->isHidden());
    }

    void eachTargetScoresByItsGroup_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("points");
        for (int index = 0; index < frmMain::targetCount; ++index) {
            const int points = index <= 8 ? 1 : index <= 13 ? -1 : 2;
            QTest::addRow("target %d", index) << index << points;
        }
    }

    void eachTargetScoresByItsGroup()
    {
        QFETCH(int, index);
        QFETCH(int, points);
        GameFixture f;
        f.window->cmdStart_Click();
        showTarget(f, index);
        press(f, index);
        QCOMPARE(f.window->Punkte, points);
        QCOMPARE(f.text("lblPunkte"), QString::number(points));
        QCOMPARE(f.window->Treffer, 1);
        QCOMPARE(f.text("lblTreffer"), QStringLiteral("1"));
        QVERIFY(!f.target(index)->isHidden());
    }

    void everyPressOnAShownTargetCountsWhateverTheButton()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        press(f, 14);  // still hidden
        QCOMPARE(f.window->Treffer, 0);
        showTarget(f, 14);
        press(f, 14);
        press(f, 14, Qt::RightButton);
        press(f, 14, Qt::MiddleButton);
        QCOMPARE(f.window->Punkte, 6);
        QCOMPARE(f.window->Treffer, 3);
        QCOMPARE(f.text("lblTreffer"), QStringLiteral("3"));
    }

    void finalScoreDecides_data()
    {
        QTest::addColumn<int>("flitzPresses");
        QTest::addColumn<int>("penaltyPresses");
        QTest::addColumn<bool>("won");
        QTest::newRow("20 loses") << 20 << 0 << false;
        QTest::newRow("21 wins") << 21 << 0 << true;
        QTest::newRow("negative loses") << 0 << 3 << false;
    }

    void finalScoreDecides()
    {
        QFETCH(int, flitzPresses);
        QFETCH(int, penaltyPresses);
        QFETCH(bool, won);
        GameFixture f;
        f.window->cmdStart_Click();
        showTarget(f, 0);
        for (int i = 0; i < flitzPresses; ++i)
            press(f, 0);
        f.nextTarget(11);
        f.clock.advanceTo(4000);
        for (int i = 0; i < penaltyPresses; ++i)
            press(f, 11);
        f.clock.advanceTo(81000);
        QCOMPARE(!f.label("imgWinner")->isHidden(), won);
        QCOMPARE(!f.label("lblSuper")->isHidden(), won);
        QCOMPARE(!f.label("imgLoser")->isHidden(), !won);
        QCOMPARE(!f.label("lblBesser")->isHidden(), !won);
        QCOMPARE(f.audio.count("wave "), won ? 2 : 1);
        if (won) {
            QCOMPARE(f.audio.waves.last().size(), GameFixture::winnerBytes);
            QCOMPARE(f.sound.WavDaten->size(), GameFixture::winnerBytes);
        }
        // Nothing can be pressed after the end.
        press(f, 0);
        QCOMPARE(f.window->Treffer, flitzPresses + penaltyPresses);
    }

    void startDuringAGameStartsAfresh()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        f.nextTarget(16);
        f.clock.advanceTo(30000);
        press(f, 16);
        QVERIFY(!f.target(16)->isHidden());
        QCOMPARE(f.text("lblZeit"), QStringLiteral("50"));

        f.window->cmdStart_Click();
        QCOMPARE(f.window->Zeit, 80);
        QCOMPARE(f.text("lblPunkte"), QStringLiteral("0"));
        QCOMPARE(f.text("lblTreffer"), QStringLiteral("0"));
        QCOMPARE(f.text("lblZeit"), QStringLiteral("50"));
        QCOMPARE(f.audio.count("play " + f.programFolder.path() + "/kol.mid"), 2);
        QCOMPARE(f.audio.handlerInstalls, 1);
        QVERIFY(!f.target(16)->isHidden());
        f.clock.advance(1000);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("79"));
        f.clock.advance(700);
        QCOMPARE(f.visibleTargets(), 0);
    }

    void startAfterTheEndClearsTheResult()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        f.clock.advanceTo(81000);
        QVERIFY(!f.label("imgLoser")->isHidden());
        f.window->cmdStart_Click();
        for (const char *name : {"imgWinner", "lblSuper", "imgLoser", "lblBesser"})
            QVERIFY2(f.label(name)->isHidden(), name);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("0"));
        QCOMPARE(f.countdownColour(), QColor(Qt::black));
        f.clock.advance(999);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("0"));
        f.clock.advance(1);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("79"));
    }

    void aMissingWarningSoundDoesNotStopTheGame()
    {
        GameFixture f;
        QFile::remove(f.programFolder.filePath(QStringLiteral("crap.wav")));
        f.window->cmdStart_Click();
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown.first().title, QStringLiteral("Fehler"));
        QVERIFY(f.dialogs.shown.first().text.contains(QStringLiteral("crap.wav")));
        f.clock.advanceTo(70000);
        QCOMPARE(f.text("lblZeit"), QStringLiteral("10"));
        QCOMPARE(f.audio.events.last(), QStringLiteral("wave 0"));
        QCOMPARE(f.dialogs.shown.size(), 1);
    }

    void anOpenBoxDoesNotStopTheTime()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        f.dialogs.whileOpen = [&f] { f.clock.advance(5000); };
        f.window->cmdSpeichern_Click();  // cancelled after five seconds
        QCOMPARE(f.text("lblZeit"), QStringLiteral("75"));
        QCOMPARE(f.random.seeds.size(), 2);
    }

    void gameRunsOnBehindTheAboutWindowAndEnds()
    {
        GameFixture f;
        f.window->show();
        f.window->cmdStart_Click();
        f.nextTarget(0);
        bool aboutWasOpen = false;
        bool targetShownBehind = false;
        QTimer::singleShot(0, [&] {
            QWidget *about = QApplication::activeModalWidget();
            aboutWasOpen = about && about != f.window.get();
            f.clock.advanceTo(2000);
            targetShownBehind = !f.target(0)->isHidden();
            // Through the window system, which keeps input from a window behind a modal one.
            QTest::mousePress(f.window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                              f.target(0)->geometry().center());
            f.clock.advanceTo(81000);
            if (about)
                about->close();
        });
        f.window->cmdInfo_Click();
        QVERIFY(aboutWasOpen);
        QVERIFY(targetShownBehind);
        QCOMPARE(f.window->Treffer, 0);
        QVERIFY(!f.label("imgLoser")->isHidden());
        QCOMPARE(f.text("lblZeit"), QStringLiteral("0"));
    }

    void countersStopAtTheirLimits()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        showTarget(f, 16);
        f.window->Punkte = 32766;
        f.window->Treffer = 32767;
        press(f, 16);
        QCOMPARE(f.window->Punkte, 32767);
        QCOMPARE(f.window->Treffer, 32767);
        press(f, 16);
        QCOMPARE(f.text("lblPunkte"), QStringLiteral("32767"));

        f.window->Punkte = -32768;
        f.nextTarget(12);
        f.clock.advanceTo(4000);
        press(f, 12);
        QCOMPARE(f.window->Punkte, -32768);
    }

    void scoreTextThatIsNoNumberLeavesTheDecisionToTheScore()
    {
        GameFixture f;
        f.window->cmdStart_Click();
        f.window->Punkte = 25;
        f.label("lblPunkte")->setText(QStringLiteral("abc"));
        f.clock.advanceTo(81000);
        QVERIFY(!f.label("imgWinner")->isHidden());
    }

    void aTargetAtTheFarCornerIsPressableWhereVisible()
    {
        GameFixture f;
        f.window->show();
        f.window->cmdStart_Click();
        f.nextTarget(1, 6959, 3949);
        f.clock.advanceTo(2000);
        QLabel *corner = f.target(1);
        QCOMPARE(corner->geometry(), QRect(463, 263, 32, 32));
        // The data frame, drawn in front of pictures, covers the part right of x = 480.
        QCOMPARE(f.window->childAt(470, 270), corner);
        QVERIFY(f.window->childAt(485, 270) != corner);
        QTest::mousePress(f.window->childAt(470, 270), Qt::LeftButton, Qt::NoModifier, QPoint(7, 7));
        QCOMPARE(f.window->Punkte, 1);
    }
};

QTEST_MAIN(TestGame)
#include "test_game.moc"
