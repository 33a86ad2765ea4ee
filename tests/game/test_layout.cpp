// The main window as the player sees it, and as a screen reader speaks it.
#include "startup/playerlanguage.h"
#include "widgets/appearance.h"
#include "tests/support/gamechecks.h"
#include "tests/support/textfit.h"

#include <QAccessible>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

class TestLayout : public QObject {
    Q_OBJECT

    // So that the read-outs show values.
    static void oneSecondIntoAGame(RecordedGame &f)
    {
        f.window->cmdStart_Click();
        f.clock.advanceTo(1000);
    }

    static QString shownText(const QWidget *control)
    {
        const auto *label = qobject_cast<const QLabel *>(control);
        const auto *button = qobject_cast<const QAbstractButton *>(control);
        const auto *frame = qobject_cast<const QGroupBox *>(control);
        return label ? label->text() : button ? button->text() : frame ? frame->title() : QString();
    }

    // What a screen reader says; "-" for a separator.
    static QString spokenText(QWidget *control)
    {
        const QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(control);
        return reader->role() == QAccessible::Separator ? "-" : reader->text(QAccessible::Name);
    }

private slots:
    // The window as the program shows it, in its style and colours.
    void initTestCase() { applyClassicLook(*qobject_cast<QApplication *>(QCoreApplication::instance())); }

    void everyControlStandsWhereItWasDesigned_data()
    {
        QTest::addColumn<QString>("parent");  // the row's name is the control's
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("spoken");  // found in what a screen reader says; "-": a separator
        QTest::addColumn<QString>("english");         // the text ...
        QTest::addColumn<QString>("englishSpoken");   // ... and what is said, in English
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("fontPixels");
        // Each text in German, then in English.
        struct Said {
            QString german;
            QString english;
        };
        const auto row = [](const char *name, const char *parent, QRect geometry, const Said &text,
                            const Said &spoken = {}, bool visible = true, int fontPixels = 11) {
            const Said &said = spoken.german.isEmpty() ? text : spoken;
            QTest::newRow(name) << QString::fromUtf8(parent) << geometry << text.german << said.german << text.english
                                << said.english << visible << fontPixels;
        };
        row("imgBackground", "frmMain", {0, 0, 476, 291}, {}, {"Spielfeld", "Playing field"});
        row("imgWinner", "frmMain", {0, 0, 481, 249}, {}, {"Ondie", "Ondie, astonished"}, false);
        row("lblSuper", "frmMain", {0, 248, 481, 41}, {"Super. Ondie hauts fast um.", "Wow! Ondie is blown away."},
            {}, false, 37);
        row("imgLoser", "frmMain", {0, 0, 477, 249}, {}, {"Brummo", "Brummo holding"}, false);
        row("lblBesser", "frmMain", {0, 248, 481, 41}, {"Versuch es besser nochmal!", "Try again and do better!"}, {},
            false, 37);
        row("lblErklärung(0)", "frmMain", {0, 296, 473, 33},
            {"Das Ziel des Spiels ist es, mit Brummo möglichst oft Flitz einzufangen. Flitz ist schuld, "
             "daß Brummo heute zur Arbeit muß. ",
             "The aim of the game is to catch Flitz with Brummo as often as you can. It's all Flitz's fault "
             "that Brummo has to go to work today. "});
        row("lblErklärung(1)", "frmMain", {0, 328, 473, 17},
            {"Pluspunkt(+1): Für jeden Flitz den du erwischst.", "Plus one point (+1): if you catch Flitz."});
        row("lblErklärung(2)", "frmMain", {0, 344, 473, 17},
            {"Minuspunkt(-1): Falls du eine von Quendas Schwestern, einen Ploizisten oder Alien triffst.",
             "Minus one point (-1): if you hit one of Quenda's sisters, a police officer or the alien."});
        row("lblErklärung(3)", "frmMain", {0, 360, 473, 17},
            {"Bonuspunkt(+2): Solltest du ein Grolz Beer, den Fernseher oder Quenda bekommen.",
             "Plus two points (+2): if you catch a Grolz beer, the television or Quenda."});
        row("cmdStart", "frmMain", {0, 376, 465, 15}, {"Alles klar, los gehts!!!", "All right, let's go!!!"});
        row("fraGame", "frmMain", {480, 0, 201, 121}, {"Aktuelles Spiel", "Current game"});
        row("lblHaha(0)", "fraGame", {8, 16, 97, 17}, {"Verbleibende Zeit:", "Time left:"});
        row("lblZeit", "fraGame", {112, 16, 41, 17}, {"79", "79"}, {"Verbleibende Zeit: 79", "Time left: 79"});
        row("lblHaha(1)", "fraGame", {8, 40, 49, 17}, {"Treffer:", "Hits:"});
        row("lblTreffer", "fraGame", {56, 40, 41, 17}, {"0", "0"}, {"Treffer: 0", "Hits: 0"});
        row("lblHaha(2)", "fraGame", {8, 64, 41, 17}, {"Punkte:", "Score:"});
        row("lblPunkte", "fraGame", {56, 64, 41, 17}, {"0", "0"}, {"Punkte: 0", "Score: 0"});
        row("cmdEnde", "fraGame", {8, 88, 185, 25}, {"Brummo on the run beenden", "Quit Brummo on the run"});
        row("fraEinstellungen", "frmMain", {480, 120, 201, 161}, {"Daten", "Saved games"});
        row("cmdSpeichern", "fraEinstellungen", {8, 24, 185, 25}, {"Aktuelles Spiel speichern", "Save current game"});
        row("cmdLaden", "frmMain", {488, 176, 185, 25}, {"Spiel laden", "Load game"});
        row("filLaden", "fraEinstellungen", {8, 88, 185, 66}, {}, {"Gespeicherte Spiele", "Saved games"});
        const QString information =
            "Brummo, Flitz, Quenda, Ondie and all other characters are the property of their rights holder. "
            "All rights reserved; any reproduction or distribution is prohibited. This program is not "
            "authorised by the rights holder.";
        row("lblInformation", "frmMain", {480, 288, 201, 65}, {information, information}, {}, true, 9);
        row("cmdInfo", "frmMain", {480, 368, 201, 25}, {"Über dieses Spiel", "About this game"});
        row("Line1", "frmMain", {472, 288, 1, 104}, {}, {"-", "-"});
        row("Line2", "frmMain", {472, 360, 208, 1}, {}, {"-", "-"});
        // The targets as who they are.
        QList<Said> who(9, {"Flitz", "Flitz"});
        who << Said{"Quendas Schwester", "Quenda's sister"} << Said{"Quendas Schwester", "Quenda's sister"}
            << Said{"Polizist", "Police officer"} << Said{"Polizist", "Second police officer"}
            << Said{"Außerirdischer", "Alien"} << Said{"Grolz-Bier", "Grolz beer"} << Said{"Fernseher", "Old television"}
            << Said{"Quenda", "Quenda"};
        for (int index = 0; index < frmMain::targetCount; ++index) {
            const QString name = QStringLiteral("imgGegner(%1)").arg(index);
            row(qPrintable(name), "frmMain", {0, 0, 32, 32}, {}, who[index], false);
        }
    }

