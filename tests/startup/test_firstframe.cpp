// Work put off until a window is first on screen runs once, after the window has been shown and
// never within the call that asks for it.
#include "startup/firstframe.h"

#include <QPointer>
#include <QTest>
#include <QWidget>

class TestFirstFrame : public QObject {
    Q_OBJECT

private slots:
    void runsOnceAfterTheWindowIsOnScreen_data()
    {
        QTest::addColumn<bool>("shownFirst");
        QTest::newRow("asked after the window is on screen") << true;
        QTest::newRow("asked before it is") << false;
    }

    void runsOnceAfterTheWindowIsOnScreen()
    {
        QFETCH(bool, shownFirst);
        QWidget window;
        window.resize(100, 80);
        if (shownFirst) {
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
        }
        QVERIFY(window.winId() != 0);
        int runs = 0;
        bool exposedWhenRun = false;
        afterFirstFrame(window, [&] {
            ++runs;
            exposedWhenRun = window.windowHandle()->isExposed();
        });
        QCOMPARE(runs, 0);
        QCoreApplication::processEvents();
        QCOMPARE(runs, shownFirst ? 1 : 0);
        for (int showing = 0; showing < 2; ++showing) {
            window.hide();
            window.show();
            QVERIFY(QTest::qWaitForWindowExposed(&window));
            QCoreApplication::processEvents();
            QCOMPARE(runs, 1);
        }
        QVERIFY(exposedWhenRun);
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
