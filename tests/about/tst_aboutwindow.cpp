#include "about/frmabout.h"
#include "platform/linewidget.h"
#include "tests/about/fakelauncher.h"
#include "tests/about/fakeregistry.h"
#include "tests/support/fakedialogs.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

const QString notAvailable = QStringLiteral("Systeminformationen sind momentan nicht verfügbar");

// Everything one about window needs, with nothing to be found by StartSysInfo.
struct Fixture {
    FakeDialogs dialogs;
    FakeRegistry registry;
    FakeLauncher launcher;
    QWidget owner;
    frmAbout about{dialogs, registry, launcher, &owner};

    template <typename T = QWidget> T *control(const char *name) const
    {
        auto *widget = qobject_cast<T *>(about.findChild<QWidget *>(QString::fromUtf8(name)));
        Q_ASSERT(widget);
        return widget;
    }

    bool open()
    {
        about.show();
        about.activateWindow();
        return QTest::qWaitForWindowActive(&about);
    }
};

QString kindOf(QWidget *widget)
{
    if (qobject_cast<QPushButton *>(widget))
        return QStringLiteral("button");
    if (dynamic_cast<LineWidget *>(widget))
        return QStringLiteral("line");
    if (auto *label = qobject_cast<QLabel *>(widget))
        return label->text().isEmpty() ? QStringLiteral("picture") : QStringLiteral("label");
    return QStringLiteral("other");
}

} // namespace

class AboutWindowTest final : public QObject {
    Q_OBJECT

private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QRect>("geometry");     // pixels
        QTest::addColumn<int>("fontPixels");
        QTest::addColumn<QString>("text");       // empty: not checked here

