#include "platform/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTextBoundaryFinder>

namespace {

// Texts in boxes come from files, names and the system as well as from the game: a line of
// thousands of characters, or a path without a blank to break at. Runs without a blank are broken
// after this many characters, and a longer text loses its middle, so that the box and its button
// stay on the screen. Both happen between characters as the reader sees them, so that neither an
// emoji (two UTF-16 units) nor a letter and its accent are taken apart.
constexpr qsizetype longestRun = 60;
constexpr qsizetype longestText = 800;

// The character boundary at `position` or, when that falls inside a character, the one before it
// (`forward` false) or after it.
qsizetype characterBoundary(const QString &text, qsizetype position, bool forward)
{
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    characters.setPosition(position);
    if (characters.isAtBoundary())
        return position;
    return forward ? characters.toNextBoundary() : characters.toPreviousBoundary();
}

QString fittedForBox(const QString &text)
{
    QString fitted;
    qsizetype run = 0;
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype start = 0, end = characters.toNextBoundary(); end != -1;
         start = end, end = characters.toNextBoundary()) {
        const QStringView character = QStringView(text).sliced(start, end - start);
        run = character.front().isSpace() ? 0 : run + 1;
        if (run > longestRun) {
            fitted += QLatin1Char('\n');
            run = 1;
        }
        fitted += character;
    }
    if (fitted.size() > longestText) {
        const qsizetype tail = longestText / 4;
        fitted = fitted.left(characterBoundary(fitted, longestText - tail, false)) + QStringLiteral("\n…\n")
                 + fitted.sliced(characterBoundary(fitted, fitted.size() - tail, true));
    }
    return fitted;
}

QString orApplicationTitle(const QString &title)
{
    return title.isEmpty() ? Dialogs::applicationTitle : title;
}

} // namespace

void QtDialogs::message(const QString &text, Icon icon, const QString &title)
{
    // Plain text always: as rich text, a saved game's line could make Qt load a picture from any
    // path (a pipe hangs the game, /dev/zero eats its memory) or show a link that starts a browser.
    QMessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    orApplicationTitle(title), QString(), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(fittedForBox(text));
    box.exec();
}

QString QtDialogs::input(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog box(QApplication::activeWindow());
    box.setWindowTitle(orApplicationTitle(title));
    box.setLabelText(QString());  // makes the label, before it can take anything as rich text
    for (QLabel *label : box.findChildren<QLabel *>()) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    box.setLabelText(fittedForBox(prompt));
    box.setTextValue(defaultText);
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue();
}