    void everyControlStandsWhereItWasDesigned()
    {
        const QString name = QString::fromUtf8(QTest::currentDataTag());
        QFETCH(QString, parent);
        QFETCH(QRect, geometry);
        QFETCH(QString, text);
        QFETCH(QString, spoken);
        QFETCH(QString, english);
        QFETCH(QString, englishSpoken);
        QFETCH(bool, visible);
        QFETCH(int, fontPixels);
        RecordedGame f;
        oneSecondIntoAGame(f);
        f.window->resize(900, 600);  // a larger window moves nothing
        auto *control = f.window->findChild<QWidget *>(name);
        QVERIFY(control);
        QCOMPARE(control->parentWidget(),
                 parent == u"frmMain" ? f.window.get() : f.window->findChild<QWidget *>(parent));
        const bool target = name.startsWith(QStringLiteral("imgGegner"));  // placed anew at each show
        QCOMPARE(control->geometry(), target ? QRect(control->pos(), geometry.size()) : geometry);
        QCOMPARE(shownText(control), text);
        QVERIFY2(misfitAsShown(*control).isEmpty(), qPrintable(misfitAsShown(*control)));
        const auto *label = qobject_cast<QLabel *>(control);
        if (name.startsWith(QStringLiteral("img"))) {
            // Pictures are stretched over their control, except the targets, which are drawn as they are.
            QVERIFY(label && !label->pixmap().isNull());
            QCOMPARE(label->hasScaledContents(), !target);
            if (!label->hasScaledContents())
                QCOMPARE(label->pixmap().deviceIndependentSize().toSize(), control->size());
            // On a scaled desktop (this table runs at 2x too) a picture has the screen's device
            // pixels, drawn at the size it is shown, not the small bitmap blown up.
            const qreal ratio = label->devicePixelRatioF();
            QCOMPARE(label->pixmap().devicePixelRatio(), ratio);
            if (ratio > 1)
                QCOMPARE(label->pixmap().size(), (QSizeF(control->size()) * ratio).toSize());
        }
        QCOMPARE(!control->isHidden(), visible);
        QCOMPARE(control->font().pixelSize(), fontPixels);
        // Every control says something; read-outs are spoken with their captions and the values they
        // show, lines as separators.
        const QString said = spokenText(control);
        QVERIFY2(!said.isEmpty() && said.contains(spoken), qPrintable(said));

        // The same control for a player whose desktop speaks English.
        const PlayerTexts englishTexts(PlayerLanguage::English);
        RecordedGame inEnglish;
        oneSecondIntoAGame(inEnglish);
        QWidget *englishControl = inEnglish.window->findChild<QWidget *>(name);
        QVERIFY(englishControl);
        QCOMPARE(shownText(englishControl), english);
        // Also with the wider Comic Sans MS a player may have.
        for (const QString &misfit : {misfitAsShown(*englishControl), misfitInComicSans(*englishControl)})
            QVERIFY2(misfit.isEmpty(), qPrintable(misfit));
        const QString saidInEnglish = spokenText(englishControl);
        QVERIFY2(!saidInEnglish.isEmpty() && saidInEnglish.contains(englishSpoken), qPrintable(saidInEnglish));
    }

