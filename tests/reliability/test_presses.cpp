// Presses as the player makes them. Thousands of whole games in virtual time, with presses at
// random moments: every press on a visible target counts, none on a hidden one, and memory stays
// flat. And presses as the window system delivers them: quick ones in one place turn into double
// clicks on their way through Qt, and each press must still count exactly once.
#include "tests/support/procstats.h"
#include "tests/support/gamefixture.h"

#include <QTest>
#include <QWindow>

#include <random>

namespace {

// Under the sanitizers every step costs several times as much; fewer games still show leaks,
// which LeakSanitizer reports there.
constexpr int games = procstats::underAddressSanitizer ? 2000 : 10000;

// What a press on each target is worth: Flitz nine times, then Quenda's sisters, the police and
// the alien, then the beer, the television and Quenda.
constexpr int pointsFor[frmMain::targetCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1, 2, 2, 2};

} // namespace

class TestPresses : public QObject {
    Q_OBJECT

private slots:
    void thousandsOfGamesCountEveryPressAndKeepMemoryFlat()
    {
        RecordedGame f;
        std::mt19937 engine(20250607);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        // Where and which targets show comes from the fake random source, from this list over and over.
        for (int i = 0; i < 4099; ++i)
            f.random.values.append(unit(engine));
        std::uniform_int_distribution<int> pause(30, 1500);        // milliseconds between presses
        std::uniform_int_distribution<int> anyTarget(0, frmMain::targetCount - 1);
        std::uniform_int_distribution<int> anyButton(0, 2);   // left, right, middle: 1, 2, 4

        qint64 residentAfter1000 = 0;
        long long totalPresses = 0;
        long long countedPresses = 0;
        for (int game = 1; game <= games; ++game) {
            // The fakes record every sound and every seed; the game itself must keep nothing.
            f.audio.events.clear();
            f.audio.waves.clear();
            f.random.seeds.clear();
            f.window->cmdStart_Click();
            const long long end = f.clock.now() + 81000;
            int presses = 0;
            int score = 0;
            while (f.clock.now() < end) {
                f.clock.advanceTo(std::min(end, f.clock.now() + pause(engine)));
                // Mostly the target shown last, which may or may not still be visible; now and then any other.
                const int index = unit(engine) < 0.8 ? f.window->Gegner : anyTarget(engine);
                QLabel *target = f.window->imgGegner[index];
                const bool visible = !target->isHidden();
                QTest::mousePress(target, Qt::MouseButton(1 << anyButton(engine)));
                ++totalPresses;
                if (visible) {
                    ++presses;
                    score += pointsFor[index];
                }
            }
            QCOMPARE(int(f.window->Treffer), presses);
            QCOMPARE(int(f.window->Punkte), score);
            QCOMPARE((score > 20 ? f.window->imgWinner : f.window->imgLoser)->isHidden(), false);
            QVERIFY(f.dialogs.shown.isEmpty());
            countedPresses += presses;
            if (game == 1000)
                residentAfter1000 = procstats::residentBytes();
        }
        // Both kinds of press must have happened, or the count proves little.
        QVERIFY(countedPresses > games * 10LL && countedPresses < totalPresses);
        if (!procstats::underAddressSanitizer)
            QCOMPARE_LT(procstats::residentBytes() - residentAfter1000, 1 << 20);
    }

    void quickPressesInOnePlaceCountOnceEach_data()
    {
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("pauseMs");          // from a release to the next press
        QTest::addColumn<bool>("doubleClicks");    // whether Qt is to see double clicks in them
        QTest::newRow("a double click") << 2 << 50 << true;
        QTest::newRow("twenty a second") << 20 << 45 << true;
        QTest::newRow("slow ones") << 3 << 900 << false;
    }

    void quickPressesInOnePlaceCountOnceEach()
    {
        QFETCH(int, presses);
        QFETCH(int, pauseMs);
        QFETCH(bool, doubleClicks);
        RecordedGame f;
        f.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
        f.window->cmdStart_Click();
        f.nextTarget(16, 3000, 2000);
        f.clock.advanceTo(2000);
        QLabel *target = f.window->imgGegner[16];
        struct : QObject {
            bool eventFilter(QObject *, QEvent *event) override
            {
                count += event->type() == QEvent::MouseButtonDblClick;
                return false;
            }
            int count = 0;
        } seen;
        target->installEventFilter(&seen);

        // QTest moves its event times half a second on after every release, so that its clicks
        // never make a double click; these carry times as the window system would.
        QWindow *window = f.window->windowHandle();
        const QPointF local(target->geometry().center());
        const QPointF global = window->mapToGlobal(local);
        int timestamp = 100000;
        for (int i = 0; i < presses; ++i) {
            timestamp += pauseMs;
            qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress,
                                Qt::NoModifier, timestamp);
            timestamp += 5;
            qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease,
                                Qt::NoModifier, timestamp);
        }
        QCOMPARE(seen.count > 0, doubleClicks);
        QCOMPARE(int(f.window->Treffer), presses);
        QCOMPARE(int(f.window->Punkte), 2 * presses);
    }
};

QTEST_MAIN(TestPresses)
#include "test_presses.moc"
