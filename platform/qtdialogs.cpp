#include "platform/qtdialogs.h"

#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <QTextBoundaryFinder>

#include <functional>

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

// `kept` of the lines, three quarters from the start and the rest from the end, with an ellipsis
// between them.
QString middleLinesCut(const QStringList &lines, qsizetype kept)
{
    const qsizetype tail = kept / 4;
    return (lines.first(kept - tail) + QStringList{QStringLiteral("…")} + lines.last(tail)).join(u'\n');
}

// The text with as many of its lines as `fits` accepts, the middle ones cut. A box grows with every
// line, so halving finds them in a few layouts of the box, however many lines there are.
QString mostLinesThatFit(const QString &text, const std::function<bool(const QString &)> &fits)
{
    const QStringList lines = text.split(u'\n');
    qsizetype fitting = 1;
    qsizetype tooMany = lines.size();
    while (tooMany - fitting > 1) {
        const qsizetype middle = (fitting + tooMany) / 2;
        (fits(middleLinesCut(lines, middle)) ? fitting : tooMany) = middle;
    }
    return tooMany > 1 ? middleLinesCut(lines, fitting) : text;
}

// Thousands of line breaks would make a box higher than the screen, its buttons out of reach.
// Qt sizes a box only as it is shown, to its text; a box too high then loses lines from the middle
// of its text, as many as it must. `showText` sets the text and sizes the box to it. True when
// lines were cut.
bool keepWithinScreenHeight(QDialog &box, const QString &text, const std::function<void(const QString &)> &showText)
{
    // Before the window manager has framed the box, a title bar as high as the style draws one is kept free.
    const int frame = qMax(box.frameGeometry().height() - box.height(),
                           box.style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const int room = box.screen()->availableGeometry().height() - frame;
    if (box.height() <= room)
        return false;
    showText(mostLinesThatFit(text, [&](const QString &shorter) {
        showText(shorter);
        return box.height() <= room;
    }));
    return true;
}

// The boxes, placed again once they have lost lines.
class MessageBox final : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override
    {
        QMessageBox::showEvent(event);
        if (keepWithinScreenHeight(*this, text(), [this](const QString &shown) { setText(shown); }))
            adjustPosition(parentWidget());
    }
};

class InputBox final : public QInputDialog {
public:
    using QInputDialog::QInputDialog;

protected:
    void showEvent(QShowEvent *event) override
    {
        QInputDialog::showEvent(event);
        const bool cut = keepWithinScreenHeight(*this, labelText(), [this](const QString &shown) {
            setLabelText(shown);
            layout()->activate();
            adjustSize();
        });
        if (cut)
            adjustPosition(parentWidget());
    }
};

QString orApplicationTitle(const QString &title)
{
    return title.isEmpty() ? Dialogs::applicationTitle : title;
}

} // namespace

void QtDialogs::message(const QString &text, Icon icon, const QString &title)
{
    // Plain text always: as rich text, a saved game's line could make Qt load a picture from any
    // path (a pipe hangs the game, /dev/zero eats its memory) or show a link that starts a browser.
    MessageBox box(icon == Icon::Critical ? QMessageBox::Critical : QMessageBox::NoIcon,
                    orApplicationTitle(title), QString(), QMessageBox::Ok, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    box.setText(fittedForBox(text));
    // In the application's font, as the input box is: Qt gives a message box the system's font for
    // messages, which on Windows is a name that only Windows' own renderer resolves.
    for (QWidget *part : QList<QWidget *>{&box} + box.findChildren<QWidget *>())
        part->setFont(QApplication::font());
    box.exec();
}

QString QtDialogs::input(const QString &prompt, const QString &title)
{
    InputBox box(QApplication::activeWindow());
    box.setWindowTitle(orApplicationTitle(title));
    box.setLabelText(QString());  // makes the label, before it can take anything as rich text
    for (QLabel *label : box.findChildren<QLabel *>()) {
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
    }
    box.setLabelText(fittedForBox(prompt));
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QCoreApplication::translate("QtDialogs", "Abbrechen"));
    if (box.exec() != QDialog::Accepted)
        return {};
    return box.textValue();
}
