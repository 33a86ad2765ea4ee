// Work put off until a window is first on screen runs once, after the window has been shown and
// never within the call that asks for it.
#include "startup/firstframe.h"

#include <QPointer>
#include <QTest>
#include <QWidget>

class TestFirstFrame : public QObject {
    Q_OBJECT

private slots:
    void runsOnceAfterTheWindowIsOnScreen()
    {
        QWidget window;
        window.resize(100, 80);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        int runs = 0;
        bool exposedWhenRun = false;
        afterFirstFrame(window, [&] {
            ++runs;
            exposedWhenRun = window.windowHandle()->isExposed();
        });
        QCOMPARE(runs, 0);
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
        QVERIFY(exposedWhenRun);

        window.hide();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void waitsForAWindowNotYetExposed()
    {
        QWidget window;
        window.resize(100, 80);
        QVERIFY(window.winId() != 0);
        int runs = 0;
        afterFirstFrame(window, [&] { ++runs; });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::processEvents();
        QCOMPARE(runs, 1);
    }

    void nothingRunsForAWindowDestroyedFirst()
    {
        int runs = 0;
        {
            QWidget window;
            QVERIFY(window.winId() != 0);
            afterFirstFrame(window, [&] { ++runs; });
        }
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
    }
};

QTEST_MAIN(TestFirstFrame)
#include "test_firstframe.moc"
