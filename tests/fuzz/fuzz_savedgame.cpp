// The saved-game reader as the game uses it: three lines over one device, each turned into a
// 16-bit number. Checked against properties that follow from the file format alone.
#include "game/savedgame.h"
#include "tests/fuzz/fuzzcheck.h"

#include <QBuffer>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace {

// An independent reading of the number rule: blanks and tabs around, an optional sign, at least
// one ASCII digit, and the value within -32768 … 32767.
std::optional<int> expectedNumber(const std::string &line)
{
    std::size_t begin = 0;
    std::size_t end = line.size();
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (begin < end && blank(line[begin]))
        ++begin;
    while (end > begin && blank(line[end - 1]))
        --end;
    bool negative = false;
    if (begin < end && (line[begin] == '+' || line[begin] == '-'))
        negative = line[begin++] == '-';
    if (begin == end)
        return std::nullopt;
    long long value = 0;
    for (std::size_t i = begin; i < end; ++i) {
        if (line[i] < '0' || line[i] > '9')
            return std::nullopt;
        // Past 100000 the exact value no longer matters, only that it is out of range.
        value = std::min(value * 10 + (line[i] - '0'), 100000LL);
    }
    if (negative)
        value = -value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QBuffer file(&bytes);
    require(file.open(QIODevice::ReadOnly), "the buffer opens");

    qint64 lineStart = 0;
    for (int lineNumber = 0; lineNumber < 3; ++lineNumber) {
        QString error;
        const std::optional<QString> line = SavedGame::readLine(file, error);
        if (!line) {
            require(!error.isEmpty(), "a failed read gives a reason");
            // Only a missing or an overlong line fails on a buffer.
            require(lineStart == bytes.size() || file.pos() - lineStart > SavedGame::maxLineLength,
                    "a read fails only at the end or after an overlong line");
            return 0;
        }
        require(error.isEmpty(), "a good read gives no reason");
        require(line->size() <= SavedGame::maxLineLength, "a line is at most maxLineLength long");
        require(!line->contains(QLatin1Char('\r')), "a line holds no CR");

        // What was consumed is the line itself and its ending: CR LF, a lone CR, or the end of the file.
        const QByteArray consumed = bytes.mid(lineStart, file.pos() - lineStart);
        const QByteArray text = line->toLatin1();
        require(QString::fromLatin1(text) == *line, "a line is 8-bit text");
        require(consumed == text + "\r\n" || consumed == text + "\r"
                    || (consumed == text && file.pos() == bytes.size() && !text.isEmpty()),
                "the line and its ending are exactly what was consumed");
        require(!(consumed == text + "\r" && bytes.mid(file.pos(), 1) == "\n"), "a CR LF is taken whole");
        lineStart = file.pos();

        const std::optional<qint16> number = SavedGame::toNumber(*line);
        const std::optional<int> expected = expectedNumber(text.toStdString());
        require(number.has_value() == expected.has_value(), "a number is recognised exactly when it is one");
        if (number) {
            require(*number == *expected, "the number has the value written");
            require(SavedGame::toNumber(QString::number(*number)) == number, "a number reads back as written");
        }
    }
    return 0;
}
