#include "about/regformat.h"

#include <charconv>
#include <cstdint>
#include <ranges>

std::string hexLiteral(std::string_view bytes)
{
    constexpr std::string_view digits = "0123456789ABCDEF";
    std::string literal = "&h";
    for (const char byte : std::views::reverse(bytes)) {
        const auto value = static_cast<unsigned char>(byte);
        literal += digits[value >> 4];
        literal += digits[value & 0xF];
    }
    return literal;
}

std::optional<std::string> formatHexLiteral(const std::string &literal)
{
    const bool prefixed = literal.size() >= 2 && literal[0] == '&' && (literal[1] == 'h' || literal[1] == 'H');
    if (!prefixed)
        return literal;
    const std::string_view digits = std::string_view(literal).substr(2);
    // from_chars takes hexadecimal digits only (no sign, no "0x"), so it stops early on anything else.
    std::uint64_t bits = 0;
    const char *const last = digits.data() + digits.size();
    if (digits.empty() || std::from_chars(digits.data(), last, bits, 16).ptr != last)
        return literal;
    if (digits.size() > 8)
        return std::nullopt;
    const std::int32_t value = digits.size() <= 4 ? std::int32_t(std::int16_t(std::uint16_t(bits)))
                                                  : std::int32_t(std::uint32_t(bits));
    return std::to_string(value);
}