        QTest::newRow("picIcon") << "picIcon" << "picture" << QRect(16, 0, 34, 34) << 11 << "";
        QTest::newRow("cmdOK") << "cmdOK" << "button" << QRect(283, 175, 84, 23) << 11 << "OK";
        QTest::newRow("cmdSysInfo") << "cmdSysInfo" << "button" << QRect(284, 205, 83, 23) << 11 << "&Systeminfo...";
        QTest::newRow("Line1(1)") << "Line1(1)" << "line" << QRect(6, 163, 370, 1) << 11 << "";
        QTest::newRow("lblDescription") << "lblDescription" << "label" << QRect(72, 48, 291, 102) << 13 << "";
        QTest::newRow("lblTitle") << "lblTitle" << "label" << QRect(70, 0, 259, 32) << 24 << "Brummo on the run";
        QTest::newRow("Line1(0)") << "Line1(0)" << "line" << QRect(7, 164, 369, 2) << 11 << "";
        QTest::newRow("lblVersion") << "lblVersion" << "label" << QRect(70, 24, 259, 23) << 16 << "Version 1.0";
        QTest::newRow("lblDisclaimer") << "lblDisclaimer" << "label" << QRect(17, 175, 258, 55) << 11 << "";
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, kind);
        QFETCH(QRect, geometry);
        QFETCH(int, fontPixels);
        QFETCH(QString, text);
        Fixture f;
        QWidget *widget = f.control(qPrintable(name));

        QCOMPARE(widget->parentWidget(), &f.about);
        QCOMPARE(kindOf(widget), kind);
        QVERIFY(widget->isVisibleTo(&f.about));
        QCOMPARE(widget->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(widget->font().pixelSize(), fontPixels);
        QVERIFY(!widget->font().bold() && !widget->font().italic());
        if (name == u"picIcon") {
            // Sized to its picture when there is one: a 32 x 32 icon.
            const QPixmap picture(QStringLiteral(":/bilder/brummo_rot.png"));
            if (!picture.isNull())
                geometry.setSize(QSize(32, 32));
        }
        QCOMPARE(widget->geometry(), geometry);
        if (!text.isEmpty()) {
            if (auto *button = qobject_cast<QPushButton *>(widget))
                QCOMPARE(button->text(), text);
            else
                QCOMPARE(qobject_cast<QLabel *>(widget)->text(), text);
        }
        if (kind == u"label") {
            auto *label = qobject_cast<QLabel *>(widget);
            QCOMPARE(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
            QVERIFY(label->wordWrap());
            QVERIFY2(!label->autoFillBackground(), "labels are transparent");
            QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
        }
    }

    void labelTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("mentions");
        QTest::newRow("lblDescription") << "lblDescription"
                                        << QStringList{"Brummo-Team", "Freeware", "unverändert", "weitergegeben",
                                                       "brummo@example.org", "https://www.example.org/brummo"};
        QTest::newRow("lblDisclaimer") << "lblDisclaimer"
                                       << QStringList{"Haftung", "Schäden", "Grafiken", "Töne", "Rechteinhaber",
                                                      "nicht autorisiert"};
    }

    void labelTexts()
    {
        QFETCH(QString, name);
        QFETCH(QStringList, mentions);
        Fixture f;
        const QString text = f.control<QLabel>(qPrintable(name))->text();
        for (const QString &mention : mentions)
            QVERIFY2(text.contains(mention), qPrintable(mention));
    }

    // Every label's text fits its box at its font, so nothing is cut off.
    void textsFit_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *name : {"lblDescription", "lblTitle", "lblVersion", "lblDisclaimer"})
            QTest::newRow(name) << name;
    }

    void textsFit()
    {
        QFETCH(QString, name);
        Fixture f;
        auto *label = f.control<QLabel>(qPrintable(name));
        // The label's own word wrap decides the height it needs at its width.
        const int needed = label->heightForWidth(label->width());
        QVERIFY2(needed <= label->height(), qPrintable(QStringLiteral("needs %1 px, has %2").arg(needed).arg(label->height())));
    }

    void buttonCaptionsFit()
    {
        Fixture f;
        for (const char *name : {"cmdOK", "cmdSysInfo"}) {
            auto *button = f.control<QPushButton>(name);
            const QString shown = button->text().remove(u'&');
            QVERIFY2(QFontMetrics(button->font()).horizontalAdvance(shown) + 8 <= button->width(), name);
        }
    }

    void lines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("width");
        QTest::newRow("Line1(1)") << "Line1(1)" << QColor(128, 128, 128) << 1;
        QTest::newRow("Line1(0)") << "Line1(0)" << QColor(255, 255, 255) << 2;
    }

    void lines()
    {
        QFETCH(QString, name);
        QFETCH(QColor, colour);
        QFETCH(int, width);
        Fixture f;
        auto *line = dynamic_cast<LineWidget *>(f.control(qPrintable(name)));
        QVERIFY(line);
        QCOMPARE(line->colour(), colour);
        QCOMPARE(line->lineWidth(), width);
    }

    void pictureBox()
    {
        Fixture f;
        auto *picIcon = f.control<QLabel>("picIcon");
        QVERIFY(picIcon->autoFillBackground());
        QCOMPARE(picIcon->palette().color(QPalette::Window), QColor(255, 255, 255));
        QCOMPARE(picIcon->frameShape(), QFrame::NoFrame);
        QVERIFY(!picIcon->hasScaledContents());
        QCOMPARE(picIcon->pixmap().toImage(), QPixmap(QStringLiteral(":/bilder/brummo_rot.png")).toImage());
    }

    // Siblings later in the list are drawn over earlier ones.
    void backToFront()
    {
        Fixture f;
        QStringList order;
        for (QObject *child : f.about.children())
            if (child->isWidgetType())
                order.append(child->objectName());
        QCOMPARE(order, (QStringList{"lblDisclaimer", "lblVersion", "Line1(0)", "lblTitle", "lblDescription",
                                     "Line1(1)", "cmdSysInfo", "cmdOK", "picIcon"}));
    }

    void window()
    {
        Fixture f;
        frmAbout &about = f.about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Über dieses Spiel..."));
        QVERIFY(about.isWindow());
        QCOMPARE(about.parentWidget(), &f.owner);   // owned: no task-bar button of its own
        QCOMPARE(about.minimumSize(), QSize(378, 277));
        QCOMPARE(about.maximumSize(), QSize(378, 277));
        const Qt::WindowFlags flags = about.windowFlags();
        QCOMPARE(flags & Qt::WindowType_Mask, Qt::Dialog);
        for (Qt::WindowType wanted : {Qt::WindowTitleHint, Qt::WindowCloseButtonHint, Qt::WindowSystemMenuHint,
                                      Qt::MSWindowsFixedSizeDialogHint})
            QVERIFY(flags.testFlag(wanted));
        for (Qt::WindowType unwanted : {Qt::WindowMinimizeButtonHint, Qt::WindowMaximizeButtonHint,
                                        Qt::FramelessWindowHint})
            QVERIFY(!flags.testFlag(unwanted));
        QCOMPARE(about.palette().color(QPalette::Window), QColor(255, 255, 255));
        QVERIFY(about.autoFillBackground());
        QCOMPARE(about.font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(about.font().pixelSize(), 11);
        QVERIFY(about.isModal());
        QVERIFY2(!about.testAttribute(Qt::WA_DeleteOnClose), "it lives on its opener's stack");
        QCOMPARE(about.windowIcon().pixmap(32, 32).toImage(),
                 QIcon(QStringLiteral(":/bilder/brummo_blau.png")).pixmap(32, 32).toImage());

        QVERIFY(f.open());
        QCOMPARE(about.geometry(), QRect(156, 129, 378, 277));
        QCOMPARE(about.mapToGlobal(QPoint(0, 0)), QPoint(156, 129));
    }

    // White background, the splash picture behind the controls, and the etched separator.
    void drawing()
    {
        Fixture f;
        QVERIFY(f.open());
        const QImage shown = f.about.grab().toImage();
        const QImage splash(QStringLiteral(":/bilder/splash.gif"));
        QCOMPARE(shown.size(), QSize(378, 277));

        const QColor white(255, 255, 255);
        QCOMPARE(shown.pixelColor(370, 100), white);      // right of the splash picture, under no control
        QCOMPARE(shown.pixelColor(300, 163), QColor(128, 128, 128));
        QCOMPARE(shown.pixelColor(300, 164), white);
        QCOMPARE(shown.pixelColor(300, 165), white);
        // The picture shows through a white veil.
        QVERIFY(!splash.isNull());
        const QPoint underSplashOnly(3, 100);
        const QColor picture = splash.pixelColor(underSplashOnly);
        const QColor veiled = shown.pixelColor(underSplashOnly);
        const auto throughVeil = [](int channel) { return (channel * 55 + 255 * 200) / 255; };
        QVERIFY(qAbs(veiled.red() - throughVeil(picture.red())) <= 2);
        QVERIFY(qAbs(veiled.green() - throughVeil(picture.green())) <= 2);
        QVERIFY(qAbs(veiled.blue() - throughVeil(picture.blue())) <= 2);
        QVERIFY(veiled != white);
        QCOMPARE(shown.pixelColor(100, 163), QColor(128, 128, 128));   // the line lies over the picture
    }

    void focusOrder()
    {
        Fixture f;
        QVERIFY(f.open());
        auto *cmdOK = f.control("cmdOK");
        auto *picIcon = f.control("picIcon");
        auto *cmdSysInfo = f.control("cmdSysInfo");
        QCOMPARE(QApplication::focusWidget(), cmdOK);
        const QList<QWidget *> expected{picIcon, cmdSysInfo, cmdOK, picIcon};
        for (QWidget *next : expected) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), cmdOK);
    }

    void buttonRoles()
    {
        Fixture f;
        QVERIFY(f.control<QPushButton>("cmdOK")->isDefault());
        QVERIFY(!f.control<QPushButton>("cmdSysInfo")->isDefault());
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("sysInfo");
        const int none = Qt::NoModifier;
        QTest::newRow("Enter on OK") << "cmdOK" << int(Qt::Key_Return) << none << true << false;
        QTest::newRow("keypad Enter on OK") << "cmdOK" << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << false;
        QTest::newRow("Esc on OK") << "cmdOK" << int(Qt::Key_Escape) << none << true << false;
        QTest::newRow("Enter on the picture") << "picIcon" << int(Qt::Key_Return) << none << true << false;
        QTest::newRow("Esc on the picture") << "picIcon" << int(Qt::Key_Escape) << none << true << false;
        QTest::newRow("Esc on Systeminfo") << "cmdSysInfo" << int(Qt::Key_Escape) << none << true << false;
        QTest::newRow("Enter on Systeminfo presses it") << "cmdSysInfo" << int(Qt::Key_Return) << none << false << true;
        QTest::newRow("Space on OK") << "cmdOK" << int(Qt::Key_Space) << none << true << false;
        QTest::newRow("Alt+S on OK") << "cmdOK" << int(Qt::Key_S) << int(Qt::AltModifier) << false << true;
        QTest::newRow("Alt+S on the picture") << "picIcon" << int(Qt::Key_S) << int(Qt::AltModifier) << false << true;
        QTest::newRow("S alone does nothing") << "cmdOK" << int(Qt::Key_S) << none << false << false;
    }

    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(bool, sysInfo);
        Fixture f;
        QVERIFY(f.open());
        QWidget *target = f.control(qPrintable(focus));
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);

        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.about.isVisible(), !closes);
        // A mnemonic shows its button pressed at once and clicks it a moment later.
        auto *cmdSysInfo = f.control<QPushButton>("cmdSysInfo");
        if (sysInfo) {
            QVERIFY(cmdSysInfo->isDown() || !f.dialogs.shown.isEmpty());
            QTRY_COMPARE(f.dialogs.texts(), QStringList{notAvailable});
            QVERIFY(!f.registry.opens.isEmpty());
            QVERIFY(f.about.isVisible());
        } else {
            QVERIFY(!cmdSysInfo->isDown());
            QVERIFY(f.dialogs.shown.isEmpty());
            QVERIFY(f.registry.opens.isEmpty());
        }
    }

    void clicks_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("closes");
        QTest::newRow("OK") << "cmdOK" << true;
        QTest::newRow("Systeminfo") << "cmdSysInfo" << false;
    }

    void clicks()
    {
        QFETCH(QString, button);
        QFETCH(bool, closes);
        Fixture f;
        QVERIFY(f.open());
        QTest::mouseClick(f.control(qPrintable(button)), Qt::LeftButton);
        QCOMPARE(f.about.isVisible(), !closes);
        QCOMPARE(f.dialogs.texts(), closes ? QStringList() : QStringList{notAvailable});
    }

    // Opened the way the main window opens it: on the stack, modal, gone after closing;
    // the next opening starts afresh.
    void openedModallyFromTheStack_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("closed by Esc") << int(Qt::Key_Escape);
        QTest::newRow("closed by Enter") << int(Qt::Key_Return);
        QTest::newRow("closed by the close box") << 0;
    }

    void openedModallyFromTheStack()
    {
        QFETCH(int, key);
        FakeDialogs dialogs;
        FakeRegistry registry;
        FakeLauncher launcher;
        QWidget owner;
        owner.show();
        for (int opening = 0; opening < 2; ++opening) {
            QWidget *modalSeen = nullptr;
            QWidget *focusSeen = nullptr;
            frmAbout about(dialogs, registry, launcher, &owner);
            QTimer::singleShot(0, &about, [&] {
                modalSeen = QApplication::activeModalWidget();
                focusSeen = about.focusWidget();
                if (key)
                    QTest::keyClick(&about, Qt::Key(key));
                else
                    about.close();
            });
            about.exec();
            QCOMPARE(modalSeen, &about);
            QCOMPARE(focusSeen, about.findChild<QWidget *>(QStringLiteral("cmdOK")));
            QVERIFY(!about.isVisible());
        }
        QVERIFY(dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "tst_aboutwindow.moc"
