#include "sound/memorywave.h"

#include "sound/waveheader.h"

#include <QByteArrayView>
#include <QtEndian>

#include <optional>

namespace {

constexpr qint64 chunkHeader = 8;    // four letters and a length
constexpr qint64 lookedAt = 12;      // what Windows reads at each chunk it passes or finds
constexpr quint32 shortestFormat = 16;   // the fields of PCM, which Windows reads at least

quint32 little32(const char *at) { return qFromLittleEndian<quint32>(at); }
quint16 little16(const char *at) { return qFromLittleEndian<quint16>(at); }

quint32 chunkLength(const QByteArray &image, qint64 chunk) { return little32(image.constData() + chunk + 4); }

// Where the first chunk of that name starts, from `chunk` on, each chunk padded to even length;
// -1 if Windows would read past the image before it finds one.
qint64 find(const QByteArray &image, qint64 chunk, QByteArrayView name)
{
    while (chunk + lookedAt <= image.size()) {
        if (QByteArrayView(image.constData() + chunk, 4) == name)
            return chunk;
        const quint32 length = chunkLength(image, chunk);
        chunk += chunkHeader + length + (length & 1);
    }
    return -1;
}

bool whole(const QByteArray &image, qint64 chunk)
{
    return chunk + chunkHeader + chunkLength(image, chunk) <= image.size();
}

} // namespace

bool readsWithinImage(const QByteArray &image)
{
    if (image.size() < lookedAt || !image.startsWith("RIFF") || image.sliced(8, 4) != "WAVE")
        return false;
    const qint64 format = find(image, lookedAt, "fmt ");
    // An odd length would leave it to Windows whether the search for the sound starts at the pad
    // byte or after it; no wave file has one.
    if (format < 0 || !whole(image, format) || chunkLength(image, format) < shortestFormat
        || chunkLength(image, format) % 2 != 0)
        return false;
    const qint64 sound = find(image, format + chunkHeader + chunkLength(image, format), "data");
    if (sound < 0 || !whole(image, sound))
        return false;
    const char *fields = image.constData() + format + chunkHeader;
    const quint16 channels = little16(fields + 2);
    const quint32 rate = little32(fields + 4);
    const quint32 bytesPerSecond = little32(fields + 8);
    const quint16 blockBytes = little16(fields + 12);
    return channels != 0 && rate != 0 && bytesPerSecond != 0 && blockBytes != 0;
}

std::shared_ptr<const MemoryWave> MemoryWave::of(const QByteArray &image)
{
    if (!readsWithinImage(image))
        return nullptr;
    const std::optional<WaveShape> shape = waveShape(image);
    if (!shape || !shape->withinBounds())
        return nullptr;
    return std::shared_ptr<const MemoryWave>(new MemoryWave(image));
}
