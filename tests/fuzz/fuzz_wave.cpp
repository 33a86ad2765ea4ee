// The wave path as the game takes it: WavLaden's trimming and its reading of the length, then the
// check and the decode that the backend applies before SDL_mixer plays an image, with the hints the
// device sets.
#include "platform/qttimers.h"
#include "sound/apis.h"
#include "sound/sdlaudiobackend.h"
#include "sound/waveheader.h"
#include "sound/waveimage.h"
#include "tests/fuzz/fuzzcheck.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {

QtTimerFactory *timers = nullptr;
SdlAudioBackend *backend = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // Fuzzing must never depend on a sound card, and must sound the same on every machine.
    qputenv("SDL_AUDIODRIVER", "dummy");
    // No SoundFont: the music is not fuzzed here, and loading one would only cost time.
    timers = new QtTimerFactory;
    backend = new SdlAudioBackend(*timers, QString());
    require(backend->driverName() == QStringLiteral("dummy"), "the dummy device opens");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray file = QByteArray::fromRawData(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QByteArray image = withoutSurroundingBlanks(file);

    // Trimming removes blanks at both ends and nothing else.
    qsizetype leading = 0;
    while (leading < file.size() && file.at(leading) == ' ')
        ++leading;
    require(file.mid(leading).startsWith(image), "the image is the file from its first non-blank on");
    const QByteArray rest = file.mid(leading + image.size());
    require(rest.count(' ') == rest.size(), "only blanks follow the image");
    require(!image.startsWith(' ') && !image.endsWith(' '), "the image starts and ends with no blank");

    // A QByteArray keeps spare room behind its bytes, where a read past the end would go unseen;
    // decoded from a block of exactly its size, the image's end is where AddressSanitizer watches.
    const qsizetype length = image.size();
    std::unique_ptr<char[]> exact(new char[static_cast<std::size_t>(length > 0 ? length : 1)]);
    if (length > 0)
        std::memcpy(exact.get(), image.constData(), static_cast<std::size_t>(length));
    const QByteArray view = QByteArray::fromRawData(exact.get(), length);

    if (const std::unique_ptr<DecodedWave> wave = DecodedWave::decode(view)) {
        require(isWaveImage(view), "only a checked image is decoded");
        // The device takes 16-bit stereo frames at 44100 Hz: four bytes each.
        const Mix_Chunk *chunk = wave->chunk();
        require(chunk->alen % 4 == 0, "the decoded sound is whole frames");
        // The header, read without SDL, never promises less than SDL decodes (a resampled sound
        // may end in a few frames more), and what it promises is within the bounds.
        const std::optional<WaveShape> shape = waveShape(view);
        require(shape.has_value(), "what SDL decodes has a shape in its header");
        require(shape->withinBounds(), "only a wave within the bounds is decoded");
        require(chunk->alen / 4.0 / 44100 <= shape->seconds() + 0.01, "the sound is no longer than its header says");
    }
    return 0;
}
