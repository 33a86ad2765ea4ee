// The real boxes, with text from saved games, file names and the system: it stays text, and the
// box stays on the screen with its button within reach.
#include "platform/qtdialogs.h"
#include "startup/playerlanguage.h"

#include <QApplication>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBoundaryFinder>
#include <QTimer>

#include <functional>

Q_DECLARE_METATYPE(PlayerLanguage)

namespace {

struct Seen {
    Qt::TextFormat format = Qt::AutoText;
    QString text;
    QSize size;
    bool buttonOnScreen = false;
    QString title;
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;   // of a message box
    QString typed;                                  // in an input box as it opens
};

// Looks at the box once it is open, then closes it.
Seen whenOpen(QLabel *(*labelOf)(QWidget *), const std::function<void()> &open)
{
    Seen seen;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        const QLabel *label = labelOf(box);
        seen.format = label ? label->textFormat() : Qt::AutoText;
        seen.text = label ? label->text() : QString();
        seen.size = box->frameGeometry().size();
        const QList<QPushButton *> buttons = box->findChildren<QPushButton *>();
        seen.buttonOnScreen = !buttons.isEmpty();
        for (const QPushButton *button : buttons)
            seen.buttonOnScreen &= box->screen()->availableGeometry().contains(
                QRect(button->mapToGlobal(QPoint()), button->size()));
        seen.title = box->windowTitle();
        for (const QPushButton *button : buttons)
            seen.buttons.append(button->text());
        seen.buttons.sort();
        if (const auto *message = qobject_cast<QMessageBox *>(box))
            seen.icon = message->icon();
        if (const auto *input = qobject_cast<QInputDialog *>(box))
            seen.typed = input->textValue();
        static_cast<QDialog *>(box)->reject();
    });
    open();
    return seen;
}

// The characters of a text as a reader sees them: an emoji or a letter with its accent is one.
QSet<QString> characters(const QString &text)
{
    QSet<QString> found;
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = boundaries.toNextBoundary(); end != -1;
         start = end, end = boundaries.toNextBoundary())
        found.insert(text.sliced(start, end - start));
    return found;
}

} // namespace

