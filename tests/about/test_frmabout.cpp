#include "startup/playerlanguage.h"
#include "widgets/linewidget.h"
#include "tests/about/fakes.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

namespace {

const QString notAvailable = QStringLiteral("Systeminformationen sind momentan nicht verfügbar");
const QColor black(0, 0, 0);
const QColor white(255, 255, 255);
const QColor grey(128, 128, 128);

} // namespace

class AboutWindowTest final : public QObject {
    Q_OBJECT

    // A button's whole caption, or part of a label's text, shown in full.
    static void showsAndFits(QWidget *widget, const QString &text)
    {
        if (auto *button = qobject_cast<QPushButton *>(widget)) {
            QCOMPARE(button->text(), text);
            const int captionWidth = QFontMetrics(button->font()).horizontalAdvance(QString(text).remove(u'&'));
            QVERIFY2(captionWidth + 8 <= button->width(), "the caption fits");
            return;
        }
        auto *label = qobject_cast<QLabel *>(widget);
        QVERIFY(label);
        QVERIFY2(label->text().contains(text), qPrintable(label->text()));
        QVERIFY2(label->heightForWidth(label->width()) <= label->height(), "the text fits");
    }

private slots:
    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");   // pixels
        QTest::addColumn<int>("fontPixels");
        QTest::addColumn<QColor>("colour");     // a label's text, a line, the picture's background
        QTest::addColumn<QString>("text");      // a caption whole, a part of a long text
        QTest::addColumn<QString>("english");   // the same in English
        QTest::addColumn<int>("fromFront");
        int fromFront = 0;
        const auto row = [&](const char *name, QRect geometry, int fontPixels, QColor colour, const char *text,
                             const char *english) {
            QTest::newRow(name) << QString::fromLatin1(name) << geometry << fontPixels << colour
                                << QString::fromUtf8(text) << QString::fromUtf8(english) << fromFront++;
        };
        // Front to back.
        row("picIcon", QRect(16, 0, 32, 32), 11, white, "", "");
        row("cmdOK", QRect(283, 175, 84, 23), 11, QColor(), "OK", "OK");
        row("cmdSysInfo", QRect(284, 205, 83, 23), 11, QColor(), "&Systeminfo...", "&System info...");
        row("Line1(1)", QRect(6, 163, 371, 1), 11, grey, "", "");
        row("lblDescription", QRect(72, 48, 291, 102), 13, black, "https://www.example.org/brummo", "freeware");
        row("lblTitle", QRect(70, 0, 259, 32), 24, black, "Brummo on the run", "Brummo on the run");
        row("Line1(0)", QRect(7, 164, 370, 2), 11, white, "", "");
        row("lblVersion", QRect(70, 24, 259, 23), 16, black, "Version 1.0", "Version 1.0");
        row("lblDisclaimer", QRect(17, 175, 258, 55), 11, black, "Haftung", "liability");
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(int, fontPixels);
        QFETCH(QColor, colour);
        QFETCH(QString, text);
        QFETCH(QString, english);
        QFETCH(int, fromFront);
        AboutFixture f;
        QWidget *widget = f.control(name);
        QVERIFY(widget);
        QVERIFY(widget->isVisibleTo(&f.about));
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->font().family(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(widget->font().pixelSize(), fontPixels);

        // Siblings later among the children are drawn over earlier ones.
        const QList<QWidget *> backToFront = f.about.findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QCOMPARE(backToFront.size(), 9);
        QCOMPARE(backToFront.size() - 1 - backToFront.indexOf(widget), fromFront);

        auto *label = qobject_cast<QLabel *>(widget);
        if (auto *line = dynamic_cast<LineWidget *>(widget)) {
            QCOMPARE(line->colour(), colour);
        } else if (name == u"picIcon") {
            QVERIFY(label && label->autoFillBackground());
            QCOMPARE(label->palette().color(QPalette::Window), colour);
            QCOMPARE(label->pixmap().toImage(), QPixmap(QStringLiteral(":/bilder/brummo_rot.png")).toImage());
        } else {
            showsAndFits(widget, text);
            if (label) {
                QCOMPARE(label->palette().color(QPalette::WindowText), colour);
                QVERIFY2(!label->autoFillBackground(), "the picture behind shows through");
            }
        }
        if (QTest::currentTestFailed() || english.isEmpty())
            return;
        // The texts in English, in the same places.
        const PlayerTexts englishTexts(PlayerLanguage::English);
        AboutFixture inEnglish;
        showsAndFits(inEnglish.control(name), english);
    }

