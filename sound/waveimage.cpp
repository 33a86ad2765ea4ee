#include "sound/waveimage.h"

#include "sound/sdlaudiobackend.h"
#include "sound/waveheader.h"

#include <SDL.h>

#include <algorithm>
#include <climits>

namespace {

// A whole wave file has at least its RIFF, fmt and data headers. SDL_mixer leaks memory on
// images of less than 12 bytes, so anything shorter than a header never reaches SDL.
constexpr qsizetype smallestWaveImage = 44;

// The format SdlAudioBackend opens the device in, allowing SDL no other.
constexpr SDL_AudioFormat deviceFormat = AUDIO_S16SYS;
constexpr Uint8 deviceChannels = 2;

} // namespace

bool isWaveImage(const QByteArray &image)
{
    return image.size() >= smallestWaveImage && image.size() <= INT_MAX && image.startsWith("RIFF")
        && image.sliced(8, 4) == "WAVE";
}

std::unique_ptr<DecodedWave> DecodedWave::decode(const QByteArray &image)
{
    // The header tells what the decode would cost before SDL decodes anything, and whether SDL can
    // convert such a sound at all (no more than eight channels, no rate of megahertz): what SDL
    // rejects only once it has decoded all of it is not decoded at all.
    const std::optional<WaveShape> shape = isWaveImage(image) ? waveShape(image) : std::nullopt;
    SDL_AudioCVT conversion;
    if (!shape || !shape->withinBounds() || shape->rate > INT_MAX
        || SDL_BuildAudioCVT(&conversion, AUDIO_S16SYS, static_cast<Uint8>(std::min(shape->channels, 255)),
                             static_cast<int>(shape->rate), deviceFormat, deviceChannels, SdlAudioBackend::sampleRate) < 0)
        return nullptr;
    SDL_RWops *source = SDL_RWFromConstMem(image.constData(), static_cast<int>(image.size()));
    SDL_AudioSpec loaded;
    Uint8 *samples = nullptr;
    Uint32 bytes = 0;
    if (!source || !SDL_LoadWAV_RW(source, 1, &loaded, &samples, &bytes))
        return nullptr;
    // The same conversion SDL_mixer makes when it loads a wave for an open device, done without one.
    const int needed = SDL_BuildAudioCVT(&conversion, loaded.format, loaded.channels, loaded.freq, deviceFormat,
                                         deviceChannels, SdlAudioBackend::sampleRate);
    // SDL_mixer plays whole frames only.
    const Uint32 frameBytes = SDL_AUDIO_BITSIZE(loaded.format) / 8 * loaded.channels;
    bytes -= bytes % frameBytes;
    if (needed > 0) {
        conversion.len = static_cast<int>(bytes);
        // Converted in place, in a block large enough for every step; then only the result is kept.
        auto *room = static_cast<Uint8 *>(SDL_realloc(samples, size_t(conversion.len) * size_t(conversion.len_mult)));
        if (room)
            samples = room;
        conversion.buf = samples;
        if (!room || SDL_ConvertAudio(&conversion) != 0) {
            SDL_free(samples);
            return nullptr;
        }
        bytes = static_cast<Uint32>(conversion.len_cvt);
        if (auto *kept = static_cast<Uint8 *>(SDL_realloc(samples, bytes > 0 ? bytes : 1)))
            samples = kept;
    } else if (needed < 0) {
        SDL_free(samples);
        return nullptr;
    }
    return std::unique_ptr<DecodedWave>(new DecodedWave(samples, bytes));
}

DecodedWave::DecodedWave(Uint8 *samples, Uint32 bytes) : sound{0, samples, bytes, MIX_MAX_VOLUME}
{
}

DecodedWave::~DecodedWave()
{
    SDL_free(sound.abuf);
}
