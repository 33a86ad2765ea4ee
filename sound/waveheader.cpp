#include "sound/waveheader.h"

#include <QtEndian>

#include <algorithm>

namespace {

// The fields of a "fmt " chunk up to the sample size, which a 14-byte chunk leaves out.
constexpr qsizetype fmtWithoutSampleSize = 14;
constexpr qsizetype fmtWithSampleSize = 16;
// The fewest bits a sample can have in a wave file (ADPCM); fewer in the header would play nothing.
constexpr int fewestSampleBits = 4;

quint32 little32(const QByteArray &image, qsizetype at) { return qFromLittleEndian<quint32>(image.constData() + at); }
quint16 little16(const QByteArray &image, qsizetype at) { return qFromLittleEndian<quint16>(image.constData() + at); }

} // namespace

std::optional<WaveShape> waveShape(const QByteArray &image)
{
    if (image.size() < 12 || !image.startsWith("RIFF") || image.sliced(8, 4) != "WAVE")
        return std::nullopt;
    qsizetype format = -1;   // where the first "fmt " chunk's fields begin
    quint32 formatLength = 0;
    // Each chunk: four letters, its length, its bytes, and a pad byte after an odd length.
    for (qint64 chunk = 12; chunk + 8 <= image.size();) {
        const qsizetype body = qsizetype(chunk) + 8;
        const quint32 length = little32(image, body - 4);
        const QByteArrayView name(image.constData() + chunk, 4);
        if (name == "fmt " && format < 0) {
            format = body;
            formatLength = length;
        } else if (name == "data") {
            // A "fmt " after the sound, or a short one, is refused by SDL.
            if (format < 0 || formatLength < fmtWithoutSampleSize || format + fmtWithoutSampleSize > image.size())
                return std::nullopt;
            const int channels = little16(image, format + 2);
            const quint32 rate = little32(image, format + 4);
            const int blockBytes = little16(image, format + 12);
            const bool sampleSizeGiven = formatLength >= fmtWithSampleSize && format + fmtWithSampleSize <= image.size();
            const int bits = std::max<int>(sampleSizeGiven ? little16(image, format + 14) : 0, fewestSampleBits);
            if (channels == 0 || rate == 0)
                return std::nullopt;
            const qint64 bytes = std::min<qint64>(length, image.size() - body);
            const qint64 frames = std::max<qint64>(bytes * 8 / bits / channels, blockBytes > 0 ? bytes / blockBytes : 0);
            return WaveShape{frames, channels, rate};
        }
        chunk = qint64(body) + length + (length & 1);
    }
    return std::nullopt;
}
