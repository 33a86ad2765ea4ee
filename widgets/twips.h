#pragma once

// Positions and sizes are kept in twips, as the windows were designed; the screen wants pixels.
constexpr int twipsPerPixel = 15;

// To the nearest pixel, as the platform the windows were designed for converts them.
constexpr int pixels(int twips)
{
    return (twips + twipsPerPixel / 2) / twipsPerPixel;
}

// Font sizes were designed in points at 96 dots per inch (8.25 pt = 11 px).
constexpr int fontPixels(double points)
{
    return static_cast<int>(points * 96.0 / 72.0 + 0.5);
}
