#include "about/regformat.h"

#include <algorithm>
#include <cstdint>
#include <ranges>

QString hexLiteral(QByteArrayView bytes)
{
    QString literal = QStringLiteral("&h");
    for (const char byte : std::views::reverse(bytes))
        literal += QStringLiteral("%1").arg(static_cast<unsigned char>(byte), 2, 16, QLatin1Char('0')).toUpper();
    return literal;
}

std::optional<QString> formatHexLiteral(const QString &literal)
{
    const QString digits = literal.mid(2);
    const auto isHexDigit = [](QChar c) {
        const QChar lower = c.toLower();
        return (c >= u'0' && c <= u'9') || (lower >= u'a' && lower <= u'f');
    };
    if (!literal.startsWith(QLatin1String("&h"), Qt::CaseInsensitive) || digits.isEmpty()
        || !std::ranges::all_of(digits, isHexDigit))
        return literal;
    if (digits.size() > 8)
        return std::nullopt;
    const std::uint32_t bits = digits.toUInt(nullptr, 16);
    const std::int32_t value = digits.size() <= 4 ? std::int32_t(std::int16_t(std::uint16_t(bits)))
                                                  : std::int32_t(bits);
    return QString::number(value);
}
