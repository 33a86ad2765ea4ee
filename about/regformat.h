#pragma once

#include <optional>
#include <string>
#include <string_view>

// How a registry number value becomes text: its bytes as a hexadecimal literal,
// which then goes through plain number formatting.

// "&h" followed by the bytes last to first, two upper-case hexadecimal digits each.
std::string hexLiteral(std::string_view bytes);

// The literal formatted as a number: the decimal digits of its value ("&h000105" gives "261").
// We chose the value over the literal itself because the decimal digits are what anyone reading
// the text expects of a number. The digits are read as the game's original language read its
// hexadecimal literals: up to four as a 16-bit and up to eight as a 32-bit two's-complement
// number ("&hFFFF" and "&hFFFFFFFF" give "-1"). A literal without digits is no number and
// stays as it is; more than eight digits overflow and give nothing.
std::optional<std::string> formatHexLiteral(const std::string &literal);
