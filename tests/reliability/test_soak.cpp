// Thousands of whole games in one process, in virtual time, with presses at random moments:
// every press on a visible target counts, none on a hidden one, and memory stays flat.
#include "tests/reliability/procstats.h"
#include "tests/support/gamefixture.h"

#include <QTest>

#include <random>

namespace {

// Under the sanitizers every step costs several times as much; fewer games still show leaks,
// which LeakSanitizer reports there.
constexpr int games = procstats::underAddressSanitizer ? 2000 : 10000;

// What a press on each target is worth: Flitz nine times, then Quenda's sisters, the police and
// the alien, then the beer, the television and Quenda.
constexpr int pointsFor[frmMain::targetCount] = {1, 1, 1, 1, 1, 1, 1, 1, 1, -1, -1, -1, -1, -1, 2, 2, 2};

} // namespace

class TestSoak : public QObject {
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
        std::uniform_int_distribution<int> anyButton(0, 2);
        const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};

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
                QTest::mousePress(target, buttons[anyButton(engine)], Qt::NoModifier, QPoint(16, 16));
                ++totalPresses;
                if (visible) {
                    ++presses;
                    score += pointsFor[index];
                }
            }
            QCOMPARE(f.window->lblZeit->text(), QStringLiteral("0"));
            QCOMPARE(int(f.window->Treffer), presses);
            QCOMPARE(f.window->lblTreffer->text(), QString::number(presses));
            QCOMPARE(int(f.window->Punkte), score);
            QCOMPARE((score > 20 ? f.window->imgWinner : f.window->imgLoser)->isHidden(), false);
            QVERIFY(f.dialogs.shown.isEmpty());
            countedPresses += presses;
            if (game == 1000)
                residentAfter1000 = procstats::residentBytes();
        }
        const qint64 growth = procstats::residentBytes() - residentAfter1000;
        qInfo("%d games, %lld presses, %lld on visible targets; memory grew %lld KB after game 1000",
              games, totalPresses, countedPresses, growth / 1024);
        // Both kinds of press must have happened, or the count proves little.
        QVERIFY(countedPresses > games * 10LL && countedPresses < totalPresses);
        if (!procstats::underAddressSanitizer)
            QCOMPARE_LT(growth, 1 << 20);
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