    // The window as shown: button faces flat in exactly their own colours, the file list with its
    // scroll bar in the system colours, not in those of the yellow frame around it; what is drawn in
    // front of what, and the way the focus runs.
    void theShownWindowLooksStacksAndTabsAsDesigned()
    {
        RecordedGame f;
        for (int index = 0; index < 8; ++index)
            writeFile(f.workingFolder.filePath(QStringLiteral("spiel%1.txt").arg(index)), {});
        f.window = std::make_unique<frmMain>(f.services);
        f.window->show();
        QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
        const QImage shown = f.window->grab().toImage();
        const QColor red(255, 0, 0);
        const QColor yellow(255, 255, 0);
        const frmMain &w = *f.window;
        QCOMPARE(w.size(), QSize(683, 392));
        QCOMPARE(w.windowTitle(), QStringLiteral("Brummo on the run"));
        QVERIFY(!w.windowIcon().isNull());
        QVERIFY(w.windowFlags() & Qt::WindowMinimizeButtonHint);
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(w.palette().color(QPalette::Window), yellow);
        QCOMPARE(w.lblErklärung[1]->palette().color(QPalette::Window), yellow);
        QCOMPARE(w.imgBackground->cursor().shape(), Qt::BitmapCursor);
        QCOMPARE(w.imgGegner[0]->cursor().shape(), Qt::ArrowCursor);
        for (const auto &[button, colour] : {std::pair{w.cmdStart, red}, {w.cmdInfo, yellow}, {w.cmdLaden, yellow}}) {
            // Beside the caption, at either end of the face.
            for (const int left : {button->geometry().left() + 8, button->geometry().right() - 8})
                QCOMPARE(shown.pixelColor(left, button->geometry().center().y()), colour);
        }
        const QListWidget *list = w.filLaden;
        QVERIFY(list->verticalScrollBar()->isVisible());
        QVERIFY(list->palette() == QApplication::palette());
        QVERIFY(list->verticalScrollBar()->palette() == QApplication::palette());

        const QStringList frontToBack = {
            "cmdStart", "cmdInfo", "cmdLaden", "fraGame", "fraEinstellungen", "lblSuper", "imgWinner",
            "lblBesser", "imgLoser", "Line2", "Line1", "lblInformation", "lblErklärung(3)", "lblErklärung(2)",
            "lblErklärung(1)", "imgGegner(16)", "imgGegner(8)", "imgGegner(0)", "lblErklärung(0)",
            "imgBackground"};
        QStringList stacked;
        for (const QObject *control : w.children()) {
            if (frontToBack.contains(control->objectName()))
                stacked.prepend(control->objectName());
        }
        QCOMPARE(stacked, frontToBack);

        for (QWidget *control : QWidgetList{w.cmdSpeichern, w.cmdLaden, w.filLaden, w.cmdEnde, w.cmdInfo, w.cmdStart}) {
            QCOMPARE(QApplication::focusWidget(), control);
            QTest::keyClick(control, Qt::Key_Tab);
        }
        // Round again to the save button, where the focus also is right after opening: the space
        // bar then saves.
        QCOMPARE(QApplication::focusWidget(), w.cmdSpeichern);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown.first().title, QStringLiteral("Speichern"));
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
