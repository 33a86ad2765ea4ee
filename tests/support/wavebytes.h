#pragma once

#include <QByteArray>

#include <cstdint>

// Wave files for tests, whose length in time is known exactly.
namespace wavebytes {

inline QByteArray littleEndian(std::uint32_t value, int bytes)
{
    QByteArray out;
    for (int shift = 0; shift < 8 * bytes; shift += 8)
        out.append(static_cast<char>((value >> shift) & 0xFF));
    return out;
}

// The 16-byte "fmt " chunk of samples of the given encoding (1: PCM), with its header.
inline QByteArray format(std::uint32_t rate, int channels, int bits, int encoding = 1)
{
    const int frameBytes = channels * bits / 8;
    return "fmt " + littleEndian(16, 4) + littleEndian(encoding, 2) + littleEndian(channels, 2)
        + littleEndian(rate, 4) + littleEndian(rate * frameBytes, 4) + littleEndian(frameBytes, 2)
        + littleEndian(bits, 2);
}

// A whole wave file: the RIFF header, the given chunks, and a "data" chunk that says it holds
// soundBytes, followed by the bytes of sound given (fewer, for a file cut off).
inline QByteArray file(const QByteArray &chunks, std::uint32_t soundBytes, const QByteArray &sound = {})
{
    return "RIFF" + littleEndian(4 + chunks.size() + 8 + soundBytes, 4) + "WAVE" + chunks + "data"
        + littleEndian(soundBytes, 4) + sound;
}

// A PCM wave file holding these samples.
inline QByteArray pcm(std::uint32_t rate, int channels, int bits, const QByteArray &sound)
{
    return file(format(rate, channels, bits), static_cast<std::uint32_t>(sound.size()), sound);
}

// Loud 8-bit samples: the extremes, one after the other.
inline QByteArray loud(int samples)
{
    QByteArray out(samples, '\0');
    for (int i = 0; i < samples; i += 2)
        out[i] = '\xFF';
    return out;
}

} // namespace wavebytes
