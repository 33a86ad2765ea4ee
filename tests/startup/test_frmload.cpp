// The splash window: its look, its bar and the hand-over after three seconds.
#include "startup/frmload.h"
#include "startup/playerlanguage.h"
#include "tests/support/textfit.h"
#include "tests/support/virtualclock.h"

#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QTest>

class TestFrmLoad : public QObject {
    Q_OBJECT

private slots:
    void barFillsThenMainWindowTakesOver()
    {
        VirtualClock clock;
        int handOvers = 0;
        bool splashOpenAtHandOver = false;
        QPointer<frmLoad> splash;
        splash = new frmLoad(clock, [&] {
            ++handOvers;
            splashOpenAtHandOver = splash && splash->isVisible();
        });
        splash->setAttribute(Qt::WA_DeleteOnClose);
        splash->show();
        QProgressBar *bar = splash->Vortschritt;
        QCOMPARE(bar->value(), 0);
        for (int tick = 1; tick <= 5; ++tick) {
            clock.advanceTo(tick * 500 - 1);
            QCOMPARE(bar->value(), (tick - 1) * 20);
            clock.advanceTo(tick * 500);
            QCOMPARE(bar->value(), tick * 20);
        }
        clock.advanceTo(2999);
        QCOMPARE(handOvers, 0);
        QCOMPARE(bar->value(), 100);
        clock.advanceTo(3000);
        QCOMPARE(handOvers, 1);
        QVERIFY(splashOpenAtHandOver);
        QCOMPARE(splash->schritte(), 6);
        QCOMPARE(splash->tmrZeit().interval(), 0);
        QVERIFY(!splash->isVisible());
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(splash.isNull());

        clock.advance(10000);
        QCOMPARE(handOvers, 1);
    }

    void looksAsDesigned()
    {
        VirtualClock clock;
        frmLoad splash(clock, [] {});
        QCOMPARE(splash.size(), QSize(360, 373));
        QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash.windowFlags() & Qt::WindowType_Mask, Qt::SplashScreen);
        QCOMPARE(splash.palette().color(QPalette::Window), QColor(Qt::white));

        QLabel *title = splash.Label1;
        QCOMPARE(title->text(), QStringLiteral("\"Brummo on the run\" wird geladen"));
        QCOMPARE(title->geometry(), QRect(0, 280, 353, 41));
        QCOMPARE(title->font().pixelSize(), 21);
        QCOMPARE(title->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
        QLabel *line = splash.Label2;
        QCOMPARE(line->geometry(), QRect(0, 352, 353, 17));
        QVERIFY(line->text().contains(QStringLiteral("Webseite")));
        QCOMPARE(line->font().pixelSize(), 11);
        QVERIFY(line->fontMetrics().horizontalAdvance(line->text()) <= line->width());
        QLabel *picture = splash.Image1;
        QCOMPARE(picture->geometry(), QRect(0, 0, 355, 278));
        QCOMPARE(picture->pixmap().size(), QSize(251, 278));
        QVERIFY(picture->hasScaledContents());
        QProgressBar *bar = splash.Vortschritt;
        QCOMPARE(bar->geometry(), QRect(0, 312, 353, 33));
        QCOMPARE(bar->maximum(), 100);
        // The bar covers the lower part of the title: it is drawn in front of it.
        const QObjectList order = splash.children();
        QVERIFY(order.indexOf(bar) > order.indexOf(title));
        QVERIFY(order.indexOf(title) > order.indexOf(picture));
    }

    // In English the texts fit too, also with the wider Comic Sans MS a player may have.
    void englishTextsFit()
    {
        const PlayerTexts english(PlayerLanguage::English);
        VirtualClock clock;
        frmLoad splash(clock, [] {});
        QCOMPARE(splash.Label1->text(), QStringLiteral("Loading \"Brummo on the run\""));
        QVERIFY(splash.Label2->text().contains(QStringLiteral("website")));
        for (const QLabel *label : {splash.Label1, splash.Label2}) {
            for (const QString &misfit : {misfitAsShown(*label), misfitInComicSans(*label)})
                QVERIFY2(misfit.isEmpty(), qPrintable(misfit));
        }
    }
};

QTEST_MAIN(TestFrmLoad)
#include "test_frmload.moc"
