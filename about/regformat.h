#pragma once

#include <optional>
#include <string>
#include <string_view>

// How a registry number value becomes text: its bytes as a hexadecimal literal,
// which then goes through plain number formatting.

// "&h" followed by the bytes last to first, two upper-case hexadecimal digits each.
std::string hexLiteral(std::string_view bytes);

// The literal formatted as a number: the decimal digits of its value ("&h000105" gives "261"),
// because decimal digits are what anyone reading the about window expects of a number. An "&h"
// literal of up to four digits is a 16-bit and of up to eight a 32-bit two's-complement number
// ("&hFFFF" and "&hFFFFFFFF" give "-1"). A literal without digits is no number and
// stays as it is; more than eight digits overflow and give nothing.
std::optional<std::string> formatHexLiteral(const std::string &literal);