class TestQtDialogs : public QObject {
    Q_OBJECT

private slots:
    void outsideTextStaysTextAndOnTheScreen_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shownStart");  // how the box's text begins
        QTest::newRow("picture") << "<img src=BIG>" << "<img src=";
        QTest::newRow("huge picture") << "<img width=30000 height=30000 src=BIG>" << "<img width=";
        QTest::newRow("link") << "<a href='https://example.org/'>Hier klicken</a>" << "<a href=";
        QTest::newRow("heading") << "<h1>Gewonnen</h1>" << "<h1>";
        QTest::newRow("line without blanks") << QString(3900, QLatin1Char('7')) << "7777";
        QTest::newRow("line of words") << QStringLiteral("Wort ").repeated(780) << "Wort Wort";
        QTest::newRow("thousands of lines") << QStringLiteral("Zeile\n").repeated(5000) << "Zeile\nZeile";
        QTest::newRow("thousands of empty lines") << "Anfang" + QString(5000, u'\n') + "Ende" << "Anfang\n\n";
        QTest::newRow("long path") << "Datei nicht gefunden:\n/home/spieler/" + QString(250, QLatin1Char('a')) + ".txt"
                                   << "Datei nicht gefunden:\n/home/";
        // Broken and cut where a character of two UTF-16 units, or a letter and its accent, would part.
        const QString emoji = QStringLiteral("😀").repeated(400);
        QTest::newRow("emoji in a long path") << "Datei nicht gefunden:\n/home/spieler1/" + emoji
                                              << "Datei nicht gefunden:\n/home/";
        const QString accented = QStringLiteral("e\u0301").repeated(400);  // e and a combining acute accent
        QTest::newRow("accents in a long path") << "Datei nicht gefunden:\n/home/ab/" + accented
                                                << "Datei nicht gefunden:\n/home/";
    }

    void outsideTextStaysTextAndOnTheScreen()
    {
        QFETCH(QString, text);
        QFETCH(QString, shownStart);
        // Were it taken as rich text, this picture would make the box larger than any screen.
        const QTemporaryDir folder;
        const QString big = folder.filePath(QStringLiteral("gross.png"));
        QImage picture(3000, 3000, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(picture.save(big));
        text.replace(QStringLiteral("BIG"), big);
        const QSize screen = QGuiApplication::primaryScreen()->availableSize();
        const QSet<QString> shownCharacters = characters(text) + QSet<QString>{"\n", QStringLiteral("…")};

        QtDialogs qtDialogs;
        Dialogs &dialogs = qtDialogs;
        const Seen message = whenOpen([](QWidget *box) { return box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")); },
                                      [&] { dialogs.message(text, Dialogs::Icon::Critical, QStringLiteral("Fehler")); });
        const Seen input = whenOpen([](QWidget *box) { return box->findChild<QLabel *>(); },
                                    [&] { dialogs.input(text, QStringLiteral("Speichern")); });
        for (const Seen &seen : {message, input}) {
            QCOMPARE(seen.format, Qt::PlainText);
            QVERIFY2(seen.text.startsWith(shownStart), qPrintable(seen.text.left(80)));
            QVERIFY2(seen.text.endsWith(text.right(4)), qPrintable(seen.text.right(80)));
            // Nothing but the text's own characters, and the breaks and the ellipsis the box put in.
            QVERIFY(shownCharacters.contains(characters(seen.text)));
            QVERIFY2(seen.size.width() <= screen.width() && seen.size.height() <= screen.height(),
                     qPrintable(QStringLiteral("%1 x %2").arg(seen.size.width()).arg(seen.size.height())));
            QVERIFY(seen.buttonOnScreen);
        }
    }

    // Each box with its title, icon, buttons and text; the boxes' own words in the player's
    // language, Qt's buttons too.
    void eachBoxAsTheGameAsksForIt_data()
    {
        QTest::addColumn<PlayerLanguage>("language");
        QTest::addColumn<QString>("errorTitle");
        QTest::addColumn<QStringList>("inputButtons");  // sorted
        QTest::newRow("German") << PlayerLanguage::German << "Fehler" << QStringList{"Abbrechen", "OK"};
        QTest::newRow("English") << PlayerLanguage::English << "Error" << QStringList{"Cancel", "OK"};
    }

    void eachBoxAsTheGameAsksForIt()
    {
        QFETCH(PlayerLanguage, language);
        QFETCH(QString, errorTitle);
        QFETCH(QStringList, inputButtons);
        const PlayerTexts texts(language);
        QtDialogs qtDialogs;
        Dialogs &dialogs = qtDialogs;
        const auto messageLabel = [](QWidget *box) { return box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label")); };
        const QString shortText = QStringLiteral("Datei nicht gefunden:\n/home/spieler/spiel.txt");
        const Seen error = whenOpen(messageLabel, [&] { dialogs.error(shortText); });
        QCOMPARE(error.title, errorTitle);
        QCOMPARE(error.icon, QMessageBox::Critical);
        QCOMPARE(error.buttons, QStringList{"OK"});
        QCOMPARE(error.text, shortText);
        const Seen information = whenOpen(messageLabel, [&] { dialogs.message(QStringLiteral("0")); });
        QCOMPARE(information.title, QStringLiteral("Krop"));
        QCOMPARE(information.icon, QMessageBox::NoIcon);
        QCOMPARE(information.buttons, QStringList{"OK"});
        QCOMPARE(information.text, QStringLiteral("0"));
        const Seen input = whenOpen([](QWidget *box) { return box->findChild<QLabel *>(); },
                                    [&] { dialogs.input(QStringLiteral("Name?"), QStringLiteral("Speichern")); });
        QCOMPARE(input.title, QStringLiteral("Speichern"));
        QCOMPARE(input.buttons, inputButtons);
        QCOMPARE(input.text, QStringLiteral("Name?"));
        QCOMPARE(input.typed, QString());
    }
};

QTEST_MAIN(TestQtDialogs)
#include "test_qtdialogs.moc"