    void window()
    {
        AboutFixture f;
        frmAbout &about = f.about;
        QCOMPARE(about.windowTitle(), QStringLiteral("Über dieses Spiel..."));
        QCOMPARE(about.minimumSize(), about.maximumSize());
        QCOMPARE(about.windowFlags(), Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                          | Qt::WindowSystemMenuHint | Qt::MSWindowsFixedSizeDialogHint);
        QCOMPARE(about.windowIcon().pixmap(32, 32).toImage(),
                 QIcon(QStringLiteral(":/bilder/brummo_blau.png")).pixmap(32, 32).toImage());
        QVERIFY(about.isModal());
        QVERIFY2(!about.testAttribute(Qt::WA_DeleteOnClose), "it lives on its opener's stack");

        QVERIFY(f.open());
        QCOMPARE(about.geometry(), QRect(156, 129, 378, 277));

        const PlayerTexts englishTexts(PlayerLanguage::English);
        QCOMPARE(AboutFixture().about.windowTitle(), QStringLiteral("About this game"));
    }

    // White background, the veiled splash picture behind the controls, and the etched separator.
    void drawing()
    {
        AboutFixture f;
        QVERIFY(f.open());
        const QImage shown = f.about.grab().toImage();
        const QImage splash(QStringLiteral(":/bilder/splash.gif"));
        QVERIFY(!splash.isNull());

        QCOMPARE(shown.pixelColor(370, 100), white);   // right of the picture, under no control
        QCOMPARE(shown.pixelColor(300, 163), grey);
        QCOMPARE(shown.pixelColor(300, 164), white);
        QCOMPARE(shown.pixelColor(300, 165), white);
        QCOMPARE(shown.pixelColor(100, 163), grey);    // the line lies over the picture
        const QPoint underPictureOnly(3, 100);
        const QColor picture = splash.pixelColor(underPictureOnly);
        const QColor veiled = shown.pixelColor(underPictureOnly);
        const auto throughVeil = [](int channel) { return (channel * 55 + 255 * 200) / 255; };
        QVERIFY(veiled != white);
        for (int (QColor::*channel)() const : {&QColor::red, &QColor::green, &QColor::blue})
            QVERIFY(qAbs((veiled.*channel)() - throughVeil((picture.*channel)())) <= 2);
    }

    void focusOrder()
    {
        AboutFixture f;
        QVERIFY(f.open());
        QWidget *cmdOK = f.control(QStringLiteral("cmdOK"));
        QWidget *picIcon = f.control(QStringLiteral("picIcon"));
        QWidget *cmdSysInfo = f.control(QStringLiteral("cmdSysInfo"));
        QCOMPARE(QApplication::focusWidget(), cmdOK);
        for (QWidget *next : {picIcon, cmdSysInfo, cmdOK}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), cmdSysInfo);
    }

    void keys_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("closes");    // by OK, so accepted
        QTest::addColumn<bool>("sysInfo");
        const auto row = [](const char *tag, const char *focus, int key, int modifiers, bool closes, bool sysInfo) {
            QTest::newRow(tag) << QString::fromLatin1(focus) << key << modifiers << closes << sysInfo;
        };
        row("Enter on the picture: OK is the default", "picIcon", Qt::Key_Return, Qt::NoModifier, true, false);
        row("Esc on OK", "cmdOK", Qt::Key_Escape, Qt::NoModifier, true, false);
        row("Esc on Systeminfo: OK is the cancel button", "cmdSysInfo", Qt::Key_Escape, Qt::NoModifier, true, false);
        row("Enter on Systeminfo presses it", "cmdSysInfo", Qt::Key_Return, Qt::NoModifier, false, true);
        row("Alt+S", "cmdOK", Qt::Key_S, Qt::AltModifier, false, true);
        row("S alone does nothing", "cmdOK", Qt::Key_S, Qt::NoModifier, false, false);
    }

    void keys()
    {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, closes);
        QFETCH(bool, sysInfo);
        AboutFixture f;
        QVERIFY(f.open());
        QWidget *target = f.control(focus);
        target->setFocus();
        QCOMPARE(QApplication::focusWidget(), target);

        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(f.about.isVisible(), !closes);
        if (closes)
            QCOMPARE(f.about.result(), int(QDialog::Accepted));
        // A mnemonic shows its button down at once and clicks it a moment later.
        if (!sysInfo)
            QVERIFY(!qobject_cast<QPushButton *>(f.control(QStringLiteral("cmdSysInfo")))->isDown());
        QTRY_COMPARE(f.dialogs.texts(), sysInfo ? QStringList{notAvailable} : QStringList());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "test_frmabout.moc"
