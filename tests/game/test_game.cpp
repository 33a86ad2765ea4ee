// Whole games in virtual time: start, targets, scoring, countdown, end.
#include "tests/support/gamechecks.h"

#include <QApplication>
#include <QTimer>

namespace {

const QString lost = QStringLiteral("imgLoser lblBesser");

struct Started : RecordedGame {
    Started() { window->cmdStart_Click(); }
};

// A game run to its end with a score label that is no number, as a failed load may leave it.
struct EndedWithUnreadableScore : Started {
    explicit EndedWithUnreadableScore(int score)
    {
        window->Punkte = window->Treffer = static_cast<qint16>(score);
        setReadOuts(*this, {"", "7", "abc"});
        clock.advanceTo(81000);
    }
};

} // namespace

class TestGame : public QObject {
    Q_OBJECT

private slots:
    void wholeGameFollowsTheTimingTable()
    {
        Started f;
        f.nextTarget(5, 1500, 900);
        for (int second = 1; second <= 80; ++second) {
            if (second == 4) {  // the hide tick at 3.4 s takes the first target: 1.4 s on the field
                f.clock.advanceTo(3399);
                QVERIFY(!f.window->imgGegner[5]->isHidden());
                f.clock.advanceTo(3400);
                QVERIFY(f.window->imgGegner[5]->isHidden());
            }
            f.clock.advanceTo(second * 1000 - 1);
            QCOMPARE(f.window->lblZeit->text(), second == 1 ? QString() : QString::number(81 - second));
            QCOMPARE(f.countdownColour(), second <= 70 ? QColor(Qt::black) : QColor(255, 0, 0));
            QVERIFY(f.visibleTargets() <= (second <= 2 ? 0 : 1));
            f.clock.advanceTo(second * 1000);
            QCOMPARE(f.window->lblZeit->text(), QString::number(80 - second));
            QCOMPARE(f.audio.count(SoundEvent::Kind::Wave), second < 70 ? 0 : 1);
            QCOMPARE(f.random.seeds, QList<double>(second / 2, f.timeOfDay.seconds));
            if (second == 2)  // where the three random numbers put it, twips turned into pixels
                QCOMPARE(f.window->imgGegner[5]->pos(), QPoint(100, 60));
        }

        f.clock.advanceTo(80999);
        QCOMPARE(shownResult(f), QString());
        f.clock.advanceTo(81000);
        QCOMPARE(shownResult(f), lost);
        QCOMPARE(f.visibleTargets(), 0);
        QCOMPARE(intervals(f), (QList<int>{0, 0, 1700}));
        QVERIFY(!f.audio.musicPlaying);
        QVERIFY(!f.sound.Umgeleitet());

        // After the end nothing shows up any more, while the hide timer goes on ticking.
        f.clock.advanceTo(200000);
        QCOMPARE(f.random.seeds.size(), 40);
        QCOMPARE(f.audio.count(SoundEvent::Kind::Wave), 1);
    }

    void eachTargetScoresByItsGroup_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("before");  // score and hits before the presses
        QTest::addColumn<int>("score");   // afterwards
        QTest::addColumn<int>("hits");
        // The first and last target of each group: Flitz, those that cost a point, those worth two.
        for (const auto &[index, points] : {std::pair{0, 1}, {8, 1}, {9, -1}, {13, -1}, {14, 2}, {16, 2}})
            QTest::addRow("target %d", index) << index << 0 << 3 * points << 3;
        // A loaded game can bring the 16-bit counters to their limits, where they stay.
        QTest::newRow("up to the limit") << 16 << 32766 << 32767 << 32767;
        QTest::newRow("down to the limit") << 12 << -32767 << -32768 << -32764;
    }

    // Three presses with three buttons on one visible target: each counts, the target stays, also
    // through a new start, which takes the points away.
    void eachTargetScoresByItsGroup()
    {
        QFETCH(int, index);
        QFETCH(int, before);
        QFETCH(int, score);
        QFETCH(int, hits);
        Started f;
        f.window->Punkte = f.window->Treffer = static_cast<qint16>(before);
        QLabel *target = f.window->imgGegner[index];
        QTest::mousePress(target, Qt::LeftButton);  // still hidden: nothing
        QCOMPARE(f.window->Treffer, before);
        f.nextTarget(index);
        f.clock.advanceTo(2000);  // the first show tick
        for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
            QTest::mousePress(target, button);
        QCOMPARE(fields(f), (QList<int>{78, hits, score}));
        QCOMPARE(readOuts(f), (QStringList{"78", QString::number(hits), QString::number(score)}));
        f.window->cmdStart_Click();
        QCOMPARE(readOuts(f), (QStringList{"78", "0", "0"}));
        QVERIFY(!target->isHidden());
    }

    // Only a failed load leaves a score label that is no number; then the score itself decides.
    void theEndTakesTheScoreWhenItsLabelIsNoNumber()
    {
        for (const int score : {20, 21}) {
            const EndedWithUnreadableScore f(score);
            const bool wins = score > 20;
            QCOMPARE(shownResult(f), wins ? QStringLiteral("imgWinner lblSuper") : lost);
            QCOMPARE(f.audio.waves.last().size(), wins ? GameFixture::winnerBytes : GameFixture::warningBytes);
        }
    }

    // A start after a won or a lost end begins afresh, with the old time shown until the first tick.
    void aStartAfterTheEndBeginsAfresh()
    {
        for (const int score : {20, 21}) {
            EndedWithUnreadableScore f(score);
            f.window->cmdStart_Click();
            QCOMPARE(shownResult(f), QString());
            QCOMPARE(f.countdownColour(), QColor(Qt::black));
            QCOMPARE(fields(f), (QList<int>{80, 0, 0}));
            QCOMPARE(readOuts(f), (QStringList{"0", "0", "0"}));
            QCOMPARE(f.audio.events.count(SoundEvent::play(QDir::toNativeSeparators(f.programFolder.path() + "/kol.mid"))), 2);
            f.clock.advance(1000);
            QCOMPARE(f.window->lblZeit->text(), QStringLiteral("79"));
        }
    }

    // Behind the about window the game runs on and takes no press. A target at the far corner is
    // pressed afterwards, where the data frame, drawn in front of pictures, leaves it visible.
    void gameRunsOnBehindTheAboutWindowAndEnds()
    {
        Started f;
        f.window->show();
        f.nextTarget(1, 6959, 3949);
        // Through the window system, which keeps input from a window behind a modal one.
        const auto pressAt = [&f](int x) {
            QTest::mouseClick(f.window->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(x, 270));
        };
        bool targetShownBehind = false;
        QTimer::singleShot(0, [&] {
            f.clock.advanceTo(2000);
            targetShownBehind = !f.window->imgGegner[1]->isHidden();
            pressAt(470);
            if (QWidget *about = QApplication::activeModalWidget())
                about->close();
        });
        f.window->cmdInfo_Click();
        QVERIFY(targetShownBehind);
        QCOMPARE(f.window->Treffer, 0);
        // 6959 and 3949 twips, to the nearest pixel; the data frame hides whatever lies right of x = 480.
        QCOMPARE(f.window->imgGegner[1]->geometry(), QRect(464, 263, 32, 32));
        pressAt(485);
        pressAt(470);
        QCOMPARE(f.window->Punkte, 1);
        f.clock.advanceTo(81000);
        QCOMPARE(shownResult(f), lost);
    }
};

QTEST_MAIN(TestGame)
#include "test_game.moc"
