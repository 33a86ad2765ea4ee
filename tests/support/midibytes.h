#pragma once

#include <QByteArray>

#include <cstdint>

// Small standard MIDI files for tests, whose length in time is known exactly.
namespace midibytes {

constexpr int division = 480;                    // ticks a quarter note
constexpr int microsecondsPerQuarter = 500000;   // 120 beats a minute: a tick is 1/960 s

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

// A chunk of any kind: its four-letter tag, its length, its bytes.
inline QByteArray chunk(const char *tag, const QByteArray &body)
{
    return tag + bigEndian(static_cast<std::uint32_t>(body.size()), 4) + body;
}

// A track chunk of these events, its end included.
inline QByteArray track(const QByteArray &events)
{
    return chunk("MTrk", events + QByteArray::fromHex("00ff2f00"));
}

// The header for the given number of tracks, then the chunks as they are (tracks and others).
inline QByteArray file(int tracks, int ticks, const QByteArray &chunks)
{
    return chunk("MThd", bigEndian(tracks > 1 ? 1 : 0, 2) + bigEndian(static_cast<std::uint32_t>(tracks), 2)
                             + bigEndian(static_cast<std::uint32_t>(ticks), 2))
        + chunks;
}

// One track, its end included, in a file of format 0.
inline QByteArray file(const QByteArray &events)
{
    return file(1, division, track(events));
}

// One loud piano chord (C, E, G at velocity 110) from tick 0 to noteTicks; the file ends with its release.
inline QByteArray chord(int noteTicks)
{
    const QByteArray tempoAndNotesOn = QByteArray::fromHex("00ff5103") + bigEndian(microsecondsPerQuarter, 3)
        + QByteArray::fromHex("00c000" "00903c6e" "0090406e" "0090436e");
    return file(tempoAndNotesOn + deltaTime(static_cast<std::uint32_t>(noteTicks))
                + QByteArray::fromHex("803c00" "00804000" "00804300"));
}

} // namespace midibytes
