#pragma once

#include <QtGlobal>

#include <algorithm>

// The game's numbers are 16-bit. A loaded game can bring them to the limit; there they stay
// instead of wrapping round.
constexpr qint16 saturated16(int value)
{
    return static_cast<qint16>(std::clamp(value, -32768, 32767));
}
