#include "tests/support/textfit.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionGroupBox>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace {

// Advance widths of Comic Sans MS regular, characters 32 (space) to 126 (~), in hundredths of an em
// rounded to the nearest, as the string-pixel-width package lists them (its Arial column matches
// Arial's own advances: 'A', 1366 of 2048 units, is listed as 67).
constexpr std::array<int, 95> comicSansHundredths = {
    30, 24, 42, 84, 69, 82, 65, 39, 37, 37, 53, 48, 28, 42, 25, 51,   //  !"#$%&'()*+,-./
    61, 45, 61, 61, 61, 61, 61, 61, 61, 61, 30, 30, 38, 51, 38, 52,   // 0123456789:;<=>?
    93, 73, 63, 60, 72, 62, 61, 68, 77, 55, 67, 61, 55, 88, 80, 80,   // @ABCDEFGHIJKLMNO
    52, 88, 63, 69, 68, 74, 65, 104, 72, 64, 69, 38, 55, 38, 58, 63,  // PQRSTUVWXYZ[\]^_
    56, 51, 59, 51, 59, 55, 51, 53, 58, 28, 40, 54, 27, 78, 52, 53,   // `abcdefghijklmno
    53, 52, 48, 49, 47, 52, 49, 68, 59, 52, 54, 37, 42, 37, 60,       // pqrstuvwxyz{|}~
};

// How wide a run of characters is drawn, taken at its widest: each advance at the top of its
// rounding (a listed 52 may be 52.49), and whichever is wider of the advances added as they are
// and each rounded to whole pixels first, as a font engine that hints places glyphs. Kerning is
// left out.
class ComicSansRun {
public:
    explicit ComicSansRun(int pixelSize) : pixelSize(pixelSize) {}

    // False for a character the table does not hold.
    bool add(QChar character)
    {
        const char16_t code = character.unicode();
        if (code < u' ' || code > u'~')
            return false;
        const double advance = (comicSansHundredths[code - u' '] + 0.5) * pixelSize / 100.0;
        linear += advance;
        rounded += static_cast<int>(std::lround(advance));
        return true;
    }

    int pixels() const { return std::max(static_cast<int>(std::ceil(linear)), rounded); }

private:
    int pixelSize;
    double linear = 0;
    int rounded = 0;
};

struct Room {
    QString text;
    int width;
    std::optional<int> height;  // set where the text wraps within the control
};

Room roomFor(const QWidget &control)
{
    if (const auto *label = qobject_cast<const QLabel *>(&control)) {
        const QRect inside = label->contentsRect();
        return {label->text(), inside.width(), label->wordWrap() ? std::optional(inside.height()) : std::nullopt};
    }
    const QStyle &style = *control.style();
    if (const auto *button = qobject_cast<const QPushButton *>(&control)) {
        const int margins = style.pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
            + 2 * style.pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        return {button->text(), button->width() - margins, std::nullopt};
    }
    if (const auto *frame = qobject_cast<const QGroupBox *>(&control)) {
        QStyleOptionGroupBox option;
        option.initFrom(frame);
        option.text = frame->title();
        option.subControls = QStyle::SC_GroupBoxLabel;
        const QRect title = style.subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
        // The title keeps the same distance from the frame's right edge as from its left.
        return {frame->title(), frame->width() - 2 * title.left(), std::nullopt};
    }
    return {{}, control.width(), std::nullopt};
}

// needed: the width of the text on one line, or the height of its wrapped lines.
QString misfit(const Room &room, int needed, const char *font)
{
    const int given = room.height.value_or(room.width);
    if (needed <= given)
        return {};
    return QStringLiteral("“%1” needs %2 px %3 in %4, room for %5")
        .arg(room.text)
        .arg(needed)
        .arg(room.height ? "high" : "wide")
        .arg(font)
        .arg(given);
}

// nullopt where the table lacks a character.
std::optional<int> comicSansWidth(QStringView text, int pixelSize)
{
    ComicSansRun run(pixelSize);
    for (const QChar character : text) {
        if (!run.add(character))
            return std::nullopt;
    }
    return run.pixels();
}

// The lines a wrapping text takes: greedy, word by word, as Qt breaks a label's lines, a space at a
// line's end taking no room. nullopt where the table lacks a character.
std::optional<int> comicSansLines(const QString &text, int width, int pixelSize)
{
    int lines = 1;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        const std::optional<int> longerWidth = comicSansWidth(longer, pixelSize);
        if (!longerWidth)
            return std::nullopt;
        if (*longerWidth > width && !line.isEmpty()) {
            ++lines;
            line = word;
        } else {
            line = longer;
        }
    }
    return lines;
}

} // namespace

QString misfitAsShown(const QWidget &control)
{
    const Room room = roomFor(control);
    const auto *label = qobject_cast<const QLabel *>(&control);
    return misfit(room,
                  room.height ? label->heightForWidth(control.width())
                              : control.fontMetrics().horizontalAdvance(room.text),
                  "the font shown");
}

QString misfitInComicSans(const QWidget &control)
{
    const Room room = roomFor(control);
    const int pixelSize = control.font().pixelSize();
    std::optional<int> needed = comicSansWidth(room.text, pixelSize);
    if (room.height) {
        // The table holds advances only: a wrapped line is as high as a line of the font shown.
        needed = comicSansLines(room.text, room.width, pixelSize);
        if (needed)
            *needed *= control.fontMetrics().lineSpacing();
    }
    if (!needed)
        return QStringLiteral("“%1” has a character the table of Comic Sans MS lacks").arg(room.text);
    return misfit(room, *needed, "Comic Sans MS");
}
