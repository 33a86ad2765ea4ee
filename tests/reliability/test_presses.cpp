// Presses as the window system delivers them: quick presses in one place turn into double clicks
// on their way through Qt, and each press must still count exactly once.
#include "tests/support/gamefixture.h"

#include <QTest>
#include <QWindow>

class TestPresses : public QObject {
    Q_OBJECT

private slots:
    void quickPressesInOnePlaceCountOnceEach_data()
    {
        QTest::addColumn<int>("presses");
        QTest::addColumn<int>("pauseMs");          // from a release to the next press
        QTest::addColumn<bool>("doubleClicks");    // whether Qt is to see double clicks in them
        QTest::newRow("a double click") << 2 << 50 << true;
        QTest::newRow("a triple click") << 3 << 30 << true;
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
        QVERIFY(!target->isHidden());
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
