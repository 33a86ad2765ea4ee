#pragma once

#include <QByteArray>

#include <algorithm>
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

// The "fmt " chunk of 4-bit ADPCM in blocks of blockBytes: encoding 2 is Microsoft's, with its seven
// standard coefficient pairs, 0x11 the IMA's. Each block fills up with samples, as encoders do.
inline QByteArray adpcmFormat(std::uint32_t rate, int channels, int encoding, int blockBytes)
{
    const bool microsoft = encoding == 2;
    const int headerBytes = channels * (microsoft ? 7 : 4);
    const int samplesPerBlock = (blockBytes - headerBytes) * 2 / channels + (microsoft ? 2 : 1);
    QByteArray extra = littleEndian(static_cast<std::uint32_t>(samplesPerBlock), 2);
    if (microsoft) {
        extra += littleEndian(7, 2);
        for (const int coefficient : {256, 0, 512, -256, 0, 0, 192, 64, 240, 0, 460, -208, 392, -232})
            extra += littleEndian(static_cast<std::uint16_t>(coefficient), 2);
    }
    const QByteArray body = littleEndian(encoding, 2) + littleEndian(channels, 2) + littleEndian(rate, 4)
        + littleEndian(static_cast<std::uint32_t>(std::uint64_t(rate) * blockBytes / samplesPerBlock), 4)
        + littleEndian(blockBytes, 2) + littleEndian(4, 2) + littleEndian(extra.size(), 2) + extra;
    return "fmt " + littleEndian(body.size(), 4) + body;
}

// That many ADPCM blocks of noise, each with a header the decoder takes (Microsoft's: predictor 0
// and the smallest step; IMA's: step index 0).
inline QByteArray adpcmBlocks(int encoding, int channels, int blockBytes, qsizetype blocks)
{
    QByteArray sound(blockBytes * blocks, '\0');
    char *at = sound.data();
    for (qsizetype i = 0; i < sound.size(); ++i)
        at[i] = static_cast<char>((i * 131) ^ (i >> 3));
    const int headerBytes = channels * (encoding == 2 ? 7 : 4);
    for (qsizetype block = 0; block < blocks; ++block) {
        char *header = at + block * blockBytes;
        std::fill(header, header + headerBytes, '\0');
        if (encoding == 2) {
            for (int c = 0; c < channels; ++c)
                header[channels + 2 * c] = 16;   // the step a block starts with
        }
    }
    return sound;
}

// A whole ADPCM wave file of that many blocks of noise, 1024 bytes of them for each channel.
inline QByteArray adpcm(int encoding, std::uint32_t rate, int channels, qsizetype blocks)
{
    const int blockBytes = 1024 * channels;
    const QByteArray sound = adpcmBlocks(encoding, channels, blockBytes, blocks);
    return file(adpcmFormat(rate, channels, encoding, blockBytes), static_cast<std::uint32_t>(sound.size()), sound);
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
