#include "sound/waveimage.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <climits>

namespace {

// A whole wave file has at least its RIFF, fmt and data headers. SDL_mixer leaks memory on
// images of less than 12 bytes, so anything shorter than a header never reaches it.
constexpr qsizetype smallestWaveImage = 44;

} // namespace

bool isWaveImage(const QByteArray &image)
{
    return image.size() >= smallestWaveImage && image.size() <= INT_MAX && image.startsWith("RIFF")
        && image.sliced(8, 4) == "WAVE";
}

Mix_Chunk *decodeWave(const QByteArray &image)
{
    if (!isWaveImage(image))
        return nullptr;
    SDL_RWops *source = SDL_RWFromConstMem(image.constData(), static_cast<int>(image.size()));
    if (!source)
        return nullptr;
    // SDL_mixer decodes a copy, converted to the device's format; the image may go right after.
    return Mix_LoadWAV_RW(source, 1);
}
