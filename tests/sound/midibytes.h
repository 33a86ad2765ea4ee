#pragma once

#include <QByteArray>

#include <cstdint>
#include <initializer_list>

// Small standard MIDI files for tests, whose length in time is known exactly.
namespace midibytes {

inline QByteArray bigEndian(std::uint32_t value, int bytes)
{
    QByteArray out;
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

inline QByteArray deltaTime(std::uint32_t ticks)
{
    QByteArray out(1, static_cast<char>(ticks & 0x7F));
    while (ticks >>= 7)
        out.prepend(static_cast<char>(0x80 | (ticks & 0x7F)));
    return out;
}

inline QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(v));
    return out;
}

constexpr int division = 480;
constexpr int microsecondsPerQuarter = 500000;   // 120 beats a minute: a tick is 1/960 s

inline double seconds(int ticks)
{
    return ticks * (microsecondsPerQuarter / 1e6) / division;
}

inline QByteArray file(const QByteArray &track)
{
    return "MThd" + bigEndian(6, 4) + bigEndian(0, 2) + bigEndian(1, 2) + bigEndian(division, 2) + "MTrk"
        + bigEndian(static_cast<std::uint32_t>(track.size()), 4) + track;
}

// One loud piano chord from tick 0 to noteTicks; the file ends with its release.
inline QByteArray chord(int noteTicks)
{
    QByteArray track = deltaTime(0) + bytes({0xFF, 0x51, 0x03}) + bigEndian(microsecondsPerQuarter, 3)
        + deltaTime(0) + bytes({0xC0, 0x00});
    for (int key : {60, 64, 67})
        track += deltaTime(0) + bytes({0x90, key, 110});
    track += deltaTime(static_cast<std::uint32_t>(noteTicks)) + bytes({0x80, 60, 0});
    track += deltaTime(0) + bytes({0x80, 64, 0}) + deltaTime(0) + bytes({0x80, 67, 0});
    return file(track + deltaTime(0) + bytes({0xFF, 0x2F, 0x00}));
}

// A well-formed file with no events at all: it lasts no time.
inline QByteArray emptySong()
{
    return file(deltaTime(0) + bytes({0xFF, 0x2F, 0x00}));
}

} // namespace midibytes
